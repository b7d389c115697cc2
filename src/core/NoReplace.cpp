#include "NoReplace.h"

#include <cerrno>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

int RenameNoReplace(int fromDirFd, const QByteArray& from, int toDirFd, const QByteArray& to)
{
    if (::syscall(SYS_renameat2, fromDirFd, from.constData(), toDirFd, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    const int error = errno;
    if (error != EINVAL && error != ENOSYS)
        return error;
    // File systems without RENAME_NOREPLACE: a hard link fails when the name is taken, so nothing is
    // replaced; folders cannot be linked, and are refused rather than risked.
    struct stat st {};
    if (::fstatat(fromDirFd, from.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return errno;
    if (S_ISDIR(st.st_mode))
        return error;
    if (::linkat(fromDirFd, from.constData(), toDirFd, to.constData(), 0) != 0)
        return errno;
    if (::unlinkat(fromDirFd, from.constData(), 0) != 0) {
        const int unlinkError = errno;
        ::unlinkat(toDirFd, to.constData(), 0);
        return unlinkError;
    }
    return 0;
}

int RenameNoReplace(const QByteArray& from, const QByteArray& to)
{
    return RenameNoReplace(AT_FDCWD, from, AT_FDCWD, to);
}
