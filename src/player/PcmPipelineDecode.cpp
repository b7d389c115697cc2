#include "PcmPipeline.h"

#include <algorithm>
#include <chrono>
#include <cstring>

// The decoder thread's side of the pipeline: it decodes, seeks and writes the ring.

namespace {
// The decoder thread looks this often for an end that has been heard, and for room: a reader that
// never takes a lock cannot wake it. With seconds buffered, room can wait longer than an end.
constexpr auto kEndNap = std::chrono::milliseconds(10);
constexpr auto kRoomNap = std::chrono::milliseconds(50);
}

std::chrono::milliseconds PcmPipeline::Nap() const
{
    return current_.ended && !endTold_ ? kEndNap : kRoomNap;
}

uint64_t PcmPipeline::QuietReader() const
{
    while (pulling_.load())
        std::this_thread::yield();
    return taken_.load(std::memory_order_acquire);
}

// Blocks only while the ring is full; a seek, a stop or the loss of the track drops the rest.
void PcmPipeline::Push(const int16_t* src, int frames, uint64_t serial, uint64_t generation,
                       std::unique_lock<std::mutex>& lock)
{
    while (frames > 0) {
        while (!quit_ && generation_ == generation && TrackOf(serial) && written_ - taken_.load() >= capacity_) {
            wake_.wait_for(lock, Nap());
            TellEndIfHeard(lock, false);
        }
        Track* track = TrackOf(serial);
        if (quit_ || generation_ != generation || !track)
            return;
        const uint64_t written = written_.load(std::memory_order_relaxed);
        const uint64_t room = capacity_ - (written - taken_.load(std::memory_order_acquire));
        const auto at = static_cast<size_t>(written % capacity_);
        const int n = static_cast<int>(std::min({static_cast<uint64_t>(frames), room, capacity_ - at}));
        std::memcpy(&ring_[at * 2], src, static_cast<size_t>(n) * 4);
        written_.store(written + static_cast<uint64_t>(n), std::memory_order_release);
        track->end += static_cast<uint64_t>(n);
        src += n * 2;
        frames -= n;
        const uint64_t buffered = written + static_cast<uint64_t>(n) - taken_.load();
        if (pullNeed_ > 0 && (buffered >= std::max<uint64_t>(static_cast<uint64_t>(pullNeed_), capacity_ / 2) || buffered == capacity_))
            dataReady_.notify_all();
    }
}

void PcmPipeline::TakeSeek(std::unique_lock<std::mutex>& lock)
{
    const uint64_t asked = seekAsked_.load();
    const int64_t target = seekTarget_;
    const uint64_t generation = generation_;
    IDecoder* decoder = current_.decoder.get();
    busy_ = true;
    lock.unlock();
    const bool ok = decoder->Seek(target);
    lock.lock();
    busy_ = false;
    if (generation != generation_)
        return;  // asked again meanwhile
    seekPending_ = false;
    // The ring starts afresh where the reader stands.
    const uint64_t at = QuietReader();
    written_.store(at);
    cap_.store(UINT64_MAX);
    rewind_ = false;
    current_.base = target;
    current_.start = current_.end = at;
    current_.ended = !ok;
    seekDone_.store(asked, std::memory_order_release);
    Publish();
    dataReady_.notify_all();
}

void PcmPipeline::DecodeLoop()
{
    std::vector<int16_t> chunk(static_cast<size_t>(kChunkFrames) * 2);
    std::unique_lock lock(mutex_);
    while (!quit_) {
        Publish();
        TellEndIfHeard(lock, false);
        if (seekPending_) {
            TakeSeek(lock);
            continue;
        }
        if (!nextRunning_ && current_.ended && next_.decoder) {
            // The queued track follows in the same ring, over what a dropped one left there.
            if (rewind_) {
                written_.store(std::max(current_.end, QuietReader()));
                cap_.store(UINT64_MAX);
                rewind_ = false;
            }
            next_.start = next_.end = written_.load();
            nextRunning_ = true;
        }
        Track& track = nextRunning_ ? next_ : current_;
        if (track.ended) {
            wake_.wait_for(lock, Nap());
            continue;
        }
        const uint64_t generation = generation_;
        const uint64_t serial = track.serial;
        IDecoder* decoder = track.decoder.get();
        busy_ = true;
        lock.unlock();
        const int n = decoder->Read(chunk.data(), kChunkFrames);
        lock.lock();
        busy_ = false;
        if (!retired_.empty()) {
            std::vector<std::unique_ptr<IDecoder>> gone = std::move(retired_);
            retired_.clear();
            lock.unlock();
            gone.clear();
            lock.lock();
        }
        Track* now = TrackOf(serial);
        if (generation != generation_ || !now)
            continue;
        if (n <= 0) {
            now->ended = true;
            if (now != &current_ || now->Decoded() > seekTarget_ || seekTarget_ == 0)
                now->endFrame = now->Decoded();
            Publish();
            dataReady_.notify_all();
            continue;
        }
        Push(chunk.data(), n, serial, generation, lock);
    }
}
