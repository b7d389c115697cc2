#pragma once

#include "OutputGain.h"

#include <cstdint>
#include <memory>

// Where an output takes its sound from: interleaved signed 16-bit stereo frames.
class IPcmSource {
public:
    virtual ~IPcmSource() = default;

    // Copies up to frames frames into dst and returns how many it copied. With
    // wait, blocks until that many are decoded (or the buffer is full) or the
    // stream has ended, so 0 means the end; without, returns at once (a real
    // device's callback must not block).
    virtual int Pull(int16_t* dst, int frames, bool wait) = 0;
    // Nothing more will come (until a seek or a new file): what was pulled is the whole sound.
    virtual bool Exhausted() const = 0;
};

// One sound output for one open file.
class AudioOutput {
public:
    virtual ~AudioOutput() = default;

    // Opens the output for stereo frames at rate, paused. False when it cannot.
    virtual bool Start(int rate, IPcmSource& source) = 0;
    virtual void SetPaused(bool paused) = 0;
    // After this returns the source is never pulled again.
    virtual void Stop() = 0;
    // Drops what was pulled and is still waiting to be heard (a seek).
    virtual void Flush() {}
    // Frames pulled and not yet heard: what the device holds ahead.
    virtual int64_t Unheard() const { return 0; }
    // The output applies the program's volume itself (where it acts at once); otherwise the source
    // scales what it hands over.
    virtual bool AppliesGain() const { return false; }
};

class IAudioOutputFactory {
public:
    virtual ~IAudioOutputFactory() = default;

    virtual std::unique_ptr<AudioOutput> Create() = 0;
    // True once, after the first time an output had to play silently because no
    // sound device would open.
    virtual bool TakeNoDeviceNotice() = 0;

    // The program's volume, applied to the sound of every output made here.
    OutputGain& Gain() { return gain_; }

private:
    OutputGain gain_;
};
