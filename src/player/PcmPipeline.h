#pragma once

#include "AudioOutput.h"
#include "Decoder.h"
#include "EndNotice.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// Decoder thread -> ring buffer -> output. The position is what the output has
// played, i.e. what has been heard, in frames.
//
// The ring has one writer (the decoder thread) and one reader (the output), who
// meet only through atomic counters of frames written and taken, so the output
// never waits on a lock, allocates or reads a file. Stream indices count frames
// through the ring from the start; a track knows where it begins in them.
//
// A second decoder may be queued, resampled to the output's rate when its own
// differs: its frames follow the last frame of the current one in the same ring,
// so the output never stops between the two. Position, end and seeks stay those
// of the current decoder until it is promoted, once the current one has been
// heard to its end.
//
// The MP3 player and the media player share one pipeline, so that a file of one
// follows a file of the other without a break; the holder is the player whose
// file is the current one, and only the holder steers it.
class PcmPipeline final : public IPcmSource {
public:
    explicit PcmPipeline(IAudioOutputFactory& outputs);
    ~PcmPipeline() override;
    PcmPipeline(const PcmPipeline&) = delete;
    PcmPipeline& operator=(const PcmPipeline&) = delete;

    // Starts decoding at frame 0 with the output paused, for holder. False when no output starts.
    bool Start(std::unique_ptr<IDecoder> decoder, const void* holder);
    // Harmless when nothing runs.
    void Stop();
    bool Running() const { return running_; }
    // Running for holder's file.
    bool HeldBy(const void* holder) const { return running_ && holder_ == holder; }

    void SetPaused(bool paused);
    // Drops what is buffered (also in the device) and what is queued; decoding
    // and the position go on from frame.
    void Seek(int64_t frame);

    // Told each time the current decoder has been heard to its end.
    void SetEndNotice(std::shared_ptr<EndNotice> notice);

    // A decoder is on its way (being loaded): an output that waits for sound
    // waits for it instead of taking the stream as ended.
    void ExpectNext();
    // Queues decoder to follow the current one, resampled to the output's rate
    // when its own differs. False (and nothing queued) when it is null.
    bool Queue(std::unique_ptr<IDecoder> decoder);
    // Drops the queued decoder and what of it is buffered.
    void DropNext();
    // A decoder is queued or on its way: no seek, stop or drop has come since.
    bool NextPending() const;
    // The queued decoder becomes the current one, held by holder, once the current
    // one has been heard to its end and the queued one follows. The current decoder
    // as it was queued (not resampled), or null when nothing changed.
    IDecoder* Promote(const void* holder);

    int Rate() const { return rate_; }
    int64_t Position() const;
    // The current decoder has ended and every frame of it has been heard.
    bool Drained() const;
    // The current decoder has reached the end of its stream.
    bool Ended() const;
    // Where the current stream last came to its natural end, kept across seeks
    // (an end met right after a seek beyond it tells nothing); -1 while no end
    // has been reached.
    int64_t EndFrame() const;
    // Frames the output asked for while playing and got none, though more sound was to come.
    int64_t Underrun() const { return underrun_.load(std::memory_order_relaxed); }

    int Pull(int16_t* dst, int frames, bool wait) override;
    bool Exhausted() const override { return exhausted_.load(std::memory_order_acquire); }

private:
    struct Track {
        std::unique_ptr<IDecoder> decoder;
        IDecoder* source = nullptr;  // the decoder as it was given, inside a resampler or decoder itself
        uint64_t serial = 0;
        int64_t base = 0;    // the file's frame at start
        uint64_t start = 0;  // stream index of that frame
        uint64_t end = 0;    // stream index after the last frame written
        bool ended = false;
        int64_t endFrame = -1;
        int64_t Decoded() const { return base + static_cast<int64_t>(end - start); }
    };

    void DecodeLoop();
    void Push(const int16_t* src, int frames, uint64_t serial, uint64_t generation, std::unique_lock<std::mutex>& lock);
    // Makes way for new frames at a stream index of the writer's choosing: waits until the reader
    // is out of Pull, so that it has seen the cap or the seek that stops it.
    uint64_t QuietReader() const;
    void TakeSeek(std::unique_lock<std::mutex>& lock);
    // How long the decoder thread sleeps when it has nothing to write.
    std::chrono::milliseconds Nap() const;
    void TellEndIfHeard(std::unique_lock<std::mutex>& lock, bool byReader);
    Track* TrackOf(uint64_t serial);
    uint64_t Heard() const;
    bool StreamEnded() const;
    bool DrainedLocked() const;
    void Publish();
    // Takes the queued decoder out, to be freed by the caller, or by the decoder thread when it is
    // inside it.
    std::unique_ptr<IDecoder> TakeNextLocked();

    static constexpr int kChunkFrames = 2048;

    IAudioOutputFactory& outputs_;
    std::unique_ptr<AudioOutput> output_;
    std::thread thread_;
    bool running_ = false;
    const void* holder_ = nullptr;
    int rate_ = 0;
    std::atomic<bool> applyGain_{true};

    // Shared with the reader, which takes no lock.
    std::vector<int16_t> ring_;
    uint64_t capacity_ = 0;  // frames
    std::atomic<uint64_t> written_{0};
    std::atomic<uint64_t> taken_{0};
    std::atomic<uint64_t> cap_{UINT64_MAX};  // the reader stops here (the end of a dropped track)
    std::atomic<uint64_t> seekAsked_{0};
    std::atomic<uint64_t> seekDone_{0};
    std::atomic<bool> pulling_{false};
    std::atomic<bool> exhausted_{false};
    std::atomic<int64_t> underrun_{0};

    mutable std::mutex mutex_;
    std::condition_variable dataReady_;
    std::condition_variable wake_;  // the decoder thread: room, a seek, a queued track, quit
    Track current_;
    Track next_;
    bool nextRunning_ = false;  // the decoder thread has gone on to the queued track
    bool nextExpected_ = false;
    bool rewind_ = false;  // the ring holds frames of a dropped track after current_.end
    uint64_t serials_ = 0;
    bool busy_ = false;  // the decoder thread is inside a decoder call
    std::vector<std::unique_ptr<IDecoder>> retired_;  // dropped while in that call
    bool endTold_ = false;
    bool blockingReader_ = false;  // the output waits in Pull (a test's, a benchmark's)
    std::shared_ptr<EndNotice> notice_;
    bool quit_ = false;
    bool seekPending_ = false;
    int64_t seekTarget_ = 0;
    uint64_t generation_ = 0;
    int pullNeed_ = 0;  // frames a waiting Pull wants; 0: none waits
};
