#pragma once

#include "AudioOutput.h"
#include "Decoder.h"
#include "EndNotice.h"

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// Decoder thread -> bounded buffer -> output. The position is what the output
// has consumed, i.e. what has been heard, in frames.
//
// A second decoder of the same rate may be queued: its frames follow the last
// frame of the current one in the same buffer, so the output never stops
// between the two. Position, end and seeks stay those of the current decoder
// until the owner promotes the queued one, once the current one has been
// heard to its end.
class PcmPipeline final : public IPcmSource {
public:
    explicit PcmPipeline(IAudioOutputFactory& outputs);
    ~PcmPipeline() override;
    PcmPipeline(const PcmPipeline&) = delete;
    PcmPipeline& operator=(const PcmPipeline&) = delete;

    // Starts decoding at frame 0 with the output paused. False when no output starts.
    bool Start(std::unique_ptr<IDecoder> decoder);
    // Harmless when nothing runs.
    void Stop();
    bool Running() const { return running_; }

    void SetPaused(bool paused);
    // Drops what is buffered and what is queued; decoding and the position go
    // on from frame.
    void Seek(int64_t frame);

    // Told each time the current decoder has been heard to its end.
    void SetEndNotice(std::shared_ptr<EndNotice> notice);

    // A decoder is on its way (being loaded): an output that waits for sound
    // waits for it instead of taking the stream as ended.
    void ExpectNext();
    // Queues decoder to follow the current one. False (and nothing queued) when
    // it is null or its rate differs.
    bool Queue(std::unique_ptr<IDecoder> decoder);
    // Drops the queued decoder and what of it is buffered.
    void DropNext();
    // The queued decoder becomes the current one, once the current one has been
    // heard to its end and the queued one follows. The current decoder, or null
    // when nothing changed.
    IDecoder* Promote();

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

    int Pull(int16_t* dst, int frames, bool wait) override;

private:
    struct Track {
        std::unique_ptr<IDecoder> decoder;
        uint64_t serial = 0;
        int64_t position = 0;  // frames heard
        int64_t decoded = 0;   // frames put in the buffer
        bool ended = false;
        int64_t endFrame = -1;
    };

    void DecodeLoop();
    void Push(const int16_t* src, int frames, uint64_t serial, uint64_t generation, std::unique_lock<std::mutex>& lock);
    Track* TrackOf(uint64_t serial);
    bool StreamEnded() const;
    bool DrainedLocked() const;
    // Frees the queued decoder once the decoder thread is not using it.
    std::unique_ptr<IDecoder> TakeNextLocked(std::unique_lock<std::mutex>& lock);

    IAudioOutputFactory& outputs_;
    std::unique_ptr<AudioOutput> output_;
    std::thread thread_;
    bool running_ = false;
    int rate_ = 0;

    mutable std::mutex mutex_;
    std::condition_variable dataReady_;
    std::condition_variable spaceFree_;
    std::condition_variable idle_;
    std::vector<int16_t> ring_;
    int capacity_ = 0;  // frames
    int head_ = 0;      // first buffered frame
    int fill_ = 0;      // buffered frames: the current track's, then the queued one's
    Track current_;
    Track next_;
    bool nextRunning_ = false;  // the decoder thread has gone on to the queued track
    bool nextExpected_ = false;
    uint64_t serials_ = 0;
    bool busy_ = false;  // the decoder thread is inside a decoder call
    bool endTold_ = false;
    std::shared_ptr<EndNotice> notice_;
    bool quit_ = false;
    bool seekPending_ = false;
    int64_t seekTarget_ = 0;
    uint64_t generation_ = 0;
    // The sides wake each other in batches (half a buffer), since waking on
    // every chunk costs more than decoding it.
    int pullNeed_ = 0;  // frames a waiting Pull wants; 0: none waits
    bool pushWaiting_ = false;  // the decoder waits for room
};
