#include "PcmPipeline.h"

#include "ResamplingDecoder.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr int kBufferMs = 2000;
constexpr int64_t kMaxBufferFrames = int64_t{kMaxDecoderRate} * kBufferMs / 1000;
}

PcmPipeline::PcmPipeline(IAudioOutputFactory& outputs) : outputs_(outputs) {}

PcmPipeline::~PcmPipeline() { Stop(); }

bool PcmPipeline::Start(std::unique_ptr<IDecoder> decoder, const void* holder)
{
    Stop();
    rate_ = decoder->Rate();
    capacity_ = static_cast<uint64_t>(std::clamp<int64_t>(int64_t{rate_} * kBufferMs / 1000, kChunkFrames, kMaxBufferFrames));
    ring_.assign(static_cast<size_t>(capacity_) * 2, 0);
    written_ = taken_ = seekAsked_ = seekDone_ = 0;
    cap_ = UINT64_MAX;
    underrun_ = 0;
    exhausted_ = false;
    seekTarget_ = 0;
    quit_ = seekPending_ = endTold_ = rewind_ = blockingReader_ = false;
    current_ = Track{std::move(decoder), nullptr, ++serials_};
    current_.source = current_.decoder.get();

    output_ = outputs_.Create();
    // Until the output says otherwise (after it opened), nothing is scaled twice.
    applyGain_ = false;
    if (!output_ || !output_->Start(rate_, *this)) {
        output_.reset();
        current_ = Track{};
        return false;
    }
    applyGain_ = !output_->AppliesGain();
    running_ = true;
    holder_ = holder;
    thread_ = std::thread([this] { DecodeLoop(); });
    return true;
}

void PcmPipeline::Stop()
{
    if (!running_)
        return;
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    dataReady_.notify_all();
    wake_.notify_all();
    output_->Stop();
    thread_.join();
    output_.reset();
    current_ = Track{};
    next_ = Track{};
    retired_.clear();
    nextRunning_ = nextExpected_ = false;
    running_ = false;
    holder_ = nullptr;
}

void PcmPipeline::SetPaused(bool paused)
{
    if (output_)
        output_->SetPaused(paused);
}

void PcmPipeline::SetEndNotice(std::shared_ptr<EndNotice> notice)
{
    std::lock_guard lock(mutex_);
    notice_ = std::move(notice);
}

std::unique_ptr<IDecoder> PcmPipeline::TakeNextLocked()
{
    if (nextRunning_) {
        // Its frames follow the current track's in the ring: the reader stops before them, and
        // what comes next is written over them.
        cap_.store(current_.end);
        rewind_ = true;
    }
    std::unique_ptr<IDecoder> gone = std::move(next_.decoder);
    // The decoder thread may be inside it: it goes when the call is over, and nobody waits for that.
    if (busy_ && nextRunning_)
        retired_.push_back(std::move(gone));
    next_ = Track{};
    nextRunning_ = nextExpected_ = false;
    Publish();
    return gone;
}

void PcmPipeline::Seek(int64_t frame)
{
    std::unique_ptr<IDecoder> gone;
    {
        std::unique_lock lock(mutex_);
        gone = TakeNextLocked();
        ++generation_;
        seekPending_ = true;
        seekTarget_ = std::max<int64_t>(0, frame);
        current_.ended = false;
        endTold_ = false;
        seekAsked_.fetch_add(1);  // the reader takes nothing more until the ring starts afresh
        Publish();
    }
    if (output_)
        output_->Flush();
    wake_.notify_all();
}

void PcmPipeline::ExpectNext()
{
    std::lock_guard lock(mutex_);
    nextExpected_ = true;
    Publish();
}

bool PcmPipeline::Queue(std::unique_ptr<IDecoder> decoder)
{
    std::unique_ptr<IDecoder> gone;
    bool queued = false;
    {
        std::unique_lock lock(mutex_);
        gone = TakeNextLocked();
        IDecoder* source = decoder.get();
        if (running_ && decoder && decoder->Rate() != rate_)
            decoder = ResamplingDecoder::Wrap(std::move(decoder), rate_);
        if (running_ && decoder) {
            next_ = Track{std::move(decoder), source, ++serials_};
            queued = true;
        }
        Publish();
    }
    wake_.notify_all();
    dataReady_.notify_all();
    return queued;
}

void PcmPipeline::DropNext()
{
    std::unique_ptr<IDecoder> gone;
    {
        std::unique_lock lock(mutex_);
        gone = TakeNextLocked();
    }
    wake_.notify_all();
    dataReady_.notify_all();
}

bool PcmPipeline::NextPending() const
{
    std::lock_guard lock(mutex_);
    return nextExpected_ || next_.decoder;
}

