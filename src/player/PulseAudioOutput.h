#pragma once

#include "AudioOutput.h"

#include <pulse/pulseaudio.h>

#include <atomic>

// The sound server (PulseAudio, or PipeWire's server for PulseAudio clients) spoken to directly. It
// holds half a second ahead, so a thread of ours that loses its core for a while does not starve
// it; pause, seek and volume act in the server at once instead of after what it holds.
class PulseAudioOutput final : public AudioOutput {
public:
    explicit PulseAudioOutput(const OutputGain& gain) : gain_(gain) {}
    ~PulseAudioOutput() override;

    bool Start(int rate, IPcmSource& source) override;
    void SetPaused(bool paused) override;
    void Stop() override;
    void Flush() override;
    int64_t Unheard() const override { return unheard_.load(std::memory_order_relaxed); }
    bool AppliesGain() const override { return true; }

private:
    static void OnContextState(pa_context* context, void* self);
    static void OnStreamState(pa_stream* stream, void* self);
    static void OnWrite(pa_stream* stream, size_t bytes, void* self);
    static void OnUnderflow(pa_stream* stream, void* self);
    static void OnTick(pa_mainloop_api* api, pa_time_event* event, const struct timeval* tv, void* self);
    bool Connect(int rate);
    // On the server's thread: hands over what the server has room for, follows the volume and
    // what is still to be heard.
    void Pump();
    void FollowVolume();

    const OutputGain& gain_;
    IPcmSource* source_ = nullptr;
    int rate_ = 0;
    pa_threaded_mainloop* loop_ = nullptr;
    pa_context* context_ = nullptr;
    pa_stream* stream_ = nullptr;
    pa_time_event* tick_ = nullptr;
    bool paused_ = true;
    uint32_t volume_ = 0;         // last given to the server
    int64_t sinceFlush_ = 0;      // frames handed over since the last flush
    // The server has played all it was given. Its latency then still counts what its sink would
    // hold, which would keep the end from ever being heard.
    bool starved_ = false;
    bool hungry_ = true;  // the last look got less than the server asked for, and more is to come
    std::atomic<int64_t> unheard_{0};
};
