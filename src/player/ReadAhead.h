#pragma once

#include "NativeFile.h"

#include <vector>

// Serves a reader that asks for a few bytes at a time (libmpg123 reads each frame's header and body
// apart, once to scan and again to decode) from a buffer filled 64 KiB at a time, so a frame costs a
// fraction of a system call instead of two.
class ReadAhead {
public:
    explicit ReadAhead(const NativeFile& file) : file_(file) {}

    // Up to size bytes at offset, as NativeFile::ReadAt gives them: the count read, or -1.
    long long Read(long long offset, char* dst, long long size);

private:
    const NativeFile& file_;
    std::vector<char> buffer_;
    long long start_ = 0;  // file offset of buffer_[0]
    long long filled_ = 0;
};
