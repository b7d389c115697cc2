#include "FolderPlaces.h"


#include <QFile>
#include <QStandardPaths>

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

bool IsExistingFolder(const QByteArray& path)
{
    if (!path.startsWith('/'))
        return false;
    struct stat st {};
    return ::stat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

QList<QByteArray> ListSubFolders(const QByteArray& folder)
{
    QList<QByteArray> names;
    SubFolderReader reader(folder);
    static const std::atomic<bool> never {false};
    while (reader.Read(names, 4096, never)) {
    }
    return names;
}

SubFolderReader::SubFolderReader(const QByteArray& folder) : entries_(folder) {}

bool SubFolderReader::Read(QList<QByteArray>& names, int entries, const std::atomic<bool>& cancelled)
{
    return entries_.Read(entries, cancelled, [&](int folderFd, const dirent& entry) {
        const char* name = entry.d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
            return;
        bool isDir = entry.d_type == DT_DIR;
        if (entry.d_type == DT_UNKNOWN || entry.d_type == DT_LNK) {
            struct stat st {};
            isDir = ::fstatat(folderFd, name, &st, 0) == 0 && S_ISDIR(st.st_mode);
        }
        if (isDir)
            names.append(QByteArray(name));
    });
}

QByteArray JoinPath(const QByteArray& folder, const QByteArray& name)
{
    if (folder.endsWith('/'))
        return folder + name;
    return folder + '/' + name;
}

QByteArray LastComponent(const QByteArray& path)
{
    if (path == "/")
        return path;
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? path : path.mid(slash + 1);
}

QByteArray NormalisedFolderPath(const QByteArray& path)
{
    if (!path.startsWith('/'))
        return {};
    QList<QByteArray> parts;
    for (const QByteArray& part : path.split('/')) {
        if (part.isEmpty() || part == ".")
            continue;
        if (part == "..") {
            if (!parts.isEmpty())
                parts.removeLast();
            continue;
        }
        parts.append(part);
    }
    return '/' + parts.join('/');
}

namespace {

bool IsBelow(const QByteArray& path, const QByteArray& folder)
{
    return folder.size() > 1 && path.startsWith(folder) && path.size() > folder.size() && path[folder.size()] == '/';
}

// Loop devices and snap images hold system software unless mounted where a user keeps files.
bool IsUserPlace(const QByteArray& point, const QByteArray& home)
{
    for (const QByteArray& place : {QByteArray("/media"), QByteArray("/run/media"), QByteArray("/mnt"), home}) {
        if (IsBelow(point, place))
            return true;
    }
    return false;
}

// /proc/self/mounts writes blanks, tabs, newlines and backslashes as \ooo.
QByteArray UnescapeMountField(const QByteArray& field)
{
    QByteArray out;
    for (qsizetype i = 0; i < field.size(); ++i) {
        const auto isOctal = [&](qsizetype k) { return field[k] >= '0' && field[k] <= '7'; };
        if (field[i] == '\\' && i + 3 < field.size() && isOctal(i + 1) && isOctal(i + 2) && isOctal(i + 3)) {
            out.append(char(((field[i + 1] - '0') << 6) | ((field[i + 2] - '0') << 3) | (field[i + 3] - '0')));
            i += 3;
        } else {
            out.append(field[i]);
        }
    }
    return out;
}

} // namespace

QList<QByteArray> ParseMountPoints(const QByteArray& mountsText, const QByteArray& home)
{
    QList<QByteArray> points;
    for (const QByteArray& line : mountsText.split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() < 3 || !fields[0].startsWith("/dev/"))
            continue;
        const QByteArray point = UnescapeMountField(fields[1]);
        if (point == "/" || !point.startsWith('/') || points.contains(point))
            continue;
        const bool systemImage = fields[0].startsWith("/dev/loop") || fields[2] == "squashfs";
        if (systemImage && !IsUserPlace(point, home))
            continue;
        points.append(point);
    }
    return points;
}

QByteArray HomeFolder()
{
    QByteArray home = qgetenv("HOME");
    if (home.isEmpty()) {
        if (const passwd* pw = ::getpwuid(::getuid()))
            home = pw->pw_dir;
    }
    home = NormalisedFolderPath(home);
    return home.isEmpty() ? QByteArray("/") : home;
}

QByteArray DesktopFolder()
{
    // XDG_DESKTOP_DIR in the environment wins; else the user-dirs file as Qt reads it.
    QByteArray desktop = NormalisedFolderPath(qgetenv("XDG_DESKTOP_DIR"));
    if (desktop.isEmpty())
        desktop = NormalisedFolderPath(
            QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation)));
    return IsExistingFolder(desktop) ? desktop : HomeFolder();
}
