#include "Trash.h"

#include "FileCopy.h"
#include "NameBytes.h"
#include "core/NoReplace.h"
#include "core/WriteAll.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kMaxNames = 100000;
constexpr char kInfoSuffix[] = ".trashinfo";

// The mount an entry lives on; the device when the kernel cannot say.
bool MountOf(const QByteArray& path, quint64& mount)
{
    struct statx sx {};
    if (::statx(AT_FDCWD, path.constData(), AT_SYMLINK_NOFOLLOW, STATX_MNT_ID | STATX_INO, &sx) != 0)
        return false;
    mount = (sx.stx_mask & STATX_MNT_ID) ? sx.stx_mnt_id : (quint64(sx.stx_dev_major) << 32 | sx.stx_dev_minor);
    return true;
}

// A folder that is ours: made with mode 0700 when missing, no link, owned by us.
bool OwnFolder(const QByteArray& path)
{
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat st {};
    return ::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid()
        && ::access(path.constData(), W_OK | X_OK) == 0;
}

bool TrashFolder(const QByteArray& folder)
{
    return OwnFolder(folder) && OwnFolder(folder + "/files") && OwnFolder(folder + "/info");
}

// The trash folder's file system refuses new entries: read-only, no permission, full.
bool Unwritable(int error)
{
    return error == EROFS || error == EACCES || error == EPERM || error == ENOSPC || error == EDQUOT;
}

// The n-th name tried for the entry of an item: room is left for ".trashinfo". The stem is cut first,
// down to its first character, then the tail from the last dot on, from its end: a name whose only dot
// comes early is all tail.
QByteArray EntryName(const QByteArray& name, int n, bool isFolder)
{
    constexpr qsizetype max = kNameMax - qsizetype(sizeof kInfoSuffix - 1);
    const QByteArray candidate = CollisionName(name, n, isFolder, max);
    if (candidate.size() <= max)
        return candidate;
    const qsizetype dot = name.lastIndexOf('.');
    const QByteArray first = name.first(CharStarts(name.first(dot)).value(1, dot));
    const QByteArray suffix = n <= 1 ? QByteArray() : " (" + QByteArray::number(n) + ")";
    return first + suffix + FitToBytes(name.sliced(dot), max - first.size() - suffix.size());
}

} // namespace

TTrash::TTrash()
{
    QByteArray data = qgetenv("XDG_DATA_HOME");
    if (!data.startsWith('/'))
        data = qgetenv("HOME") + "/.local/share";
    home_ = data + "/Trash";
}

QByteArray TTrash::EncodeInfoPath(const QByteArray& path)
{
    return path.toPercentEncoding("/");
}

bool TTrash::FindPlace(const QByteArray& path, Place& place) const
{
    // The entry lives in its folder's file system, even when the item is itself a mount point.
    const QByteArray folder = RealPath(FolderOf(path));
    quint64 itemMount = 0;
    if (folder.isEmpty() || !MountOf(folder, itemMount))
        return false;

    QByteArray existing = home_;
    while (!existing.isEmpty() && !PathExists(existing))
        existing = FolderOf(existing);
    quint64 homeMount = 0;
    if (home_.startsWith('/') && MountOf(existing, homeMount) && homeMount == itemMount) {
        place = {home_, {}};
        return MakeFolders(home_, 0700) == 0 && TrashFolder(home_);
    }

    QByteArray topdir = folder;
    for (quint64 mount = 0; topdir != "/" && MountOf(FolderOf(topdir), mount) && mount == itemMount;)
        topdir = FolderOf(topdir);
    const QByteArray uid = QByteArray::number(::getuid());
    const QByteArray shared = JoinPath(topdir, ".Trash");
    struct stat st {};
    if (::lstat(shared.constData(), &st) == 0 && S_ISDIR(st.st_mode) && (st.st_mode & S_ISVTX)
        && TrashFolder(shared + "/" + uid)) {
        place = {shared + "/" + uid, topdir};
        return true;
    }
    const QByteArray own = JoinPath(topdir, ".Trash-" + uid);
    if (TrashFolder(own)) {
        place = {own, topdir};
        return true;
    }
    return false;
}

TTrash::Result TTrash::Put(const QByteArray& path, const QDateTime& now) const
{
    struct stat st {};
    if (!path.startsWith('/'))
        return {Outcome::Failed, EINVAL, {}};
    if (::lstat(path.constData(), &st) != 0)
        return {Outcome::Failed, errno, {}};
    Place place;
    if (!FindPlace(path, place))
        return {Outcome::NoTrash, 0, {}};
    return PutInto(place, path, S_ISDIR(st.st_mode), now);
}

TTrash::Result TTrash::PutInto(const Place& place, const QByteArray& path, bool isFolder, const QDateTime& now) const
{
    QByteArray infoPath = path;
    if (!place.topdir.isEmpty()) {
        const QByteArray full = JoinPath(RealPath(FolderOf(path)), BaseName(path));
        const QByteArray prefix = place.topdir == "/" ? QByteArray("/") : place.topdir + "/";
        infoPath = full.startsWith(prefix) ? full.sliced(prefix.size()) : full;
    }
    const QByteArray info = "[Trash Info]\nPath=" + EncodeInfoPath(infoPath) + "\nDeletionDate="
        + now.toString(QStringLiteral("yyyy-MM-ddThh:mm:ss")).toLatin1() + "\n";
    const QByteArray name = BaseName(path);
    // Path= keeps the original name whatever the entry is called.
    for (int n = 1; n <= kMaxNames; ++n) {
        const QByteArray candidate = EntryName(name, n, isFolder);
        const QByteArray infoFile = place.folder + "/info/" + candidate + kInfoSuffix;
        const QByteArray target = place.folder + "/files/" + candidate;
        // The .trashinfo first: whoever holds it owns the name in files/.
        const int fd = ::open(infoFile.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return {Unwritable(errno) ? Outcome::NoTrash : Outcome::Failed, errno, {}};
        int error = WriteSyncClose(fd, info);
        if (error == 0)
            error = RenameNoReplace(path, target);
        if (error == 0)
            return {Outcome::Trashed, 0, target};
        ::unlink(infoFile.constData());
        if (error == EEXIST || error == ENOTEMPTY)
            continue;
        // A rename across mounts would copy; the trash refuses instead.
        if (error == EXDEV)
            return {Outcome::NoTrash, error, {}};
        return {Outcome::Failed, error, {}};
    }
    return {Outcome::Failed, EEXIST, {}};
}
