#pragma once

#include <QByteArray>

#include <cstdint>
#include <cstdlib>
#include <sys/mman.h>
#include <unistd.h>

// A file in memory, reached by a path, that each input overwrites: the
// players and the tag reader open files by name.
class MemoryFile {
public:
    MemoryFile() : fd_(::memfd_create("fuzz", MFD_CLOEXEC))
    {
        if (fd_ < 0)
            std::abort();
    }

    // The path of the file now holding data.
    QByteArray Hold(const uint8_t* data, size_t size)
    {
        if (::ftruncate(fd_, 0) != 0 || (size > 0 && ::pwrite(fd_, data, size, 0) != static_cast<ssize_t>(size)))
            std::abort();
        return "/proc/self/fd/" + QByteArray::number(fd_);
    }

private:
    int fd_;
};

// Reads what a decoder gives, bounded, so that a stream claiming hours still
// ends the run.
template <typename Decoder>
void Drain(Decoder& d, int maxFrames)
{
    int16_t buffer[4096 * 2];
    for (int total = 0; total < maxFrames;) {
        const int n = d.Read(buffer, 4096);
        if (n <= 0)
            return;
        if (n > 4096)
            std::abort();
        total += n;
    }
}
