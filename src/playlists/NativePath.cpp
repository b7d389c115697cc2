#include "NativePath.h"

#include "tags/NameText.h"

#include <QFile>
#include <QStringList>

#include <dirent.h>

namespace {

// The entry of folder whose shown name is name, or name in UTF-8 when none is.
QByteArray entryBytes(const QByteArray& folder, const QString& name)
{
    const QByteArray utf8 = name.toUtf8();
    DIR* dir = ::opendir(folder.constData());
    if (dir == nullptr)
        return utf8;
    QByteArray found;
    while (const dirent* e = ::readdir(dir)) {
        const QByteArray bytes(e->d_name);
        if (bytes == utf8) {
            found = bytes;
            break;
        }
        if (found.isEmpty() && (DisplayName(bytes) == name || QFile::decodeName(bytes) == name))
            found = bytes;
    }
    ::closedir(dir);
    return found.isEmpty() ? utf8 : found;
}

} // namespace

QByteArray NativePathOf(const QString& shown)
{
    if (!shown.startsWith(u'/'))
        return shown.toUtf8();
    QByteArray path("/");
    for (const QString& part : shown.split(u'/', Qt::SkipEmptyParts))
        path += entryBytes(path, part) + '/';
    if (!shown.endsWith(u'/') && path.size() > 1)
        path.chop(1);
    return path;
}
