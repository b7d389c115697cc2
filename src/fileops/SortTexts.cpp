#include "SortTexts.h"

namespace SortTexts {

namespace {

QString FromTo(const char* from, const QString& a, const char* to, const QString& b, const char* tail)
{
    return QString::fromUtf8(from) + a + QString::fromUtf8(to) + b + QString::fromUtf8(tail);
}

} // namespace

QString CopyTitle(const QString& s, const QString& t)
{
    return FromTo("从 “", s, "” 向 “", t, "” 复制文件...");
}

QString CopyQuestion(const QString& s, const QString& t)
{
    return FromTo("您要从 “", s, "” 向 “", t, "” 复制文件吗?");
}

QString ListCopyTitle(const QString& l, const QString& t)
{
    return FromTo("从自定义播放列表 “", l, "” 向 “", t, "” 复制文件...");
}

QString ListCopyQuestion(const QString& l, const QString& t)
{
    return FromTo("您要从自定义播放列表 “", l, "” 向 “", t, "” 复制文件吗?");
}

QString CutTitle(const QString& s, const QString& t)
{
    return FromTo("从 “", s, "” 向 “", t, "” 剪切文件...");
}

QString CutQuestion(const QString& s, const QString& t)
{
    return FromTo("您要从 “", s, "” 向 “", t, "” 剪切文件吗?");
}

QString DropOnTargetTitle(const QString& s, const QString& t)
{
    return FromTo("从源文件夹 “", s, "” 向目标文件夹 “", t, "” 剪切文件...");
}

QString DropOnSourceTitle(const QString& t, const QString& s)
{
    return FromTo("从目标文件夹 “", t, "” 向源文件夹 “", s, "” 剪切文件...");
}

QString DeleteTitle(const QString& tree)
{
    return QString::fromUtf8("从 “") + tree + QString::fromUtf8("” 删除文件...");
}

} // namespace SortTexts
