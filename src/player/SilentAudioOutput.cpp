#include "SilentAudioOutput.h"

#include <algorithm>
#include <vector>

namespace {
constexpr int kTickMs = 10;
}

SilentAudioOutput::~SilentAudioOutput() { Stop(); }

bool SilentAudioOutput::Start(int rate, IPcmSource& source)
{
    Stop();
    source_ = &source;
    rate_ = rate;
    paused_ = true;
    quit_ = false;
    thread_ = std::thread([this] { Run(); });
    return true;
}

void SilentAudioOutput::SetPaused(bool paused)
{
    {
        std::lock_guard lock(mutex_);
        paused_ = paused;
    }
    wake_.notify_all();
}

void SilentAudioOutput::Stop()
{
    if (!thread_.joinable())
        return;
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_all();
    thread_.join();
    source_ = nullptr;
}

void SilentAudioOutput::Run()
{
    std::vector<int16_t> sink;
    std::unique_lock lock(mutex_);
    while (!quit_) {
        wake_.wait(lock, [&] { return quit_ || !paused_; });
        // Frames are due from the moment playback (re)starts; the time spent
        // paused is not owed.
        const int64_t start = clock_.NowMs();
        int64_t owed = 0;
        while (!quit_ && !paused_) {
            const int64_t due = (clock_.NowMs() - start) * rate_ / 1000;
            const int frames = static_cast<int>(std::min<int64_t>(due - owed, rate_));
            if (frames > 0) {
                sink.resize(static_cast<size_t>(frames) * 2);
                lock.unlock();
                source_->Pull(sink.data(), frames, false);
                lock.lock();
                owed += frames;
            }
            wake_.wait_for(lock, std::chrono::milliseconds(kTickMs));
        }
    }
}
