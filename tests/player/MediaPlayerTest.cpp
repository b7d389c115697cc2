#include "Fixtures.h"
#include "player/MediaError.h"
#include "player/TMediaPlayer.h"
#include "TestOutputs.h"

#include <gtest/gtest.h>

#include <QDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <thread>

namespace {

class MediaPlayerTest : public ::testing::Test {
protected:
    bool OpenFixture(const char* name)
    {
        media.SetFileName(Fixture(name));
        return media.Open();
    }
    // Plays to the end; the position must then stand exactly at the length.
    void PlayOut()
    {
        media.Play();
        outputs.Advance(600000);
        ASSERT_EQ(media.Mode(), MediaMode::Stopped);
        EXPECT_EQ(media.Position(), media.Length());
    }

    TestOutputs outputs;
    PcmPipeline pipeline{outputs};
    TMediaPlayer media{pipeline};
};

TEST_F(MediaPlayerTest, ModeFollowsOpenPlayPauseResumeAndEnd)
{
    EXPECT_EQ(media.Mode(), MediaMode::NotOpen);
    ASSERT_TRUE(OpenFixture("tone.wav"));
    EXPECT_EQ(media.Mode(), MediaMode::Stopped);
    EXPECT_EQ(media.Position(), 0);
    media.Play();
    EXPECT_EQ(media.Mode(), MediaMode::Playing);
    media.Pause();
    EXPECT_EQ(media.Mode(), MediaMode::Paused);
    media.Resume();
    EXPECT_EQ(media.Mode(), MediaMode::Playing);
    outputs.Advance(10000);
    EXPECT_EQ(media.Mode(), MediaMode::Stopped);
    media.Close();
    EXPECT_EQ(media.Mode(), MediaMode::NotOpen);
    media.Close();  // nothing open: harmless
}

TEST_F(MediaPlayerTest, WavPositionPauseSeekAndResumeInMilliseconds)
{
    ASSERT_TRUE(OpenFixture("tone.wav"));
    EXPECT_EQ(media.Length(), 3000);
    media.Play();
    outputs.Advance(1000);
    EXPECT_EQ(media.Position(), 1000);
    media.Pause();
    outputs.Advance(1000);
    EXPECT_EQ(media.Position(), 1000);
    media.Seek(2500);
    EXPECT_EQ(media.Position(), 2500);
    media.Resume();
    outputs.Advance(250);
    EXPECT_EQ(media.Position(), 2750);
    outputs.Advance(1000);
    EXPECT_EQ(media.Position(), 3000);
    EXPECT_EQ(media.Length(), 3000);
}

TEST_F(MediaPlayerTest, PlayAtTheEndStartsAgainFromZero)
{
    ASSERT_TRUE(OpenFixture("tone.wav"));
    PlayOut();
    media.Play();
    EXPECT_EQ(media.Mode(), MediaMode::Playing);
    outputs.Advance(500);
    EXPECT_EQ(media.Position(), 500);
}

TEST_F(MediaPlayerTest, WmaEndsWhereItsDecodedSoundEnds)
{
    ASSERT_TRUE(OpenFixture("tone.wma"));
    EXPECT_NEAR(static_cast<double>(media.Length()), 3000, 100);
    PlayOut();
    EXPECT_NEAR(static_cast<double>(media.Length()), 3000, 100);
}

TEST_F(MediaPlayerTest, TruncatedWavLengthBecomesTheDecodedDuration)
{
    const QByteArray wav = ReadFixture("tone.wav");
    const qsizetype data = wav.indexOf("data") + 8;
    ASSERT_GT(data, 8);
    TempFolder dir;
    media.SetFileName(WriteFile(dir, "cut.wav", wav.left(data + 12000)));  // 6000 samples of 8 kHz mono
    ASSERT_TRUE(media.Open());
    PlayOut();
    EXPECT_EQ(media.Length(), 750);
}

TEST_F(MediaPlayerTest, TruncatedWmaEndsWhereItsSoundEndsAlsoAfterSeekingBack)
{
    const QByteArray wma = ReadFixture("tone.wma");
    TempFolder dir;
    media.SetFileName(WriteFile(dir, "cut.wma", wma.left(wma.size() / 2)));
    ASSERT_TRUE(media.Open());
    const int64_t atOpen = media.Length();
    EXPECT_NEAR(static_cast<double>(atOpen), 1500, 200);  // not the header's 3 s
    PlayOut();
    const int64_t end = media.Length();
    EXPECT_EQ(end, atOpen);
    media.Pause();
    media.Seek(200);
    EXPECT_EQ(media.Length(), end);  // the end once found stays known
    media.Play();
    PlayOut();
    EXPECT_EQ(media.Length(), end);
}

TEST_F(MediaPlayerTest, TheLengthOfAShortFileIsWorkedOutAtOpenTheSameEveryTime)
{
    const QByteArray wav = ReadFixture("tone.wav");
    TempFolder dir;
    const QByteArray cut = WriteFile(dir, "cut.wav", wav.left(wav.indexOf("data") + 8 + 12000));  // 750 ms
    const QByteArray wma = ReadFixture("tone.wma");
    const QByteArray cutWma = WriteFile(dir, "cut.wma", wma.left(wma.size() / 2));
    const QByteArray tiny = WriteFile(dir, "tiny.wav", wav.left(wav.indexOf("data") + 8 + 8));  // 0.5 ms
    for (const QByteArray& file : {cut, cutWma, tiny}) {
        media.SetFileName(file);
        ASSERT_TRUE(media.Open());
        const int64_t first = media.Length();
        for (int i = 0; i < 20; ++i) {
            SCOPED_TRACE(file.toStdString() + " try " + std::to_string(i));
            ASSERT_TRUE(media.Open());
            ASSERT_EQ(media.Length(), first);
        }
        PlayOut();
        EXPECT_EQ(media.Length(), first);
    }
    media.SetFileName(cut);
    ASSERT_TRUE(media.Open());
    EXPECT_EQ(media.Length(), 750);
    media.SetFileName(tiny);
    ASSERT_TRUE(media.Open());
    EXPECT_EQ(media.Length(), 0);
}

TEST_F(MediaPlayerTest, APositionSoughtReadsBackExactly)
{
    for (const char* name : {"tone.wma", "tone.wav"}) {  // 22050 and 8000 Hz
        ASSERT_TRUE(OpenFixture(name));
        media.Play();
        media.Pause();
        for (int64_t ms : {1, 999, 1001, 1337, 2003, 2999}) {
            SCOPED_TRACE(std::string(name) + " " + std::to_string(ms));
            media.Seek(ms);
            EXPECT_EQ(media.Position(), ms);
        }
    }
}

TEST_F(MediaPlayerTest, ASeekPastTheEndKeepsTheKnownLength)
{
    ASSERT_TRUE(OpenFixture("tone.wav"));
    PlayOut();
    ASSERT_EQ(media.Length(), 3000);
    media.Play();
    outputs.Advance(1000);
    media.Pause();
    media.Seek(5000);
    media.Resume();
    outputs.Advance(100);
    EXPECT_EQ(media.Mode(), MediaMode::Stopped);
    EXPECT_EQ(media.Position(), 5000);
    EXPECT_EQ(media.Length(), 3000);
}

TEST_F(MediaPlayerTest, TheContentNotTheNameChoosesTheFormat)
{
    TempFolder dir;
    media.SetFileName(WriteFile(dir, "misnamed.wma", ReadFixture("cbr.mp3")));
    ASSERT_TRUE(media.Open());
    EXPECT_NEAR(static_cast<double>(media.Length()), 3000, 100);
    PlayOut();
    EXPECT_GT(outputs.peak, 1000);
    media.SetFileName(WriteFile(dir, "misnamed.wav", ReadFixture("tone.wma")));
    ASSERT_TRUE(media.Open());
    EXPECT_NEAR(static_cast<double>(media.Length()), 3000, 100);
}

TEST_F(MediaPlayerTest, AFileNeverMakesThePlayerOpenOtherFiles)
{
    // A play list under a media name: its entries must not be fetched.
    TempFolder dir;
    const QByteArray hls = "#EXTM3U\n#EXT-X-TARGETDURATION:10\n#EXTINF:3,\n" + Fixture("tone.wav") + "\n#EXT-X-ENDLIST\n";
    const QByteArray concat = "ffconcat version 1.0\nfile tone.wav\n";
    const QByteArray here = QFile::encodeName(QDir::currentPath());
    ASSERT_EQ(::chdir(Fixture("").constData()), 0);  // where the relative entry would lead
    for (const QByteArray& list : {hls, concat}) {
        for (const char* name : {"list.wav", "list.wma"}) {
            SCOPED_TRACE(list.toStdString() + name);
            media.SetFileName(WriteFile(dir, name, list));
            EXPECT_FALSE(media.Open());
            EXPECT_EQ(media.Error(), kErrBadFormat);
        }
    }
    ASSERT_EQ(::chdir(here.constData()), 0);
}

TEST_F(MediaPlayerTest, AStreamThatChangesFromStereoToMonoPlaysOn)
{
    // 20 silent stereo frames, then the mono tone of cbr.mp3.
    ASSERT_TRUE(OpenFixture("channels_change.wav"));
    PlayOut();
    EXPECT_GT(media.Length(), 20 * 1152 * 1000 / 44100 + 2500);
    EXPECT_GT(outputs.peak, 1000);
}

TEST_F(MediaPlayerTest, FifosAndAbsurdRatesAreRefused)
{
    TempFolder dir;
    for (const char* name : {"/pipe.wav", "/pipe.wma", "/pipe.mid"}) {
        const QByteArray path = dir.Path() + name;
        ASSERT_EQ(::mkfifo(path.constData(), 0644), 0);
        media.SetFileName(path);
        auto open = std::async(std::launch::async, [&] { return media.Open(); });
        if (open.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
            ::close(::open(path.constData(), O_WRONLY | O_NONBLOCK));  // frees the blocked reader
            FAIL() << name << ": the open blocked";
        }
        EXPECT_FALSE(open.get());
        EXPECT_EQ(media.Error(), kErrFileUnreadable);
    }
    EXPECT_FALSE(OpenFixture("huge_rate.wav"));  // 2e9 samples a second
    EXPECT_EQ(media.Error(), kErrBadFormat);
}

TEST_F(MediaPlayerTest, TheFileToFollowIsOpenedWithoutHoldingUpTheCaller)
{
    // A sound font that is a FIFO holds the opening of a MIDI file until someone writes to it.
    TempFolder dir;
    const QByteArray font = dir.Path() + "/font.sf2";
    ASSERT_EQ(::mkfifo(font.constData(), 0644), 0);
    ASSERT_TRUE(OpenFixture("tone.wav"));
    media.Play();
    media.SetSoundFonts({font});
    auto queue = std::async(std::launch::async, [&] { media.Queue(Fixture("tempo_change.mid")); });
    const bool returned = queue.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
    EXPECT_EQ(media.Queued(), Fixture("tempo_change.mid"));  // still on its way
    // The font's reader gets an empty font and gives up, so that nothing is left waiting.
    for (int i = 0; i < 1000; ++i) {
        const int fd = ::open(font.constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) {
            ::close(fd);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    queue.wait();
    EXPECT_TRUE(returned);
}

TEST_F(MediaPlayerTest, MidiLengthFollowsTheTempoMapAndSeekWorks)
{
    ASSERT_TRUE(OpenFixture("tempo_change.mid"));
    // 4 quarters at 120 bpm, 4 at 240 bpm; without the change it would be 4 s.
    EXPECT_EQ(media.Length(), 3000);
    media.Play();
    outputs.Advance(1000);
    EXPECT_EQ(media.Position(), 1000);
    EXPECT_GT(outputs.peak, 100);  // the synthesiser really plays the notes
    media.Pause();
    media.Seek(2500);
    media.Resume();
    EXPECT_EQ(media.Position(), 2500);
    outputs.peak = 0;
    outputs.Advance(200);
    EXPECT_GT(outputs.peak, 100);
    PlayOut();
    EXPECT_EQ(media.Length(), 3000);
}

TEST_F(MediaPlayerTest, DamagedMidiFilesAreRefusedAndSmpteTimingPlays)
{
    for (const char* name : {"track_too_short.mid", "bad_sysex.mid", "huge_delta.mid"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(OpenFixture(name));
        EXPECT_EQ(media.Error(), kErrBadFormat);
    }
    ASSERT_TRUE(OpenFixture("smpte.mid"));
    EXPECT_EQ(media.Length(), 2500);
    media.Play();
    outputs.Advance(500);
    EXPECT_GT(outputs.peak, 100);  // the synthesiser knows no SMPTE timing: it gets quarters
    media.Pause();
    media.Seek(1200);
    media.Resume();
    EXPECT_EQ(media.Position(), 1200);
    PlayOut();
    EXPECT_EQ(media.Length(), 2500);
}

TEST_F(MediaPlayerTest, OpenErrorsCarryTheirNumberAndText)
{
    TempFolder dir;
    const struct {
        QByteArray file;
        int error;
    } cases[] = {
        {Fixture("missing.wav"), kErrFileNotFound},
        {dir.Path() + "/folder.wav", kErrFileUnreadable},
        {Fixture("broken_header.wav"), kErrBadFormat},
        {Fixture("empty.wma"), kErrBadFormat},
        {Fixture("random.mid"), kErrBadFormat},
        {WriteFile(dir, "cut.mid", ReadFixture("tempo_change.mid").left(60)), kErrBadFormat},
        {Fixture("cbr.mp3"), kErrBadFormat},
    };
    ::mkdir((dir.Path() + "/folder.wav").constData(), 0755);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        media.SetFileName(c.file);
        EXPECT_FALSE(media.Open());
        EXPECT_EQ(media.Error(), c.error);
        EXPECT_EQ(media.ErrorText(), MediaErrorText(c.error));
        EXPECT_EQ(media.Mode(), MediaMode::NotOpen);
        EXPECT_EQ(media.Length(), 0);
    }
    EXPECT_EQ(MediaErrorText(kErrFileNotFound), QStringLiteral("找不到指定的文件。"));
    EXPECT_EQ(MediaErrorText(999), QStringLiteral("Unknown error code"));
}

TEST_F(MediaPlayerTest, MidiWithoutSoundFontIsReported)
{
    media.SetSoundFonts({"/nonexistent/none.sf2"});
    EXPECT_FALSE(OpenFixture("tempo_change.mid"));
    EXPECT_EQ(media.Error(), kErrNoSoundFont);
}

TEST_F(MediaPlayerTest, NoOutputMeansNoAudioDevice)
{
    outputs.failStart = true;
    EXPECT_FALSE(OpenFixture("tone.wav"));
    EXPECT_EQ(media.Error(), kErrNoAudioDevice);
}

TEST_F(MediaPlayerTest, PlayWithNothingOpenFails)
{
    EXPECT_FALSE(media.Play());
    EXPECT_EQ(media.Error(), kErrNotOpen);
    EXPECT_EQ(media.ErrorText(), QStringLiteral("No MCI device open"));
}

} // namespace
