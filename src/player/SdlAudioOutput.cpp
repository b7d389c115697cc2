#include "SdlAudioOutput.h"

#include <cstring>

SdlAudioOutput::~SdlAudioOutput() { Stop(); }

bool SdlAudioOutput::Start(int rate, IPcmSource& source)
{
    Stop();
    // Audio brings SDL's events along, whose handlers would swallow SIGINT and SIGTERM: the program
    // would no longer end when asked to.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    source_ = &source;
    SDL_AudioSpec want{};
    want.freq = rate;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = 1024;
    want.callback = &SdlAudioOutput::Callback;
    want.userdata = this;
    SDL_AudioSpec have{};
    // No allowed changes: SDL converts our format to the device's itself.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device_ == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        source_ = nullptr;
        return false;
    }
    return true;
}

void SdlAudioOutput::SetPaused(bool paused)
{
    if (device_ != 0)
        SDL_PauseAudioDevice(device_, paused ? 1 : 0);
}

void SdlAudioOutput::Stop()
{
    if (device_ == 0)
        return;
    SDL_CloseAudioDevice(device_);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    device_ = 0;
    source_ = nullptr;
}

void SdlAudioOutput::Callback(void* self, Uint8* stream, int bytes)
{
    auto* out = static_cast<SdlAudioOutput*>(self);
    const int frames = bytes / 4;
    const int got = out->source_->Pull(reinterpret_cast<int16_t*>(stream), frames, false);
    std::memset(stream + got * 4, 0, static_cast<size_t>(bytes - got * 4));
}
