#pragma once

#include "AudioOutput.h"
#include "Clock.h"

#include <condition_variable>
#include <mutex>
#include <thread>

// Consumes the sound at the pace of the clock without playing it, so that a
// machine without a sound device still "plays": position and end come as usual.
class SilentAudioOutput final : public AudioOutput {
public:
    explicit SilentAudioOutput(IClock& clock) : clock_(clock) {}
    ~SilentAudioOutput() override;

    bool Start(int rate, IPcmSource& source) override;
    void SetPaused(bool paused) override;
    void Stop() override;

private:
    void Run();

    IClock& clock_;
    IPcmSource* source_ = nullptr;
    int rate_ = 0;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool paused_ = true;
    bool quit_ = false;
};
