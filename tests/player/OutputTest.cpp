#include "Fixtures.h"
#include "player/SdlAudioOutput.h"
#include "player/SilentAudioOutput.h"
#include "player/SystemAudio.h"
#include "player/TMp3Play.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <chrono>
#include <functional>
#include <thread>

namespace {

// Waits for a condition that another thread brings about; fails after 10 s
// instead of hanging.
bool Eventually(const std::function<bool()>& done)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done()) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

class CountingSource final : public IPcmSource {
public:
    int Pull(int16_t* dst, int frames, bool) override
    {
        std::fill(dst, dst + frames * 2, int16_t{0});
        pulled += frames;
        return frames;
    }
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
    TMp3Play mp3(audio);
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
    TMp3Play mp3(audio);
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

} // namespace
