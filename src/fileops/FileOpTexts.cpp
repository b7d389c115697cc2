#include "FileOpTexts.h"

#include "tags/NameText.h"

#include <algorithm>
#include <cstring>

QString SystemReason(int error)
{
    char buffer[256] = {};
    return QString::fromLocal8Bit(::strerror_r(error, buffer, sizeof buffer));
}

QString SubfolderReason()
{
    return QStringLiteral("目标文件夹是源文件夹的子文件夹。");
}

QString UnsupportedTypeReason()
{
    return QStringLiteral("只能处理文件、文件夹和链接。");
}

QString BadPathReason()
{
    return QStringLiteral("路径不是完整的路径。");
}

QString TrashQuestion(int count, const QByteArray& onlyPath)
{
    if (count == 1 && !onlyPath.isEmpty())
        return QStringLiteral("确实要把“%1”放入回收站吗？").arg(DisplayName(onlyPath));
    return QStringLiteral("确实要把这 %1 项放入回收站吗？").arg(count);
}

QString CreateFolderQuestion(const QByteArray& path)
{
    return QStringLiteral("文件夹“%1”不存在。\n是否要创建它？").arg(DisplayName(path));
}

QString ErrorMessage(const QByteArray& path, const QString& reason)
{
    return QStringLiteral("无法处理“%1”：\n%2").arg(DisplayName(path), reason);
}

QString DeleteForGoodQuestion(const QByteArray& path)
{
    return QStringLiteral("“%1”无法放入回收站。\n是否要永久删除它？").arg(DisplayName(path));
}

QString ProgressItemsText(const FileOpStats& stats)
{
    return QStringLiteral("%1 / %2 项").arg(stats.itemsDone).arg(stats.itemsTotal);
}

int ProgressPermille(const FileOpStats& stats)
{
    if (stats.bytesTotal > 0)
        return int(std::clamp<qint64>(stats.bytesDone * 1000 / stats.bytesTotal, 0, 1000));
    if (stats.itemsTotal > 0)
        return int(std::clamp<qint64>(stats.itemsDone * 1000 / stats.itemsTotal, 0, 1000));
    return 0;
}
