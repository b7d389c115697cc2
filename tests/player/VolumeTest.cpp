#include "Fixtures.h"
#include "player/Mp3Decoder.h"
#include "player/OutputGain.h"
#include "player/PcmPipeline.h"
#include "player/TOutputVolume.h"
#include "player/VolumeScale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

TEST(VolumeScaleTest, ReadingTakesTheMeanOfTheChannelsOnABytesScale)
{
    EXPECT_EQ(VolumeFromDevice(0x0000FFFFu), 127);  // left 65535, right 0
    EXPECT_EQ(VolumeFromDevice(0xFFFF0000u), 127);
    EXPECT_EQ(VolumeFromDevice(0xFFFFFFFFu), 255);
    EXPECT_EQ(VolumeFromDevice(0x80008000u), 128);
    EXPECT_EQ(VolumeFromDevice(0), 0);
}

TEST(VolumeScaleTest, WritingPutsTheVolumeInTheHighByteOfBothChannels)
{
    EXPECT_EQ(DeviceFromVolume(128), 0x80008000u);
    EXPECT_EQ(DeviceFromVolume(255), 0xFF00FF00u);
    EXPECT_EQ(DeviceFromVolume(0), 0u);
    for (int v = 0; v <= 255; ++v)
        EXPECT_EQ(VolumeFromDevice(DeviceFromVolume(v)), v);
}

TEST(VolumeScaleTest, AVerticalBarIsFullAtTheTop)
{
    EXPECT_EQ(BarPosition(200, false), 200);
    EXPECT_EQ(BarPosition(200, true), 55);
    EXPECT_EQ(BarPosition(BarPosition(17, true), true), 17);
}

std::vector<int16_t> Frames(std::initializer_list<int16_t> samples) { return samples; }

TEST(OutputGainTest, FullVolumeLeavesTheSoundAlone)
{
    OutputGain gain;
    EXPECT_EQ(gain.Volume(), 0xFFFFFFFFu);
    auto samples = Frames({32767, -32768, 1, -1});
    gain.Apply(samples.data(), 2);
    EXPECT_EQ(samples, Frames({32767, -32768, 1, -1}));
}

TEST(OutputGainTest, EachChannelIsScaledByItsOwnLevelRounded)
{
    OutputGain gain;
    gain.SetVolume(0xFFFF8000u);  // left half, right full
    auto samples = Frames({20000, 20000, -20001, -32768, 3, 32767});
    gain.Apply(samples.data(), 3);
    EXPECT_EQ(samples, Frames({10000, 20000, -10000, -32768, 2, 32767}));

    gain.SetVolume(0);
    gain.Apply(samples.data(), 3);
    EXPECT_EQ(samples, Frames({0, 0, 0, 0, 0, 0}));

    // Every sample at levels on both sides of half: (x * level + 0x8000) >> 16.
    for (const uint32_t level : {1u, 0x7FFFu, 0x8000u, 0x8001u, 0xABCDu, 0xFFFEu}) {
        std::vector<int16_t> all(65536 * 2);
        for (int x = -32768; x < 32768; ++x)
            all[static_cast<size_t>(2 * (x + 32768))] = all[static_cast<size_t>(2 * (x + 32768) + 1)] = static_cast<int16_t>(x);
        gain.SetVolume(level | level << 16);
        gain.Apply(all.data(), 65536);
        int wrong = 0;
        for (int x = -32768; x < 32768; ++x)
            wrong += all[static_cast<size_t>(2 * (x + 32768))] != static_cast<int16_t>((x * static_cast<int32_t>(level) + 0x8000) >> 16);
        EXPECT_EQ(wrong, 0) << level;
    }
}

TEST(OutputVolumeTest, OnlyTheWaveOutputHasADeviceAndItIsTheGain)
{
    OutputGain gain;
    TOutputVolume device(gain);
    EXPECT_EQ(device.DeviceCount(VolumeKind::Aux), 0);
    EXPECT_EQ(device.DeviceCount(VolumeKind::Midi), 0);
    ASSERT_EQ(device.DeviceCount(VolumeKind::Wave), 1);
    EXPECT_TRUE(device.HasVolumeControl(VolumeKind::Wave, 0));
    EXPECT_FALSE(device.HasVolumeControl(VolumeKind::Wave, 1));

    device.SetVolume(VolumeKind::Wave, 0, 0x12345678u);
    EXPECT_EQ(gain.Volume(), 0x12345678u);
    EXPECT_EQ(device.Volume(VolumeKind::Wave, 0), 0x12345678u);
    device.SetVolume(VolumeKind::Midi, 0, 0);
    EXPECT_EQ(gain.Volume(), 0x12345678u);
}

// Hands the test the source, so that it takes every sample the output would get.
class TapOutputs final : public IAudioOutputFactory {
public:
    class Tap final : public AudioOutput {
    public:
        explicit Tap(TapOutputs& owner) : owner_(owner) {}
        bool Start(int, IPcmSource& source) override
        {
            owner_.source = &source;
            return true;
        }
        void SetPaused(bool) override {}
        void Stop() override { owner_.source = nullptr; }

    private:
        TapOutputs& owner_;
    };

    std::unique_ptr<AudioOutput> Create() override { return std::make_unique<Tap>(*this); }
    bool TakeNoDeviceNotice() override { return false; }

    std::vector<int16_t> TakeAll()
    {
        std::vector<int16_t> all;
        std::vector<int16_t> chunk(1000 * 2);
        while (const int got = source->Pull(chunk.data(), 1000, true))
            all.insert(all.end(), chunk.begin(), chunk.begin() + got * 2);
        return all;
    }

    IPcmSource* source = nullptr;
};

TEST(OutputGainTest, AFileDecodedAtVolume128ReachesTheOutputHalved)
{
    auto reference = Mp3Decoder::Open(Fixture("cbr.mp3"));
    ASSERT_TRUE(reference);
    std::vector<int16_t> full(4096 * 2);
    std::vector<int16_t> expected;
    while (const int got = reference->Read(full.data(), 4096))
        expected.insert(expected.end(), full.begin(), full.begin() + got * 2);

    TapOutputs outputs;
    TOutputVolume device(outputs.Gain());
    device.SetVolume(VolumeKind::Wave, 0, DeviceFromVolume(128));
    PcmPipeline pipeline(outputs);
    ASSERT_TRUE(pipeline.Start(Mp3Decoder::Open(Fixture("cbr.mp3")), nullptr));
    ASSERT_NE(outputs.source, nullptr);
    const std::vector<int16_t> heard = outputs.TakeAll();

    ASSERT_EQ(heard.size(), expected.size());
    int loudest = 0;
    for (size_t i = 0; i < heard.size(); ++i) {
        loudest = std::max(loudest, std::abs(static_cast<int>(expected[i])));
        ASSERT_LE(std::abs(heard[i] - expected[i] / 2.0), 0.5) << "sample " << i;
    }
    EXPECT_GT(loudest, 3000);  // a tone, not silence
}

} // namespace
