#include "TMp3Play.h"

#include <algorithm>
#include <limits>

void TMp3Play::Prepare(const QByteArray& file)
{
    Release();
    loader_.Start(file);
}

int16_t TMp3Play::Open(const QByteArray& file, const QString&)
{
    Release();
    if (!loader_.Holds(file))
        loader_.Start(file);
    auto decoder = loader_.Take();
    if (decoder)
        loader_.Reset();  // a later Open of this file loads it afresh
    if (!decoder || decoder->FrameCount() > std::numeric_limits<int32_t>::max())
        return 1;
    const Mp3Decoder& loaded = *decoder;
    if (!pipeline_.Start(std::move(decoder), this))
        return 1;
    Adopt(loaded);
    return 0;
}

void TMp3Play::Adopt(const Mp3Decoder& decoder)
{
    frames_ = static_cast<int32_t>(decoder.FrameCount());
    totalMs_ = static_cast<int32_t>(std::min<int64_t>(decoder.TotalMs(), std::numeric_limits<int32_t>::max()));
    spf_ = decoder.SamplesPerFrame();
    rate_ = decoder.Rate();
}

void TMp3Play::Queue(const QByteArray& file)
{
    Unqueue();
    if (!pipeline_.Running())
        return;
    queued_ = file;
    pipeline_.ExpectNext();
    nextLoader_.Start(file, [this](std::unique_ptr<Mp3Decoder> decoder) {
        if (decoder && decoder->FrameCount() > std::numeric_limits<int32_t>::max())
            decoder.reset();
        pipeline_.Queue(std::move(decoder));
    });
}

void TMp3Play::Unqueue()
{
    nextLoader_.Reset();  // first, so that no load hands its decoder over afterwards
    if (!queued_.isEmpty())
        pipeline_.DropNext();
    queued_.clear();
}

bool TMp3Play::TakeQueued(const QByteArray& file)
{
    if (queued_.isEmpty() || file != queued_)
        return false;
    // Only Mp3Decoders are ever queued here.
    const auto* decoder = static_cast<const Mp3Decoder*>(pipeline_.Promote(this));
    if (!decoder)
        return false;
    Adopt(*decoder);
    nextLoader_.Reset();
    queued_.clear();
    state_ = kPlaying;
    return true;
}

int16_t TMp3Play::Play()
{
    if (!Holds())
        return 1;
    Unqueue();
    pipeline_.SetPaused(true);
    pipeline_.Seek(0);
    pipeline_.SetPaused(false);
    state_ = kPlaying;
    return 0;
}

int16_t TMp3Play::Pause()
{
    if (GetState() == kPlaying) {
        pipeline_.SetPaused(true);
        state_ = kPaused;
    } else if (GetState() == kPaused) {
        pipeline_.SetPaused(false);
        state_ = kPlaying;
    }
    return 0;
}

int16_t TMp3Play::Seek(int32_t frame)
{
    if (!Holds())
        return 1;
    Unqueue();
    pipeline_.Seek(static_cast<int64_t>(std::clamp(frame, 0, frames_)) * spf_ * pipeline_.Rate() / rate_);
    return 0;
}

int16_t TMp3Play::Stop()
{
    Unqueue();
    if (Holds()) {
        pipeline_.SetPaused(true);
        pipeline_.Seek(0);
    }
    state_ = kStopped;
    return 0;
}

int16_t TMp3Play::Close()
{
    loader_.Reset();
    Release();
    return 0;
}

void TMp3Play::Release()
{
    Unqueue();
    if (Holds())
        pipeline_.Stop();
    state_ = kStopped;
    frames_ = 0;
    totalMs_ = 0;
    spf_ = 0;
    rate_ = 0;
}

int32_t TMp3Play::PlayPosition() const
{
    if (!Holds())
        return 0;
    if (pipeline_.Drained())
        return frames_;
    return static_cast<int32_t>(std::min<int64_t>(pipeline_.Position() * rate_ / pipeline_.Rate() / spf_, frames_));
}
