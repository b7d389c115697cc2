#include "FolderOpRules.h"

#include "NameBytes.h"
#include "tags/NameText.h"

#include <sys/stat.h>

namespace FolderOps {

namespace {

bool Is(const QString& text, const char* name)
{
    return text == QString::fromUtf8(name);
}

bool IsOneName(const QByteArray& name)
{
    return !name.isEmpty() && name != "." && name != ".." && !name.contains('/') && !name.contains('\0');
}

} // namespace

MenuState MenuStateFor(const QString& text, bool systemPlace)
{
    const bool desktop = Is(text, kDesktopText);
    const bool trash = Is(text, kTrashText);
    const bool network = Is(text, kNetworkText);
    MenuState state;
    state.copy = !network && !trash;
    state.cut = state.copy && !systemPlace;
    state.remove = !desktop && !trash && !network && !systemPlace;
    state.rename = !desktop && !systemPlace;
    return state;
}

bool MayEditName(const QString& text)
{
    return !Is(text, kDesktopText);
}

bool PlaysInside(const QByteArray& playingFile, const QByteArray& folder)
{
    return !folder.isEmpty() && playingFile.contains(folder);
}

bool IsSameOrBelow(const QByteArray& folder, const QByteArray& destination)
{
    if (folder.isEmpty())
        return false;
    if (destination == folder)
        return true;
    const QByteArray prefix = folder.endsWith('/') ? folder : folder + '/';
    return destination.startsWith(prefix);
}

QString CopyTitle(const QString& from, const QString& to)
{
    return QStringLiteral("复制“") + from + QStringLiteral("”到“") + to + QStringLiteral("”。");
}

QString CopyQuestion(const QByteArray& from, const QByteArray& to)
{
    return QStringLiteral("复制\r“") + DisplayName(from) + QStringLiteral("”\r到\r“") + DisplayName(to) +
           QStringLiteral("”吗？");
}

QString CutTitle(const QString& from, const QString& to)
{
    return QStringLiteral("剪切“") + from + QStringLiteral("”到“") + to + QStringLiteral("”。");
}

QString CutQuestion(const QByteArray& from, const QByteArray& to)
{
    return QStringLiteral("剪切\r“") + DisplayName(from) + QStringLiteral("”\r到\r“") + DisplayName(to) +
           QStringLiteral("”吗？");
}

QString DeleteTitle(const QString& folder)
{
    return QStringLiteral("确实要删除文件夹“") + folder + QStringLiteral("”并将所有内容移入回收站吗？");
}

QString RenameFailed(const QString& newName)
{
    return QStringLiteral("Rename to %1 failed").arg(newName);
}

std::optional<QByteArray> RenamedPath(const QByteArray& folder, const QString& newName)
{
    const QByteArray name = newName.toUtf8();
    if (!IsOneName(name) || !folder.startsWith('/') || folder == "/")
        return std::nullopt;
    return JoinPath(FolderOf(folder), name);
}

std::optional<QByteArray> NewFolderPath(const QByteArray& currentFolder, const QString& name)
{
    const QByteArray bytes = name.toUtf8();
    if (!IsOneName(bytes) || !currentFolder.startsWith('/'))
        return std::nullopt;
    return JoinPath(currentFolder, bytes);
}

bool IsFolder(const QByteArray& path)
{
    struct stat st {};
    return !path.isEmpty() && ::stat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace FolderOps
