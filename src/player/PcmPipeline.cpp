#include "PcmPipeline.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr int kChunkFrames = 2048;
constexpr int kBufferMs = 2000;
constexpr int64_t kMaxBufferFrames = int64_t{kMaxDecoderRate} * kBufferMs / 1000;
}

PcmPipeline::PcmPipeline(IAudioOutputFactory& outputs) : outputs_(outputs) {}

PcmPipeline::~PcmPipeline() { Stop(); }

bool PcmPipeline::Start(std::unique_ptr<IDecoder> decoder)
{
    Stop();
    rate_ = decoder->Rate();
    capacity_ = static_cast<int>(std::clamp<int64_t>(int64_t{rate_} * kBufferMs / 1000, kChunkFrames, kMaxBufferFrames));
    ring_.assign(static_cast<size_t>(capacity_) * 2, 0);
    head_ = fill_ = 0;
    seekTarget_ = 0;
    quit_ = seekPending_ = endTold_ = false;

    output_ = outputs_.Create();
    if (!output_ || !output_->Start(rate_, *this)) {
        output_.reset();
        return false;
    }
    current_ = Track{std::move(decoder), ++serials_};
    running_ = true;
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
    spaceFree_.notify_all();
    output_->Stop();
    thread_.join();
    output_.reset();
    current_ = Track{};
    next_ = Track{};
    nextRunning_ = nextExpected_ = false;
    running_ = false;
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

std::unique_ptr<IDecoder> PcmPipeline::TakeNextLocked(std::unique_lock<std::mutex>& lock)
{
    idle_.wait(lock, [this] { return !busy_; });
    if (nextRunning_)
        fill_ -= static_cast<int>(next_.decoded - next_.position);
    std::unique_ptr<IDecoder> gone = std::move(next_.decoder);
    next_ = Track{};
    nextRunning_ = nextExpected_ = false;
    return gone;
}

void PcmPipeline::Seek(int64_t frame)
{
    std::unique_ptr<IDecoder> gone;
    {
        std::unique_lock lock(mutex_);
        gone = TakeNextLocked(lock);
        ++generation_;
        seekPending_ = true;
        seekTarget_ = std::max<int64_t>(0, frame);
        current_.position = current_.decoded = seekTarget_;
        current_.ended = false;
        head_ = fill_ = 0;
        endTold_ = false;
    }
    spaceFree_.notify_all();
}

void PcmPipeline::ExpectNext()
{
    std::lock_guard lock(mutex_);
    nextExpected_ = true;
}

bool PcmPipeline::Queue(std::unique_ptr<IDecoder> decoder)
{
    std::unique_ptr<IDecoder> gone;
    bool queued = false;
    {
        std::unique_lock lock(mutex_);
        gone = TakeNextLocked(lock);
        if (running_ && decoder && decoder->Rate() == rate_) {
            next_ = Track{std::move(decoder), ++serials_};
            queued = true;
        }
    }
    spaceFree_.notify_all();
    dataReady_.notify_all();
    return queued;
}

void PcmPipeline::DropNext()
{
    std::unique_ptr<IDecoder> gone;
    {
        std::unique_lock lock(mutex_);
        gone = TakeNextLocked(lock);
    }
    spaceFree_.notify_all();
    dataReady_.notify_all();
}

IDecoder* PcmPipeline::Promote()
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
        seekTarget_ = 0;
        endTold_ = false;
    }
    spaceFree_.notify_all();
    return current_.decoder.get();
}

int64_t PcmPipeline::Position() const
{
    std::lock_guard lock(mutex_);
    return current_.position;
}

