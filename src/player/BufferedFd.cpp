#include "BufferedFd.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {
constexpr size_t kBufferSize = 64 * 1024;

ssize_t ReadRetrying(int fd, void* dst, size_t size)
{
    ssize_t n = 0;
    do
        n = ::read(fd, dst, size);
    while (n < 0 && errno == EINTR);
    return n;
}
} // namespace

ssize_t BufferedFd::Read(void* dst, size_t size)
{
    if (at_ == filled_) {
        bufferStart_ += static_cast<off_t>(filled_);
        filled_ = at_ = 0;
        // A request as large as the buffer gains nothing from it.
        if (size >= kBufferSize) {
            const ssize_t n = ReadRetrying(fd_, dst, size);
            if (n > 0)
                bufferStart_ += n;
            return n;
        }
        buffer_.resize(kBufferSize);
        const ssize_t n = ReadRetrying(fd_, buffer_.data(), kBufferSize);
        if (n <= 0)
            return n;
        filled_ = static_cast<size_t>(n);
    }
    const size_t n = std::min(size, filled_ - at_);
    std::memcpy(dst, buffer_.data() + at_, n);
    at_ += n;
    return static_cast<ssize_t>(n);
}

off_t BufferedFd::Seek(off_t offset, int whence)
{
    off_t target = offset;
    if (whence == SEEK_CUR) {
        target = bufferStart_ + static_cast<off_t>(at_) + offset;
    } else if (whence != SEEK_SET) {
        // From the end: only the descriptor knows where that is.
        const off_t reached = ::lseek(fd_, offset, whence);
        if (reached >= 0) {
            bufferStart_ = reached;
            filled_ = at_ = 0;
        }
        return reached;
    }
    if (target < 0) {
        errno = EINVAL;
        return -1;
    }
    if (target >= bufferStart_ && target <= bufferStart_ + static_cast<off_t>(filled_)) {
        at_ = static_cast<size_t>(target - bufferStart_);
        return target;
    }
    const off_t reached = ::lseek(fd_, target, SEEK_SET);
    if (reached >= 0) {
        bufferStart_ = reached;
        filled_ = at_ = 0;
    }
    return reached;
}
