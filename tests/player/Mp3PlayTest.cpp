#include "Fixtures.h"
#include "player/TMp3Play.h"
#include "TestOutputs.h"

#include <gtest/gtest.h>


#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>

namespace {

class Mp3PlayTest : public ::testing::Test {
protected:
    TestOutputs outputs;
    PcmPipeline pipeline{outputs};
    TMp3Play mp3{pipeline};
};

TEST_F(Mp3PlayTest, CountsAudioFramesExactlyForCbrWithInfoHeaderAndHeaderlessVbr)
{
    ASSERT_LE(mp3.Open(Fixture("cbr.mp3")), 0);
    // 3 s at 44.1 kHz plus the encoder's delay and padding; the Info frame is no audio.
    EXPECT_EQ(mp3.FrameCount(), 116);
    EXPECT_EQ(mp3.TotalTime(), 116 * 1152 * 1000 / 44100);

    ASSERT_LE(mp3.Open(Fixture("vbr_noheader.mp3")), 0);
    EXPECT_EQ(mp3.FrameCount(), 155);
    EXPECT_EQ(mp3.TotalTime(), 155 * 1152 * 1000 / 44100);
}

TEST_F(Mp3PlayTest, StateFollowsOpenPlayPauseStopClose)
{
    EXPECT_EQ(mp3.Close(), 0);  // nothing loaded: harmless
    EXPECT_EQ(mp3.GetState(), 0);
    ASSERT_LE(mp3.Open(Fixture("cbr.mp3")), 0);
    EXPECT_EQ(mp3.GetState(), 0);
    mp3.Play();
    EXPECT_EQ(mp3.GetState(), 1);
    mp3.Pause();
    EXPECT_EQ(mp3.GetState(), 2);
    mp3.Pause();
    EXPECT_EQ(mp3.GetState(), 1);
    mp3.Stop();
    EXPECT_EQ(mp3.GetState(), 0);
    mp3.Close();
    EXPECT_EQ(mp3.GetState(), 0);
    EXPECT_EQ(mp3.FrameCount(), 0);
    EXPECT_EQ(mp3.PlayPosition(), 0);
}

TEST_F(Mp3PlayTest, PositionIsWhatHasBeenHeardAndHoldsWhilePaused)
{
    ASSERT_LE(mp3.Open(Fixture("cbr.mp3")), 0);
    mp3.Play();
    outputs.Advance(1000);
    EXPECT_EQ(mp3.PlayPosition(), 44100 / 1152);
    mp3.Pause();
    outputs.Advance(1000);
    EXPECT_EQ(mp3.PlayPosition(), 44100 / 1152);
    mp3.Pause();
    outputs.Advance(1000);
    EXPECT_EQ(mp3.PlayPosition(), 88200 / 1152);
}

TEST_F(Mp3PlayTest, SeekWhilePausedResumesAtThatFrameAndTheEndIsReachedExactly)
{
    ASSERT_LE(mp3.Open(Fixture("vbr_noheader.mp3")), 0);
    mp3.Play();
    outputs.Advance(500);
    mp3.Pause();
    mp3.Seek(100);
    EXPECT_EQ(mp3.PlayPosition(), 100);
    mp3.Pause();
    outputs.Advance(1152 * 10 * 1000 / 44100 + 1);
    EXPECT_EQ(mp3.PlayPosition(), 110);
    outputs.Advance(60000);
    EXPECT_EQ(mp3.PlayPosition(), mp3.FrameCount());
}

TEST_F(Mp3PlayTest, PlayStartsAgainFromTheBeginning)
{
    ASSERT_LE(mp3.Open(Fixture("cbr.mp3")), 0);
    mp3.Play();
    outputs.Advance(60000);
    ASSERT_EQ(mp3.PlayPosition(), 116);
    mp3.Play();
    EXPECT_EQ(mp3.PlayPosition(), 0);
    outputs.Advance(1000);
    EXPECT_EQ(mp3.PlayPosition(), 44100 / 1152);
}

TEST_F(Mp3PlayTest, PositionReachesTheEndOfFilesLongerThan32767Frames)
{
    TempFolder dir;
    const QByteArray path = WriteRepeated(dir, "long.mp3", "vbr_noheader.mp3", 212);
    ASSERT_LE(mp3.Open(path), 0);
    ASSERT_EQ(mp3.FrameCount(), 155 * 212);
    mp3.Play();
    mp3.Pause();
    mp3.Seek(mp3.FrameCount() - 20);
    mp3.Pause();
    outputs.Advance(5000);
    EXPECT_EQ(mp3.PlayPosition(), 155 * 212);
}

TEST_F(Mp3PlayTest, OpensNamesThatAreNotUtf8)
{
    TempFolder dir;
    const QByteArray path = WriteFile(dir, "\xb8\xe8\xc7\xfa.mp3", ReadFixture("cbr.mp3"));  // GBK
    ASSERT_FALSE(path.isEmpty());
    EXPECT_LE(mp3.Open(path), 0);
    mp3.Close();
}

TEST_F(Mp3PlayTest, DamagedMissingOrUnreadableFilesDoNotLoad)
{
    TempFolder dir;
    for (const QByteArray& path : {Fixture("random.mp3"), Fixture("missing.mp3"),
                                   dir.Path(), WriteFile(dir, "empty.mp3", {})}) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_GT(mp3.Open(path), 0);
        EXPECT_EQ(mp3.GetState(), 0);
        mp3.Play();
        EXPECT_EQ(mp3.GetState(), 0);
    }
}

