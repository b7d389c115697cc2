#include "NativePath.h"

#include "NameText.h"

#include <QFile>
#include <QList>
#include <QStringList>

#include <dirent.h>
#include <sys/stat.h>

#include <memory>

namespace {

// The entry of a folder that shows as this text: the UTF-8 name when it exists, else the first
// entry whose shown name matches, else the UTF-8 name.
QByteArray EntryShownAs(const QByteArray& folder, const QString& shown)
{
    const QByteArray utf8 = shown.toUtf8();
    const QByteArray prefix = folder.endsWith('/') ? folder : folder + '/';
    struct stat st {};
    if (::lstat((prefix + utf8).constData(), &st) == 0)
        return utf8;
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.constData()), &::closedir);
    if (!dir)
        return utf8;
    while (const dirent* entry = ::readdir(dir.get())) {
        const QByteArray name(entry->d_name);
        if (DisplayName(name) == shown || QFile::decodeName(name) == shown)
            return name;
    }
    return utf8;
}

} // namespace

QByteArray NativePathOfText(const QString& text)
{
    if (!text.startsWith(u'/'))
        return {};
    QList<QByteArray> parts;
    for (const QString& part : text.split(u'/', Qt::SkipEmptyParts)) {
        if (part == u".")
            continue;
        if (part == u"..") {
            if (!parts.isEmpty())
                parts.removeLast();
            continue;
        }
        parts.append(EntryShownAs('/' + parts.join('/'), part));
    }
    return '/' + parts.join('/');
}
