#include "Mp3Decoder.h"

#include <mpg123.h>

#include <algorithm>
#include <cstring>
#include <mutex>

namespace {
constexpr int kPrimeFrames = 1152;
// Layer III frames borrow from up to the previous few frames' bit reservoir;
// libmpg123's default of 4 leaves VBR and MPEG-2 files wrong after a seek.
constexpr long kPreFrames = 8;
const std::atomic<bool> kNeverCancel{false};
} // namespace

std::unique_ptr<Mp3Decoder> Mp3Decoder::OpenFile(const QByteArray& path)
{
    static std::once_flag once;
    std::call_once(once, [] { mpg123_init(); });

    std::unique_ptr<Mp3Decoder> d(new Mp3Decoder);
    int error = 0;
    if (!d->file_.Open(path, error))
        return nullptr;
    return d;
}

std::unique_ptr<Mp3Decoder> Mp3Decoder::Open(const QByteArray& path)
{
    auto d = OpenFile(path);
    return d && d->Load(kNeverCancel) ? std::move(d) : nullptr;
}

Mp3Decoder::~Mp3Decoder()
{
    if (mh_) {
        mpg123_close(mh_);
        mpg123_delete(mh_);
    }
}

ssize_t Mp3Decoder::ReadSpan(void* self, void* dst, size_t size)
{
    auto* d = static_cast<Mp3Decoder*>(self);
    if (d->cancel_ && d->cancel_->load(std::memory_order_relaxed))
        return -1;
    const long long want = std::min(static_cast<long long>(size), d->span_.end - d->span_.begin - d->at_);
    if (want <= 0)
        return 0;
    const long long n = d->reader_.Read(d->span_.begin + d->at_, static_cast<char*>(dst), want);
    if (n < 0)
        return -1;
    d->at_ += n;
    return static_cast<ssize_t>(n);
}

off_t Mp3Decoder::SeekSpan(void* self, off_t offset, int whence)
{
    auto* d = static_cast<Mp3Decoder*>(self);
    const long long size = d->span_.end - d->span_.begin;
    long long to = offset;
    if (whence == SEEK_CUR)
        to += d->at_;
    else if (whence == SEEK_END)
        to += size;
    else if (whence != SEEK_SET)
        return -1;
    if (to < 0)
        return -1;
    d->at_ = to;
    return static_cast<off_t>(to);
}

bool Mp3Decoder::Load(const std::atomic<bool>& cancel)
{
    cancel_ = &cancel;
    span_ = FindMp3Span(file_);
    int err = MPG123_OK;
    mh_ = mpg123_new(nullptr, &err);
    if (!mh_)
        return false;
    mpg123_param(mh_, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
    // The encoder's delay and padding are no sound: without them an album cut
    // into tracks plays as one stream.
    mpg123_param(mh_, MPG123_ADD_FLAGS, MPG123_GAPLESS, 0);
    mpg123_param(mh_, MPG123_PREFRAMES, kPreFrames, 0);
    // Stereo 16-bit only: mono files come out doubled, so the pipeline has one format.
    mpg123_format_none(mh_);
    const long* rates = nullptr;
    size_t count = 0;
    mpg123_rates(&rates, &count);
    for (size_t i = 0; i < count; ++i)
        mpg123_format(mh_, rates[i], MPG123_STEREO, MPG123_ENC_SIGNED_16);

    const auto scan = [this] { return mpg123_open_handle(mh_, this) == MPG123_OK && mpg123_scan(mh_) == MPG123_OK; };
    if (mpg123_replace_reader_handle(mh_, &Mp3Decoder::ReadSpan, &Mp3Decoder::SeekSpan, nullptr) != MPG123_OK || !scan())
        return false;
    if (mpg123_length(mh_) <= 0 && mpg123_framelength(mh_) > 0) {
        // So short that the encoder's delay and padding are all there is: it plays whole, as other
        // players play it, rather than not at all.
        mpg123_close(mh_);
        at_ = 0;
        mpg123_param(mh_, MPG123_REMOVE_FLAGS, MPG123_GAPLESS, 0);
        if (!scan())
            return false;
    }
    frames_ = mpg123_framelength(mh_);
    spf_ = mpg123_spf(mh_);
    samples_ = mpg123_length(mh_);
    int channels = 0;
    int encoding = 0;
    if (frames_ <= 0 || spf_ <= 0 || samples_ <= 0 || mpg123_getformat(mh_, &rate_, &channels, &encoding) != MPG123_OK
        || rate_ <= 0)
        return false;

    // A file that does not decode must fail here, not play silence later.
    primed_.resize(static_cast<size_t>(kPrimeFrames) * 2);
    const int got = Decode(primed_.data(), kPrimeFrames);
    cancel_ = nullptr;
    if (got <= 0)
        return false;
    primed_.resize(static_cast<size_t>(got) * 2);
    return true;
}

int Mp3Decoder::Decode(int16_t* dst, int maxFrames)
{
    size_t done = 0;
    for (;;) {
        const int r = mpg123_read(mh_, reinterpret_cast<unsigned char*>(dst), static_cast<size_t>(maxFrames) * 4, &done);
        // Frames handed over together with the end or an error (junk after the last frame) are sound
        // all the same; the next read tells the end.
        if (done > 0)
            return static_cast<int>(done / 4);
        if (r != MPG123_NEW_FORMAT)
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
