#pragma once

#include "player/AudioOutput.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <set>
#include <vector>

// Silent outputs driven by the test's clock: Advance(ms) makes every open,
// unpaused output consume that much sound, waiting for the decoder as a real
// device would wait for its buffer, so the results do not depend on timing.
class TestOutputs final : public IAudioOutputFactory {
public:
    class Output final : public AudioOutput {
    public:
        explicit Output(TestOutputs& owner) : owner_(owner) { owner_.live_.insert(this); }
        ~Output() override { owner_.live_.erase(this); }

        bool Start(int rate, IPcmSource& source) override
        {
            rate_ = rate;
            source_ = &source;
            paused_ = true;
            return !owner_.failStart;
        }
        void SetPaused(bool paused) override { paused_ = paused; }
        void Stop() override { source_ = nullptr; }

        void Advance(int ms)
        {
            if (!source_ || paused_)
                return;
            int frames = static_cast<int>(static_cast<long long>(ms) * rate_ / 1000);
            std::vector<int16_t> sink(4096 * 2);
            while (frames > 0) {
                const int want = std::min(frames, 4096);
                const int got = source_->Pull(sink.data(), want, true);
                if (got == 0)
                    return;  // the stream has ended
                for (int i = 0; i < got * 2; ++i)
                    owner_.peak = std::max(owner_.peak, std::abs(static_cast<int>(sink[static_cast<size_t>(i)])));
                owner_.heard.insert(owner_.heard.end(), sink.begin(), sink.begin() + got * 2);
                frames -= got;
            }
        }

    private:
        TestOutputs& owner_;
        IPcmSource* source_ = nullptr;
        int rate_ = 0;
        bool paused_ = true;
    };

    std::unique_ptr<AudioOutput> Create() override
    {
        ++created;
        return std::make_unique<Output>(*this);
    }
    bool TakeNoDeviceNotice() override
    {
        const bool due = noDeviceNotice;
        noDeviceNotice = false;
        return due;
    }

    void Advance(int ms)
    {
        const std::set<Output*> outputs = live_;
        for (Output* o : outputs)
            o->Advance(ms);
    }

    bool failStart = false;
    int created = 0;  // outputs opened
    int peak = 0;  // loudest sample consumed
    std::vector<int16_t> heard;  // every sample consumed, in order
    bool noDeviceNotice = false;

private:
    std::set<Output*> live_;
};
