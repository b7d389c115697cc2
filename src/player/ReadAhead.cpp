#include "ReadAhead.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr long long kBufferSize = 64 * 1024;
} // namespace

long long ReadAhead::Read(long long offset, char* dst, long long size)
{
    // A request as large as the buffer gains nothing from it.
    if (size >= kBufferSize)
        return file_.ReadAt(offset, dst, size);
    if (offset < start_ || offset + size > start_ + filled_) {
        buffer_.resize(kBufferSize);
        const long long n = file_.ReadAt(offset, buffer_.data(), kBufferSize);
        if (n < 0) {
            filled_ = 0;
            return -1;
        }
        start_ = offset;
        filled_ = n;
    }
    const long long n = std::clamp(start_ + filled_ - offset, 0LL, size);
    std::memcpy(dst, buffer_.data() + (offset - start_), static_cast<size_t>(n));
    return n;
}