IDecoder* PcmPipeline::Promote(const void* holder)
{
    std::unique_ptr<IDecoder> gone;
    {
        std::lock_guard lock(mutex_);
        if (!nextRunning_ || !DrainedLocked())
            return nullptr;
        gone = std::move(current_.decoder);
        current_ = std::move(next_);
        next_ = Track{};
        nextRunning_ = false;
        holder_ = holder;
        seekTarget_ = 0;
        endTold_ = false;
        Publish();
    }
    wake_.notify_all();
    return current_.source;
}

uint64_t PcmPipeline::Heard() const
{
    const uint64_t taken = taken_.load(std::memory_order_acquire);
    const int64_t unheard = output_ ? std::max<int64_t>(0, output_->Unheard()) : 0;
    return taken - std::min(taken, static_cast<uint64_t>(unheard));
}

int64_t PcmPipeline::Position() const
{
    std::lock_guard lock(mutex_);
    if (seekPending_)
        return seekTarget_;
    const uint64_t heard = std::min(Heard(), current_.end);
    return current_.base + (heard > current_.start ? static_cast<int64_t>(heard - current_.start) : 0);
}

bool PcmPipeline::DrainedLocked() const
{
    return current_.decoder && current_.ended && !seekPending_ && Heard() >= current_.end;
}

bool PcmPipeline::Drained() const
{
    std::lock_guard lock(mutex_);
    return DrainedLocked();
}

bool PcmPipeline::Ended() const
{
    std::lock_guard lock(mutex_);
    return current_.ended && !seekPending_;
}

int64_t PcmPipeline::EndFrame() const
{
    std::lock_guard lock(mutex_);
    return current_.endFrame;
}

// Nothing more will come: the last track has ended and none is on its way.
bool PcmPipeline::StreamEnded() const
{
    if (seekPending_)
        return false;
    if (nextRunning_)
        return next_.ended;
    return current_.ended && !next_.decoder && !nextExpected_;
}

void PcmPipeline::Publish() { exhausted_.store(StreamEnded(), std::memory_order_release); }

PcmPipeline::Track* PcmPipeline::TrackOf(uint64_t serial)
{
    if (current_.decoder && current_.serial == serial)
        return &current_;
    if (next_.decoder && next_.serial == serial)
        return &next_;
    return nullptr;
}

void PcmPipeline::TellEndIfHeard(std::unique_lock<std::mutex>& lock, bool byReader)
{
    // A reader that blocks hears an end only when it pulls; a real-time one hears it later than it
    // pulled (the device holds sound ahead), which the decoder thread looks out for.
    if (endTold_ || byReader != blockingReader_ || !DrainedLocked())
        return;
    endTold_ = true;
    const std::shared_ptr<EndNotice> notice = notice_;
    lock.unlock();
    if (notice)
        notice->Tell();
    lock.lock();
}

int PcmPipeline::Pull(int16_t* dst, int frames, bool wait)
{
    std::unique_lock<std::mutex> lock;
    if (wait) {
        // A reader that may block (a test's, a benchmark's) wakes the writer and hears of the end
        // at once, so that what it sees does not depend on timing.
        lock = std::unique_lock(mutex_);
        blockingReader_ = true;
        const uint64_t need = std::min(static_cast<uint64_t>(frames), capacity_);
        pullNeed_ = static_cast<int>(need);
        wake_.notify_all();
        dataReady_.wait(lock, [&] {
            return quit_ || StreamEnded()
                || (seekAsked_ == seekDone_ && std::min(cap_.load(), written_.load()) >= taken_ + need);
        });
        pullNeed_ = 0;
    }
    pulling_.store(true);
    int n = 0;
    if (seekAsked_.load() == seekDone_.load(std::memory_order_acquire)) {
        const uint64_t end = std::min(cap_.load(), written_.load(std::memory_order_acquire));
        const uint64_t taken = taken_.load(std::memory_order_relaxed);
        n = static_cast<int>(std::min<uint64_t>(static_cast<uint64_t>(frames), end > taken ? end - taken : 0));
        if (n > 0) {
            const auto at = static_cast<size_t>(taken % capacity_);
            const auto first = std::min(static_cast<size_t>(n), static_cast<size_t>(capacity_) - at);
            std::memcpy(dst, &ring_[at * 2], first * 4);
            std::memcpy(dst + first * 2, ring_.data(), (static_cast<size_t>(n) - first) * 4);
        }
        taken_.store(taken + static_cast<uint64_t>(n), std::memory_order_release);
        if (n < frames && !exhausted_.load(std::memory_order_acquire))
            underrun_.fetch_add(frames - n, std::memory_order_relaxed);
    }
    pulling_.store(false);
    if (wait) {
        TellEndIfHeard(lock, true);
        if (capacity_ - (written_ - taken_) >= capacity_ / 2)
            wake_.notify_all();
        lock.unlock();
    }
    if (applyGain_)
        outputs_.Gain().Apply(dst, n);
    return n;
}
