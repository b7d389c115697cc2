#include "Fixtures.h"
#include "player/PcmPipeline.h"
#include "player/SdlAudioOutput.h"
#include "player/SilentAudioOutput.h"
#include "player/SystemAudio.h"
#include "player/TMp3Play.h"

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <future>
#include <mutex>
#include <thread>

namespace {

class CountingSource final : public IPcmSource {
public:
    int Pull(int16_t* dst, int frames, bool) override
    {
        std::fill(dst, dst + frames * 2, int16_t{0});
        pulled += frames;
        return frames;
    }
    bool Exhausted() const override { return false; }
    std::atomic<long long> pulled{0};
};

class ManualClock final : public IClock {
public:
    int64_t NowMs() override
    {
        ++reads;
        return now;
    }
    // Waits until the output has looked at the clock again.
    bool Read() const
    {
        const int before = reads;
        return Eventually([&] { return reads > before + 1; });
    }
    std::atomic<int64_t> now{1000};
    std::atomic<int> reads{0};
};

TEST(SdlAudioOutputTest, TheDummyDriverOpensAndConsumesSound)
{
    CountingSource source;
    SdlAudioOutput out;
    ASSERT_TRUE(out.Start(44100, source));
    struct sigaction term{};
    ::sigaction(SIGTERM, nullptr, &term);
    EXPECT_EQ(term.sa_handler, SIG_DFL);  // a SIGTERM still ends the program
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(source.pulled, 0);  // starts paused
    out.SetPaused(false);
    EXPECT_TRUE(Eventually([&] { return source.pulled >= 4096; }));
    out.Stop();
    const long long after = source.pulled;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(source.pulled, after);
}

TEST(SystemAudioTest, AnMp3PlaysThroughTheRealOutputPath)
{
    SystemAudio audio;
    PcmPipeline pipeline(audio);
    TMp3Play mp3(pipeline);
    ASSERT_LE(mp3.Open(Fixture("cbr.mp3")), 0);
    mp3.Play();
    EXPECT_TRUE(Eventually([&] { return mp3.PlayPosition() >= 5; }));
    EXPECT_FALSE(audio.TakeNoDeviceNotice());  // the dummy driver is a device
    mp3.Close();
}

TEST(SystemAudioTest, WithoutADeviceFilesStillPlayInRealTimeAndThatIsToldOnce)
{
    // No driver of that name: SDL opens nothing, as on a machine without a card.
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    SystemAudio audio;
    PcmPipeline pipeline(audio);
    TMp3Play mp3(pipeline);
    const bool loaded = mp3.Open(Fixture("cbr.mp3")) <= 0;
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_TRUE(loaded);
    mp3.Play();
    EXPECT_TRUE(Eventually([&] { return mp3.PlayPosition() >= 5; }));
    EXPECT_LT(mp3.PlayPosition(), mp3.FrameCount());  // paced, not all at once
    EXPECT_TRUE(audio.TakeNoDeviceNotice());
    EXPECT_FALSE(audio.TakeNoDeviceNotice());
    ASSERT_LE(mp3.Open(Fixture("vbr_noheader.mp3")), 0);
    EXPECT_FALSE(audio.TakeNoDeviceNotice());
}

TEST(SilentAudioOutputTest, ConsumesAtThePaceOfItsClockAndNotWhilePaused)
{
    ManualClock clock;
    CountingSource source;
    SilentAudioOutput out(clock);
    ASSERT_TRUE(out.Start(8000, source));
    out.SetPaused(false);
    ASSERT_TRUE(clock.Read());
    clock.now += 500;
    ASSERT_TRUE(Eventually([&] { return source.pulled >= 4000; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(source.pulled, 4000);  // never ahead of the clock

    out.SetPaused(true);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    clock.now += 1000;  // time spent paused is not owed
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(source.pulled, 4000);
    out.SetPaused(false);
    ASSERT_TRUE(clock.Read());
    clock.now += 250;
    ASSERT_TRUE(Eventually([&] { return source.pulled >= 6000; }));
    out.Stop();
    EXPECT_EQ(source.pulled, 6000);
}

// A steady tone that stalls each time it reaches one of the given frames, until let go.
class StallingDecoder final : public IDecoder {
public:
    explicit StallingDecoder(std::vector<int64_t> stalls) : stalls_(std::move(stalls)) {}
    int Rate() const override { return 8000; }
    int Read(int16_t* dst, int maxFrames) override
    {
        std::unique_lock lock(mutex_);
        if (!stalls_.empty() && given >= stalls_.front()) {
            stalled = true;
            wake_.wait(lock, [&] { return !stalled; });
            stalls_.erase(stalls_.begin());
        }
        const int n = static_cast<int>(std::min<int64_t>(maxFrames, stalls_.empty() ? maxFrames : stalls_.front() - given));
        std::fill(dst, dst + n * 2, int16_t{1000});
        given += n;
        return n;
    }
    bool Seek(int64_t) override { return false; }
    void Release()
    {
        {
            std::lock_guard lock(mutex_);
            stalled = false;
        }
        wake_.notify_all();
    }

    std::atomic<int64_t> given{0};
    std::atomic<bool> stalled{false};

private:
    std::vector<int64_t> stalls_;
    std::mutex mutex_;
    std::condition_variable wake_;
};

class ClockOutputs final : public IAudioOutputFactory {
public:
    std::unique_ptr<AudioOutput> Create() override { return std::make_unique<SilentAudioOutput>(clock); }
    bool TakeNoDeviceNotice() override { return false; }
    ManualClock clock;
};

TEST(PcmPipelineTest, ADecoderStallShorterThanTheBufferIsNeverHeardALongerOneOnceAsOneGap)
{
    ClockOutputs outputs;
    PcmPipeline pipeline(outputs);
    // At 8 kHz the ring holds 2 s, 16,000 frames: full when the first stall comes.
    auto owned = std::make_unique<StallingDecoder>(std::vector<int64_t>{16000, 28000});
    StallingDecoder& decoder = *owned;
    ASSERT_TRUE(pipeline.Start(std::move(owned), nullptr));
    ASSERT_TRUE(Eventually([&] { return decoder.stalled.load(); }));
    pipeline.SetPaused(false);
    ASSERT_TRUE(outputs.clock.Read());

    outputs.clock.now += 1500;  // 1.5 s with the decoder stalled
    ASSERT_TRUE(Eventually([&] { return pipeline.Position() == 12000; }));
    decoder.Release();
    ASSERT_TRUE(Eventually([&] { return decoder.stalled.load(); }));  // full again at 28,000, and stalled there
    EXPECT_EQ(pipeline.Underrun(), 0);

    outputs.clock.now += 2500;  // 2.5 s of stall against the 2 s buffered
    ASSERT_TRUE(Eventually([&] { return pipeline.Underrun() > 0 && pipeline.Position() == 28000; }));
    decoder.Release();
    ASSERT_TRUE(Eventually([&] { return decoder.given >= 28000 + 16000; }));
    outputs.clock.now += 1000;
    ASSERT_TRUE(Eventually([&] { return pipeline.Position() == 36000; }));
    EXPECT_EQ(pipeline.Underrun(), 4000);  // one gap, the half second missing; then it played on
    pipeline.Stop();
}

TEST(PcmPipelineTest, ASeekOrAQueueDoesNotWaitForADecoderThatHangs)
{
    ClockOutputs outputs;
    PcmPipeline pipeline(outputs);
    auto owned = std::make_unique<StallingDecoder>(std::vector<int64_t>{16000});
    StallingDecoder& decoder = *owned;
    ASSERT_TRUE(pipeline.Start(std::move(owned), nullptr));
    ASSERT_TRUE(Eventually([&] { return decoder.stalled.load(); }));
    auto asked = std::async(std::launch::async, [&] {
        pipeline.Queue(std::make_unique<StallingDecoder>(std::vector<int64_t>{}));
        pipeline.Seek(8000);
        pipeline.DropNext();
    });
    const bool returned = asked.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
    decoder.Release();
    asked.wait();
    EXPECT_TRUE(returned);
    EXPECT_EQ(pipeline.Position(), 8000);
    pipeline.Stop();
}

} // namespace
