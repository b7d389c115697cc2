#include "ResamplingDecoder.h"

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/samplefmt.h>
#include <libswresample/swresample.h>
}

namespace {
constexpr int kInFrames = 2048;
}

std::unique_ptr<ResamplingDecoder> ResamplingDecoder::Wrap(std::unique_ptr<IDecoder> inner, int rate)
{
    if (!inner || rate <= 0)
        return nullptr;
    std::unique_ptr<ResamplingDecoder> d(new ResamplingDecoder(std::move(inner), rate));
    d->in_.resize(static_cast<size_t>(kInFrames) * 2);
    return d->Reset() ? std::move(d) : nullptr;
}

ResamplingDecoder::~ResamplingDecoder() { swr_free(&swr_); }

bool ResamplingDecoder::Reset()
{
    swr_free(&swr_);
    innerEnded_ = false;
    AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    return swr_alloc_set_opts2(&swr_, &stereo, AV_SAMPLE_FMT_S16, rate_, &stereo, AV_SAMPLE_FMT_S16, inner_->Rate(), 0,
                               nullptr) == 0
        && swr_init(swr_) == 0;
}

int ResamplingDecoder::Read(int16_t* dst, int maxFrames)
{
    auto* out = reinterpret_cast<uint8_t*>(dst);
    const auto* in = reinterpret_cast<const uint8_t*>(in_.data());
    for (;;) {
        // What the resampler holds from before (no input, but not the null that would end it).
        int got = swr_convert(swr_, &out, maxFrames, &in, 0);
        if (got != 0)
            return got > 0 ? got : 0;
        if (innerEnded_)
            return 0;
        const int n = inner_->Read(in_.data(), kInFrames);
        if (n <= 0) {
            // The rest held back by the filter.
            innerEnded_ = true;
            got = swr_convert(swr_, &out, maxFrames, nullptr, 0);
        } else {
            got = swr_convert(swr_, &out, maxFrames, &in, n);
        }
        if (got != 0)
            return got > 0 ? got : 0;
    }
}

bool ResamplingDecoder::Seek(int64_t frame)
{
    const int64_t innerFrame = frame * inner_->Rate() / rate_;
    return inner_->Seek(innerFrame) && Reset();
}
