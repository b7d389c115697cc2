#pragma once

#include "AudioOutput.h"

#include <SDL2/SDL.h>

// The sound card through SDL (PipeWire, PulseAudio or ALSA underneath).
class SdlAudioOutput final : public AudioOutput {
public:
    ~SdlAudioOutput() override;

    bool Start(int rate, IPcmSource& source) override;
    void SetPaused(bool paused) override;
    void Stop() override;

private:
    static void Callback(void* self, Uint8* stream, int bytes);

    IPcmSource* source_ = nullptr;
    SDL_AudioDeviceID device_ = 0;
};
