#include "WriteAll.h"

#include <cerrno>
#include <unistd.h>

int WriteAll(int fd, const QByteArray& bytes)
{
    for (qsizetype written = 0; written < bytes.size();) {
        const ssize_t put = ::write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (put < 0 && errno == EINTR)
            continue;
        if (put < 0)
            return errno;
        written += put;
    }
    return 0;
}

int WriteSyncClose(int fd, const QByteArray& bytes)
{
    int error = WriteAll(fd, bytes);
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    ::close(fd);
    return error;
}