bool PcmPipeline::DrainedLocked() const
{
    return current_.decoder && current_.ended && !seekPending_ && current_.position == current_.decoded;
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

PcmPipeline::Track* PcmPipeline::TrackOf(uint64_t serial)
{
    if (current_.decoder && current_.serial == serial)
        return &current_;
    if (next_.decoder && next_.serial == serial)
        return &next_;
    return nullptr;
}

int PcmPipeline::Pull(int16_t* dst, int frames, bool wait)
{
    std::unique_lock lock(mutex_);
    if (wait) {
        const int need = std::min(frames, capacity_);
        if (fill_ < need && pushWaiting_)
            spaceFree_.notify_all();
        pullNeed_ = need;
        dataReady_.wait(lock, [&] { return quit_ || fill_ >= need || StreamEnded(); });
        pullNeed_ = 0;
    }
    const int n = std::min(frames, fill_);
    const int first = std::min(n, capacity_ - head_);
    std::memcpy(dst, &ring_[static_cast<size_t>(head_) * 2], static_cast<size_t>(first) * 4);
    std::memcpy(dst + first * 2, ring_.data(), static_cast<size_t>(n - first) * 4);
    head_ = (head_ + n) % capacity_;
    fill_ -= n;
    const int64_t ofCurrent = std::min<int64_t>(n, current_.decoded - current_.position);
    current_.position += ofCurrent;
    next_.position += n - ofCurrent;
    std::shared_ptr<EndNotice> notice;
    if (!endTold_ && DrainedLocked()) {
        endTold_ = true;
        notice = notice_;
    }
    const bool wake = pushWaiting_ && capacity_ - fill_ >= capacity_ / 2;
    lock.unlock();
    outputs_.Gain().Apply(dst, n);
    if (wake)
        spaceFree_.notify_all();
    if (notice)
        notice->Tell();
    return n;
}

// Blocks only while the buffer is full; a seek, a stop or the loss of the
// track drops the rest.
void PcmPipeline::Push(const int16_t* src, int frames, uint64_t serial, uint64_t generation,
                       std::unique_lock<std::mutex>& lock)
{
    while (frames > 0) {
        pushWaiting_ = true;
        spaceFree_.wait(lock, [&] { return quit_ || generation_ != generation || !TrackOf(serial) || fill_ < capacity_; });
        pushWaiting_ = false;
        Track* track = TrackOf(serial);
        if (quit_ || generation_ != generation || !track)
            return;
        const int tail = (head_ + fill_) % capacity_;
        const int n = std::min({frames, capacity_ - fill_, capacity_ - tail});
        std::memcpy(&ring_[static_cast<size_t>(tail) * 2], src, static_cast<size_t>(n) * 4);
        fill_ += n;
        track->decoded += n;
        src += n * 2;
        frames -= n;
        if (pullNeed_ > 0 && (fill_ >= std::max(pullNeed_, capacity_ / 2) || fill_ == capacity_))
            dataReady_.notify_all();
    }
}

void PcmPipeline::DecodeLoop()
{
    std::vector<int16_t> chunk(static_cast<size_t>(kChunkFrames) * 2);
    std::unique_lock lock(mutex_);
    const auto call = [&](auto&& work) {
        busy_ = true;
        lock.unlock();
        const auto result = work();
        lock.lock();
        busy_ = false;
        idle_.notify_all();
        return result;
    };
    while (!quit_) {
        if (seekPending_) {
            const int64_t target = seekTarget_;
            const uint64_t generation = generation_;
            seekPending_ = false;
            IDecoder* decoder = current_.decoder.get();
            const bool ok = call([&] { return decoder->Seek(target); });
            if (!ok && generation == generation_) {
                current_.ended = true;
                dataReady_.notify_all();
            }
            continue;
        }
        if (!nextRunning_ && current_.ended && next_.decoder)
            nextRunning_ = true;  // the queued track follows in the same buffer
        Track& track = nextRunning_ ? next_ : current_;
        if (track.ended) {
            spaceFree_.wait(lock, [&] { return quit_ || seekPending_ || (!nextRunning_ && next_.decoder); });
            continue;
        }
        const uint64_t generation = generation_;
        const uint64_t serial = track.serial;
        IDecoder* decoder = track.decoder.get();
        const int n = call([&] { return decoder->Read(chunk.data(), kChunkFrames); });
        Track* now = TrackOf(serial);
        if (generation != generation_ || !now)
            continue;
        if (n <= 0) {
            now->ended = true;
            if (now != &current_ || now->decoded > seekTarget_ || seekTarget_ == 0)
                now->endFrame = now->decoded;
            dataReady_.notify_all();
            continue;
        }
        Push(chunk.data(), n, serial, generation, lock);
    }
}
