#pragma once

#include "AudioOutput.h"
#include "Clock.h"

// The program's outputs: the sound device, or silence in real time once no
// device would open.
class SystemAudio final : public IAudioOutputFactory {
public:
    std::unique_ptr<AudioOutput> Create() override;
    bool TakeNoDeviceNotice() override;

private:
    class FallbackOutput;

    SteadyClock clock_;
    bool noDevice_ = false;
    bool noticeDue_ = false;
};