TEST_F(Mp3PlayTest, AFifoUnderAnMp3NameIsRefusedWithoutWaitingForAWriter)
{
    TempFolder dir;
    const QByteArray path = dir.Path() + "/pipe.mp3";
    ASSERT_EQ(::mkfifo(path.constData(), 0644), 0);
    auto open = std::async(std::launch::async, [&] { return mp3.Open(path); });
    if (open.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        ::close(::open(path.constData(), O_WRONLY | O_NONBLOCK));  // frees the blocked reader
        FAIL() << "the open blocked";
    }
    EXPECT_GT(open.get(), 0);
}

TEST_F(Mp3PlayTest, AFileIsScannedOncePerFileNotPerTry)
{
    TempFolder dir;
    const QByteArray path = WriteFile(dir, "later.mp3", ReadFixture("random.mp3"));
    mp3.Prepare(path);
    EXPECT_TRUE(mp3.WaitPrepared(10000));
    // Becomes playable after the scan: the tries keep the scan's answer.
    ASSERT_EQ(WriteFile(dir, "later.mp3", ReadFixture("cbr.mp3")), path);
    EXPECT_GT(mp3.Open(path), 0);
    EXPECT_GT(mp3.Open(path), 0);
    // A new start scans again.
    mp3.Close();
    EXPECT_LE(mp3.Open(path), 0);
    EXPECT_EQ(mp3.FrameCount(), 116);
    // Opened again without a Close: loaded afresh, not refused.
    EXPECT_LE(mp3.Open(path), 0);
    EXPECT_EQ(mp3.FrameCount(), 116);
}

TEST_F(Mp3PlayTest, APreparedScanOfAnotherFileDoesNotStandForThisOne)
{
    mp3.Prepare(Fixture("random.mp3"));
    EXPECT_LE(mp3.Open(Fixture("cbr.mp3")), 0);
    EXPECT_EQ(mp3.FrameCount(), 116);
    mp3.Prepare(Fixture("cbr.mp3"));
    EXPECT_EQ(mp3.GetState(), 0);  // preparing releases the loaded file
    EXPECT_EQ(mp3.FrameCount(), 0);
    mp3.Close();  // cancels the scan
    EXPECT_TRUE(mp3.WaitPrepared(0));
}

TEST_F(Mp3PlayTest, AnMp3OfAnotherRateFollowsAndCountsItsOwnFrames)
{
    TempFolder dir;
    const QByteArray wav = WriteFile(dir, "tone48.wav", ToneWav(48000, 2 * 48000));
    const QByteArray next = dir.At("tone48.mp3");
    ASSERT_TRUE(RunLame({wav, next}));
    ASSERT_LE(mp3.Open(Fixture("cbr.mp3")), 0);  // 3 s at 44.1 kHz
    mp3.Play();
    mp3.Queue(next);
    outputs.Advance(4000);  // to its end and a second into the next file
    ASSERT_TRUE(mp3.TakeQueued(next));
    EXPECT_EQ(mp3.FrameCount(), Mp3Decoder::Open(next)->FrameCount());
    // A second at 48 kHz is 41.7 frames of 1152 samples, though it went out at 44.1 kHz.
    EXPECT_EQ(mp3.PlayPosition(), 41);
    EXPECT_EQ(outputs.heard.size(), 4u * 44100 * 2);
}

} // namespace
