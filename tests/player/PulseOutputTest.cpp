// The sound server's output against a PulseAudio server of the test's own with a null sink: a real
// server, without a sound card.
#include "Fixtures.h"
#include "player/EndNotice.h"
#include "player/FfmpegDecoder.h"
#include "player/PcmPipeline.h"
#include "player/PulseAudioOutput.h"

#include <gtest/gtest.h>

#include <atomic>
#include <csignal>
#include <cstdlib>

namespace {

class PulseOutputs final : public IAudioOutputFactory {
public:
    std::unique_ptr<AudioOutput> Create() override { return std::make_unique<PulseAudioOutput>(Gain()); }
    bool TakeNoDeviceNotice() override { return false; }
};

class PulseOutputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.IsValid());
        const QByteArray socket = dir.At("native");
        const QByteArray config = WriteFile(dir, "server.pa",
                                            "load-module module-null-sink sink_name=null rate=44100\n"
                                            "load-module module-native-protocol-unix auth-anonymous=1 socket="
                                                + socket + "\nset-default-sink null\n");
        ::setenv("PULSE_RUNTIME_PATH", dir.MakeDir("pulse", 0700).constData(), 1);
        ::setenv("PULSE_SERVER", ("unix:" + socket).constData(), 1);
        server_ = Spawn({"pulseaudio", "-n", "-F", config, "--daemonize=no", "--exit-idle-time=-1", "--log-level=0"});
        if (server_ <= 0)
            GTEST_SKIP() << "no pulseaudio to test against";
    }
    void TearDown() override
    {
        if (server_ > 0) {
            ::kill(server_, SIGTERM);
            ::waitpid(server_, nullptr, 0);
        }
    }

    // Starts file in pipeline once the server answers.
    bool Start(PcmPipeline& pipeline, const QByteArray& file)
    {
        return Eventually([&] {
            int error = 0;
            return pipeline.Start(FfmpegDecoder::Open(file, error), nullptr);
        });
    }

    TempFolder dir;
    pid_t server_ = 0;
};

TEST_F(PulseOutputTest, AFilePlayedThroughTheServerIsHeardToItsEndAndTheEndIsTold)
{
    PulseOutputs outputs;
    PcmPipeline pipeline(outputs);
    std::atomic<int> told{0};
    auto notice = std::make_shared<EndNotice>();
    notice->Listen([&] { ++told; });
    pipeline.SetEndNotice(notice);
    ASSERT_TRUE(Start(pipeline, WriteFile(dir, "tone.wav", ToneWav(44100, 88200))));
    pipeline.SetPaused(false);
    EXPECT_TRUE(Eventually([&] { return pipeline.Drained(); }));
    EXPECT_EQ(pipeline.Position(), 88200);
    EXPECT_TRUE(Eventually([&] { return told == 1; }));
    pipeline.Stop();
}

} // namespace
