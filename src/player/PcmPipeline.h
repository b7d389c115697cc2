#pragma once

#include "AudioOutput.h"
#include "Decoder.h"

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// Decoder thread -> bounded buffer -> output. The position is what the output
// has consumed, i.e. what has been heard, in frames.
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
    bool Running() const { return decoder_ != nullptr; }

    void SetPaused(bool paused);
    // Drops what is buffered; decoding and the position go on from frame.
    void Seek(int64_t frame);

    int Rate() const { return rate_; }
    int64_t Position() const;
    // The stream has ended and every decoded frame has been heard.
    bool Drained() const;
    // The decoder has reached the end of the stream.
    bool Ended() const;
    // Where the stream last came to its natural end, kept across seeks (an end
    // met right after a seek beyond it tells nothing); -1 while no end has
    // been reached.
    int64_t EndFrame() const;

    int Pull(int16_t* dst, int frames, bool wait) override;

private:
    void DecodeLoop();
    void Push(const int16_t* src, int frames, uint64_t generation, std::unique_lock<std::mutex>& lock);

    IAudioOutputFactory& outputs_;
    std::unique_ptr<AudioOutput> output_;
    std::unique_ptr<IDecoder> decoder_;
    std::thread thread_;
    int rate_ = 0;

    mutable std::mutex mutex_;
    std::condition_variable dataReady_;
    std::condition_variable spaceFree_;
    std::vector<int16_t> ring_;
    int capacity_ = 0;  // frames
    int head_ = 0;      // first buffered frame
    int fill_ = 0;      // buffered frames
    int64_t position_ = 0;
    int64_t decoded_ = 0;
    bool ended_ = false;
    int64_t endFrame_ = -1;
    bool quit_ = false;
    bool seekPending_ = false;
    int64_t seekTarget_ = 0;
    uint64_t generation_ = 0;
    // The sides wake each other in batches (half a buffer), since waking on
    // every chunk costs more than decoding it.
    int pullNeed_ = 0;  // frames a waiting Pull wants; 0: none waits
    bool pushWaiting_ = false;  // the decoder waits for room
};
