#include "NativeFile.h"

#include "MediaError.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

NativeFile::~NativeFile()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool NativeFile::Open(const QByteArray& path, int& error)
{
    // Non-blocking, so that a FIFO or device under a media name cannot hang the open.
    fd_ = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0) {
        error = (errno == ENOENT || errno == ENOTDIR) ? kErrFileNotFound : kErrFileUnreadable;
        return false;
    }
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd_);
        fd_ = -1;
        error = kErrFileUnreadable;
        return false;
    }
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
    return true;
}

long long NativeFile::Size() const
{
    struct stat st {};
    return ::fstat(fd_, &st) == 0 ? static_cast<long long>(st.st_size) : -1;
}

bool NativeFile::ReadAll(QByteArray& out, long long limit, int& error)
{
    const long long size = Size();
    if (size < 0 || size > limit) {
        error = size < 0 ? kErrFileUnreadable : kErrBadFormat;
        return false;
    }
    out.resize(static_cast<qsizetype>(size));
    if (ReadAt(0, out.data(), size) != size) {
        error = kErrFileUnreadable;
        return false;
    }
    return true;
}

long long NativeFile::ReadAt(long long offset, char* dst, long long size) const
{
    long long done = 0;
    while (done < size) {
        const ssize_t n = ::pread(fd_, dst + done, static_cast<size_t>(size - done), offset + done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        done += n;
    }
    return done;
}

QByteArray LowerExtension(const QByteArray& file)
{
    const qsizetype dot = file.lastIndexOf('.');
    return dot < 0 ? QByteArray() : file.mid(dot).toLower();
}
