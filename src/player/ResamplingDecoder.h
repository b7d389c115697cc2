#pragma once

#include "Decoder.h"

#include <memory>
#include <vector>

struct SwrContext;

// Another decoder's sound at the rate of the output already open, so that a file of another rate
// follows without the output being opened again. Frames count at the new rate.
class ResamplingDecoder final : public IDecoder {
public:
    // Null when the resampler cannot be made.
    static std::unique_ptr<ResamplingDecoder> Wrap(std::unique_ptr<IDecoder> inner, int rate);
    ~ResamplingDecoder() override;

    int Rate() const override { return rate_; }
    int Read(int16_t* dst, int maxFrames) override;
    bool Seek(int64_t frame) override;
    const IDecoder& Inner() const { return *inner_; }

private:
    ResamplingDecoder(std::unique_ptr<IDecoder> inner, int rate) : inner_(std::move(inner)), rate_(rate) {}
    bool Reset();

    std::unique_ptr<IDecoder> inner_;
    int rate_;
    SwrContext* swr_ = nullptr;
    std::vector<int16_t> in_;
    bool innerEnded_ = false;
};
