#pragma once

#include <sys/types.h>

#include <vector>

// Reads and seeks a file descriptor through a buffer, so that a reader that asks for a few bytes
// at a time (libmpg123 reads each frame's header and body apart) costs one system call per
// buffer instead of two per frame. The descriptor stays its owner's.
class BufferedFd {
public:
    explicit BufferedFd(int fd = -1) : fd_(fd) {}

    // What read(2) and lseek(2) give, on the position this reader has reached.
    ssize_t Read(void* dst, size_t size);
    off_t Seek(off_t offset, int whence);

private:
    int fd_;
    std::vector<char> buffer_;
    off_t bufferStart_ = 0;  // file position of buffer_[0]
    size_t filled_ = 0;
    size_t at_ = 0;
};
