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
    position_ = decoded_ = seekTarget_ = 0;
    endFrame_ = -1;
    ended_ = quit_ = seekPending_ = false;

    output_ = outputs_.Create();
    if (!output_ || !output_->Start(rate_, *this)) {
        output_.reset();
        return false;
    }
    decoder_ = std::move(decoder);
    thread_ = std::thread([this] { DecodeLoop(); });
    return true;
}

void PcmPipeline::Stop()
{
    if (!decoder_)
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
    decoder_.reset();
}

void PcmPipeline::SetPaused(bool paused)
{
    if (output_)
        output_->SetPaused(paused);
}

void PcmPipeline::Seek(int64_t frame)
{
    {
        std::lock_guard lock(mutex_);
        ++generation_;
        seekPending_ = true;
        seekTarget_ = std::max<int64_t>(0, frame);
        position_ = decoded_ = seekTarget_;
        head_ = fill_ = 0;
        ended_ = false;
    }
    spaceFree_.notify_all();
}

int64_t PcmPipeline::Position() const
{
    std::lock_guard lock(mutex_);
    return position_;
}

bool PcmPipeline::Drained() const
{
    std::lock_guard lock(mutex_);
    return decoder_ && ended_ && fill_ == 0 && !seekPending_;
}

bool PcmPipeline::Ended() const
{
    std::lock_guard lock(mutex_);
    return ended_ && !seekPending_;
}

int64_t PcmPipeline::EndFrame() const
{
    std::lock_guard lock(mutex_);
    return endFrame_;
}

int PcmPipeline::Pull(int16_t* dst, int frames, bool wait)
{
    std::unique_lock lock(mutex_);
    if (wait) {
        const int need = std::min(frames, capacity_);
        if (fill_ < need && pushWaiting_)
            spaceFree_.notify_all();
        pullNeed_ = need;
        dataReady_.wait(lock, [&] { return quit_ || fill_ >= need || (ended_ && !seekPending_); });
        pullNeed_ = 0;
    }
    const int n = std::min(frames, fill_);
    const int first = std::min(n, capacity_ - head_);
    std::memcpy(dst, &ring_[static_cast<size_t>(head_) * 2], static_cast<size_t>(first) * 4);
    std::memcpy(dst + first * 2, ring_.data(), static_cast<size_t>(n - first) * 4);
    head_ = (head_ + n) % capacity_;
    fill_ -= n;
    position_ += n;
    const bool wake = pushWaiting_ && capacity_ - fill_ >= capacity_ / 2;
    lock.unlock();
    outputs_.Gain().Apply(dst, n);
    if (wake)
        spaceFree_.notify_all();
    return n;
}

// Blocks only while the buffer is full; a seek or stop drops the rest.
void PcmPipeline::Push(const int16_t* src, int frames, uint64_t generation, std::unique_lock<std::mutex>& lock)
{
    while (frames > 0) {
        pushWaiting_ = true;
        spaceFree_.wait(lock, [&] { return quit_ || generation_ != generation || fill_ < capacity_; });
        pushWaiting_ = false;
        if (quit_ || generation_ != generation)
            return;
        const int tail = (head_ + fill_) % capacity_;
        const int n = std::min({frames, capacity_ - fill_, capacity_ - tail});
        std::memcpy(&ring_[static_cast<size_t>(tail) * 2], src, static_cast<size_t>(n) * 4);
        fill_ += n;
        decoded_ += n;
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
    while (!quit_) {
        if (seekPending_) {
            const int64_t target = seekTarget_;
            const uint64_t generation = generation_;
            seekPending_ = false;
            lock.unlock();
            const bool ok = decoder_->Seek(target);
            lock.lock();
            if (!ok && generation == generation_) {
                ended_ = true;
                dataReady_.notify_all();
            }
            continue;
        }
        if (ended_) {
            spaceFree_.wait(lock, [&] { return quit_ || seekPending_; });
            continue;
        }
        const uint64_t generation = generation_;
        lock.unlock();
        const int n = decoder_->Read(chunk.data(), kChunkFrames);
        lock.lock();
        if (generation != generation_)
            continue;
        if (n <= 0) {
            ended_ = true;
            if (decoded_ > seekTarget_ || seekTarget_ == 0)
                endFrame_ = decoded_;
            dataReady_.notify_all();
            continue;
        }
        Push(chunk.data(), n, generation, lock);
    }
}
