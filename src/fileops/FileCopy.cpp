#include "FileCopy.h"

#include "NameBytes.h"
#include "core/NoReplace.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <ftw.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <vector>

namespace {

// Large enough that the system calls cost nothing next to the copying, small enough that Cancel
// answers within a fraction of a second even on slow media.
constexpr size_t kBlock = 8 * 1024 * 1024;
constexpr size_t kBuffer = 1024 * 1024;
constexpr int kMaxCollisionNames = 100000;

int ReadWriteCopy(int fromFd, int toFd, const BlockHook& block)
{
    std::vector<char> buffer(kBuffer);
    for (;;) {
        const ssize_t got = ::read(fromFd, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return errno;
        if (got == 0)
            return 0;
        for (ssize_t written = 0; written < got;) {
            const ssize_t put = ::write(toFd, buffer.data() + written, size_t(got - written));
            if (put < 0 && errno == EINTR)
                continue;
            if (put < 0)
                return errno;
            written += put;
        }
        if (!block(got))
            return ECANCELED;
    }
}

} // namespace

int CopyFileData(int fromFd, int toFd, const BlockHook& block)
{
    struct stat st {};
    if (::fstat(fromFd, &st) == 0 && st.st_size > 0 && ::ioctl(toFd, FICLONE, fromFd) == 0)
        return block(st.st_size) ? 0 : ECANCELED;
    for (;;) {
        const ssize_t copied = ::copy_file_range(fromFd, nullptr, toFd, nullptr, kBlock, 0);
        if (copied > 0) {
            if (!block(copied))
                return ECANCELED;
            continue;
        }
        if (copied == 0)
            return 0;
        if (errno == EINTR)
            continue;
        // Offsets have moved only by what was copied, so read and write go on from there.
        if (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP || errno == EBADF)
            return ReadWriteCopy(fromFd, toFd, block);
        return errno;
    }
}

int FinishCopy(int toFd, const struct stat& st, bool sync)
{
    if (::fchmod(toFd, st.st_mode & 01777) != 0)
        return errno;
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    if (::futimens(toFd, times) != 0)
        return errno;
    if (sync && ::fsync(toFd) != 0)
        return errno;
    return 0;
}

int MakeTempFile(const QByteArray& folder, QByteArray& path)
{
    QByteArray pattern = JoinPath(folder, ".kiro-XXXXXX.part");
    const int fd = ::mkostemps(pattern.data(), 5, O_CLOEXEC);
    if (fd >= 0)
        path = pattern;
    return fd;
}

int MakeTempFolder(const QByteArray& folder, QByteArray& path)
{
    QByteArray pattern = JoinPath(folder, ".kiro-XXXXXX");
    if (::mkdtemp(pattern.data()) == nullptr)
        return errno;
    path = pattern;
    return 0;
}

int PlaceNoReplace(const QByteArray& from, const QByteArray& folder, const QByteArray& name, bool isFolder,
                   QByteArray& placed)
{
    for (int n = 1; n <= kMaxCollisionNames; ++n) {
        const QByteArray candidate = JoinPath(folder, CollisionName(name, n, isFolder));
        if (PathExists(candidate))
            continue;
        const int error = RenameNoReplace(from, candidate);
        if (error == EEXIST || error == ENOTEMPTY)
            continue;
        if (error == 0)
            placed = candidate;
        return error;
    }
    return EEXIST;
}

int RemoveTree(const QByteArray& path, QByteArray& failedPath)
{
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0)
        return errno;
    if (!S_ISDIR(st.st_mode)) {
        if (::unlink(path.constData()) == 0)
            return 0;
        failedPath = path;
        return errno;
    }
    // nftw calls back without a context pointer; the walk runs on one thread at a time per path.
    static thread_local QByteArray* failed = nullptr;
    failed = &failedPath;
    const auto remove = [](const char* item, const struct stat*, int, FTW*) {
        if (::remove(item) == 0)
            return 0;
        *failed = QByteArray(item);
        return errno;
    };
    const int result = ::nftw(path.constData(), remove, 32, FTW_DEPTH | FTW_PHYS);
    failed = nullptr;
    return result < 0 ? errno : result;
}

int SyncFolder(const QByteArray& folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int result = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return result;
}

bool PathExists(const QByteArray& path)
{
    struct stat st {};
    return ::lstat(path.constData(), &st) == 0;
}

QByteArray RealPath(const QByteArray& path)
{
    char* resolved = ::realpath(path.constData(), nullptr);
    if (resolved == nullptr)
        return {};
    QByteArray result(resolved);
    std::free(resolved);
    return result;
}

int MakeFolders(const QByteArray& path, mode_t mode)
{
    for (qsizetype slash = path.indexOf('/', 1); slash >= 0; slash = path.indexOf('/', slash + 1)) {
        if (::mkdir(path.first(slash).constData(), mode) != 0 && errno != EEXIST)
            return errno;
    }
    return ::mkdir(path.constData(), mode) == 0 || errno == EEXIST ? 0 : errno;
}
