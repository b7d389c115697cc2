#include <sys/stat.h>
#include "Fixtures.h"
#include "player/MediaError.h"
#include "player/TMediaPlayer.h"
#include "TestOutputs.h"

#include <gtest/gtest.h>

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
    TMediaPlayer media{outputs};
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
    QTemporaryDir dir;
    media.SetFileName(WriteFile(dir, "cut.wav", wav.left(data + 12000)));  // 6000 samples of 8 kHz mono
    ASSERT_TRUE(media.Open());
    PlayOut();
    EXPECT_EQ(media.Length(), 750);
}

TEST_F(MediaPlayerTest, TruncatedWmaEndsWhereItsSoundEndsAlsoAfterSeekingBack)
{
    const QByteArray wma = ReadFixture("tone.wma");
    QTemporaryDir dir;
    media.SetFileName(WriteFile(dir, "cut.wma", wma.left(wma.size() / 2)));
    ASSERT_TRUE(media.Open());
    const int64_t header = media.Length();
    PlayOut();
    const int64_t end = media.Length();
    EXPECT_LT(end, header);
    media.Pause();
    media.Seek(200);
    EXPECT_EQ(media.Length(), end);  // the end once found stays known
    media.Play();
    PlayOut();
    EXPECT_EQ(media.Length(), end);
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

TEST_F(MediaPlayerTest, OpenErrorsCarryTheirNumberAndText)
{
    QTemporaryDir dir;
    const struct {
        QByteArray file;
        int error;
    } cases[] = {
        {Fixture("missing.wav"), kErrFileNotFound},
        {QFile::encodeName(dir.path()) + "/folder.wav", kErrFileUnreadable},
        {Fixture("broken_header.wav"), kErrBadFormat},
        {Fixture("empty.wma"), kErrBadFormat},
        {Fixture("random.mid"), kErrBadFormat},
        {WriteFile(dir, "cut.mid", ReadFixture("tempo_change.mid").left(60)), kErrBadFormat},
        {Fixture("cbr.mp3"), kErrBadFormat},
    };
    ::mkdir((QFile::encodeName(dir.path()) + "/folder.wav").constData(), 0755);
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
