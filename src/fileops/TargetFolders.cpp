#include "TargetFolders.h"

#include "tags/NameText.h"

namespace TargetTexts {

QString CopyTitle(const QString& sourceFolder)
{
    return QStringLiteral("从 “") + sourceFolder + QStringLiteral("” 向目标文件夹复制文件...");
}

QString CopyFromListTitle(const QString& listName)
{
    return QStringLiteral("从自定义播放列表 “") + listName + QStringLiteral("” 向目标文件夹复制文件...");
}

QString CutTitle(const QString& sourceFolder)
{
    return QStringLiteral("从 “") + sourceFolder + QStringLiteral("” 向目标文件夹剪切文件...");
}

QString Vanished(const QByteArray& path)
{
    return QStringLiteral("“") + DisplayName(path) + QStringLiteral("” 不存在或已经被移除！");
}

} // namespace TargetTexts

namespace {

QByteArray WithoutTrailingSlash(QByteArray path)
{
    while (path.size() > 1 && path.endsWith('/'))
        path.chop(1);
    return path;
}

} // namespace

bool IsSameFolder(const QByteArray& folder, const QByteArray& other)
{
    return !folder.isEmpty() && WithoutTrailingSlash(folder) == WithoutTrailingSlash(other);
}
