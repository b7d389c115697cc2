#include "Mp3Decoder.h"

#include <mpg123.h>

#include <algorithm>
#include <cstring>
#include <mutex>

namespace {
constexpr int kPrimeFrames = 1152;
}

std::unique_ptr<Mp3Decoder> Mp3Decoder::Open(const QByteArray& path)
{
    static std::once_flag once;
    std::call_once(once, [] { mpg123_init(); });

    std::unique_ptr<Mp3Decoder> d(new Mp3Decoder);
    int error = 0;
    if (!d->file_.Open(path, error) || !d->Load())
        return nullptr;
    return d;
}

Mp3Decoder::~Mp3Decoder()
{
    if (mh_) {
        mpg123_close(mh_);
        mpg123_delete(mh_);
    }
}

bool Mp3Decoder::Load()
{
    int err = MPG123_OK;
    mh_ = mpg123_new(nullptr, &err);
    if (!mh_)
        return false;
    mpg123_param(mh_, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
    mpg123_param(mh_, MPG123_REMOVE_FLAGS, MPG123_GAPLESS, 0);
    // Stereo 16-bit only: mono files come out doubled, so the pipeline has one format.
    mpg123_format_none(mh_);
    const long* rates = nullptr;
    size_t count = 0;
    mpg123_rates(&rates, &count);
    for (size_t i = 0; i < count; ++i)
        mpg123_format(mh_, rates[i], MPG123_STEREO, MPG123_ENC_SIGNED_16);

    // Through a buffer: the scan and the decoding read every frame in small pieces.
    reader_ = BufferedFd(file_.Fd());
    const auto read = [](void* reader, void* dst, size_t size) { return static_cast<BufferedFd*>(reader)->Read(dst, size); };
    const auto seek = [](void* reader, off_t offset, int whence) {
        return static_cast<BufferedFd*>(reader)->Seek(offset, whence);
    };
    if (mpg123_replace_reader_handle(mh_, read, seek, nullptr) != MPG123_OK || mpg123_open_handle(mh_, &reader_) != MPG123_OK
        || mpg123_scan(mh_) != MPG123_OK)
        return false;
    frames_ = mpg123_framelength(mh_);
    spf_ = mpg123_spf(mh_);
    samples_ = mpg123_length(mh_);
    int channels = 0;
    int encoding = 0;
    if (frames_ <= 0 || spf_ <= 0 || samples_ <= 0 || mpg123_getformat(mh_, &rate_, &channels, &encoding) != MPG123_OK
        || rate_ <= 0 || EndsInsideFrame())
        return false;

    // A file that does not decode must fail here, not play silence later.
    primed_.resize(static_cast<size_t>(kPrimeFrames) * 2);
    const int got = Decode(primed_.data(), kPrimeFrames);
    if (got <= 0)
        return false;
    primed_.resize(static_cast<size_t>(got) * 2);
    return true;
}

// A cut-off file ends with the start of a frame that libmpg123 silently drops.
bool Mp3Decoder::EndsInsideFrame()
{
    if (mpg123_seek_frame(mh_, std::max<int64_t>(0, frames_ - 2), SEEK_SET) < 0)
        return true;
    off_t lastPos = -1;
    long lastSize = 0;
    for (int r = mpg123_framebyframe_next(mh_); r == MPG123_OK || r == MPG123_NEW_FORMAT;
         r = mpg123_framebyframe_next(mh_)) {
        mpg123_frameinfo info{};
        mpg123_info(mh_, &info);
        lastPos = mpg123_framepos(mh_);
        lastSize = info.framesize;
    }
    if (lastPos < 0 || mpg123_seek(mh_, 0, SEEK_SET) < 0)
        return true;
    unsigned char tail[2] = {0, 0};
    const long long end = static_cast<long long>(lastPos) + lastSize;
    if (file_.ReadAt(end, reinterpret_cast<char*>(tail), 2) != 2)
        return false;
    return tail[0] == 0xFF && (tail[1] & 0xE0) == 0xE0;
}

int Mp3Decoder::Decode(int16_t* dst, int maxFrames)
{
    size_t done = 0;
    for (;;) {
        const int r = mpg123_read(mh_, reinterpret_cast<unsigned char*>(dst), static_cast<size_t>(maxFrames) * 4, &done);
        if (r == MPG123_NEW_FORMAT && done == 0)
            continue;
        if (r == MPG123_OK || r == MPG123_NEW_FORMAT || (r == MPG123_DONE && done > 0))
            return static_cast<int>(done / 4);
        return 0;
    }
}

int Mp3Decoder::Read(int16_t* dst, int maxFrames)
{
    if (primedAt_ < primed_.size()) {
        const size_t n = std::min(static_cast<size_t>(maxFrames) * 2, primed_.size() - primedAt_);
        std::memcpy(dst, primed_.data() + primedAt_, n * sizeof(int16_t));
        primedAt_ += n;
        return static_cast<int>(n / 2);
    }
    return Decode(dst, maxFrames);
}

bool Mp3Decoder::Seek(int64_t frame)
{
    primedAt_ = primed_.size();
    return mpg123_seek(mh_, static_cast<off_t>(std::min(frame, samples_)), SEEK_SET) >= 0;
}
