#include "SystemAudio.h"

#include "PulseAudioOutput.h"
#include "SdlAudioOutput.h"
#include "SilentAudioOutput.h"

#include <cstdlib>

class SystemAudio::FallbackOutput final : public AudioOutput {
public:
    explicit FallbackOutput(SystemAudio& owner) : owner_(owner) {}

    bool Start(int rate, IPcmSource& source) override
    {
        // The sound server first, unless an SDL driver was named (the tests name the dummy one).
        if (!owner_.noDevice_ && !std::getenv("SDL_AUDIODRIVER")) {
            auto pulse = std::make_unique<PulseAudioOutput>(owner_.Gain());
            if (pulse->Start(rate, source)) {
                out_ = std::move(pulse);
                return true;
            }
        }
        if (!owner_.noDevice_) {
            auto sdl = std::make_unique<SdlAudioOutput>();
            if (sdl->Start(rate, source)) {
                out_ = std::move(sdl);
                return true;
            }
            // Asking again for every file would only repeat the failure.
            owner_.noDevice_ = true;
            owner_.noticeDue_ = true;
        }
        out_ = std::make_unique<SilentAudioOutput>(owner_.clock_);
        return out_->Start(rate, source);
    }
    void SetPaused(bool paused) override
    {
        if (out_)
            out_->SetPaused(paused);
    }
    void Stop() override
    {
        if (out_)
            out_->Stop();
    }
    void Flush() override
    {
        if (out_)
            out_->Flush();
    }
    int64_t Unheard() const override { return out_ ? out_->Unheard() : 0; }
    bool AppliesGain() const override { return out_ && out_->AppliesGain(); }

private:
    SystemAudio& owner_;
    std::unique_ptr<AudioOutput> out_;
};

std::unique_ptr<AudioOutput> SystemAudio::Create() { return std::make_unique<FallbackOutput>(*this); }

bool SystemAudio::TakeNoDeviceNotice()
{
    const bool due = noticeDue_;
    noticeDue_ = false;
    return due;
}
