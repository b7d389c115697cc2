#include "Fixtures.h"
#include "player/PlayLength.h"
#include "support/ScriptedMsgDlg.h"
#include "player/TPlaybackEngine.h"
#include "TestOutputs.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// Records what the engine shows; the stop action runs the engine's stop as the
// window's aStopExecute does.
class FakeDisplay final : public IPlayDisplay {
public:
    QString ActiveListHint() const override { return hint; }
    void SetNowPlaying(const QString& text) override { nowPlaying = text, ++calls; }
    void SetAppTitle(const QString& text) override { title = text, ++calls; }
    void SetLengthText(const QString& text) override { length = text, ++calls; }
    void SetProgressMin(int value) override { progressMin = value, ++calls; }
    void SetProgressMax(int value) override { progressMax = value, ++calls; }
    void SetProgressValue(int value) override { progressValue = value, ++calls; }
    void SetTimerOn(bool on) override { timer = on, ++calls; }
    bool TimerOn() const override { return timer; }
    void ProcessPendingEvents() override
    {
        ++pendingEvents;
        if (duringEvents)
            duringEvents();
    }
    void RunStopAction() override
    {
        ++stopActions;
        stop();
    }
    void ShowStatus(const QString& text) override { status = text, ++calls; }

    QString hint = QStringLiteral("源文件夹");
    QString nowPlaying, title, length, status;
    int progressMin = 0, progressMax = 0, progressValue = 0;
    bool timer = false;
    int calls = 0, pendingEvents = 0, stopActions = 0;
    std::function<void()> stop;
    std::function<void()> duringEvents;
};

class PlaybackEngineTest : public ::testing::Test {
protected:
    PlaybackEngineTest() { display.stop = [this] { engine.StopPlayback(); }; }

    THead head;
    FakeDisplay display;
    ScriptedMsgDlg msg;
    TestOutputs outputs;
    PcmPipeline pipeline{outputs};
    TMp3Play mp3{pipeline};
    TMediaPlayer media{pipeline};
    TPlaybackEngine engine{head, display, msg, mp3, media, outputs};
};

TEST(PlayLengthTest, MediaLengthsShowWholeMinutesDotWholeSeconds)
{
    EXPECT_EQ(FormatPlayLength(185000), QStringLiteral("3.5分钟"));
    EXPECT_EQ(FormatPlayLength(230000), QStringLiteral("3.50分钟"));
    EXPECT_EQ(FormatPlayLength(125000), QStringLiteral("2.5分钟"));
    EXPECT_EQ(FormatPlayLength(170999), QStringLiteral("2.50分钟"));
    EXPECT_EQ(FormatPlayLength(59999), QStringLiteral("0.59分钟"));
    EXPECT_EQ(FormatPlayLength(0), QStringLiteral("0.0分钟"));
}

TEST(PlayLengthTest, Mp3LengthsShowMinutesToTwoDecimalsHalfToEven)
{
    EXPECT_EQ(FormatMp3Length(185000), QStringLiteral("3.08分钟"));
    EXPECT_EQ(FormatMp3Length(186000), QStringLiteral("3.1分钟"));
    EXPECT_EQ(FormatMp3Length(180000), QStringLiteral("3分钟"));
    EXPECT_EQ(FormatMp3Length(300), QStringLiteral("0分钟"));      // 0.005: to the even 0.00
    EXPECT_EQ(FormatMp3Length(900), QStringLiteral("0.02分钟"));   // 0.015: to the even 0.02
    EXPECT_EQ(FormatMp3Length(901), QStringLiteral("0.02分钟"));
    EXPECT_EQ(FormatMp3Length(3030), QStringLiteral("0.05分钟"));
}

TEST_F(PlaybackEngineTest, Mp3ShowsPathTitleLengthAndFrameRange)
{
    const QByteArray file = Fixture("cbr.mp3");
    head.PlayEngine = 1;
    engine.PlayFile(file);
    EXPECT_EQ(head.PlayingFile, file);
    EXPECT_EQ(head.PlayEngine, 0);
    EXPECT_EQ(display.nowPlaying, QStringLiteral("源文件夹-") + QString::fromUtf8(file));
    EXPECT_EQ(display.title, QStringLiteral("MelvaneKIRO(V4.0)-cbr.mp3"));
    EXPECT_EQ(display.length, QStringLiteral("0.05分钟"));  // 3030 ms
    EXPECT_EQ(display.progressMin, 1);
    EXPECT_EQ(display.progressValue, 1);
    EXPECT_EQ(display.progressMax, 116);
    EXPECT_TRUE(display.timer);
    EXPECT_EQ(mp3.GetState(), 1);
    EXPECT_EQ(display.pendingEvents, 0);
}

TEST_F(PlaybackEngineTest, SwitchingFromMp3ToWavClosesTheMp3AndCountsMilliseconds)
{
    engine.PlayFile(Fixture("cbr.mp3"));
    ASSERT_EQ(display.progressMax, 116);
    display.hint = QStringLiteral("自定义播放列表");
    engine.PlayFile(Fixture("tone.wav"));
    EXPECT_EQ(mp3.GetState(), 0);
    EXPECT_EQ(mp3.FrameCount(), 0);
    EXPECT_EQ(head.PlayEngine, 1);
    EXPECT_EQ(media.Mode(), MediaMode::Playing);
    EXPECT_EQ(display.progressMax, 3000);
    EXPECT_EQ(display.length, QStringLiteral("0.3分钟"));
    EXPECT_EQ(display.nowPlaying, QStringLiteral("自定义播放列表-") + QString::fromUtf8(Fixture("tone.wav")));
    EXPECT_EQ(display.title, QStringLiteral("MelvaneKIRO(V4.0)-tone.wav"));
}

TEST_F(PlaybackEngineTest, ThePausedFileResumesWhereItWasAndAPlayingOneStartsAgain)
{
    const QByteArray file = Fixture("vbr_noheader.mp3");
    engine.PlayFile(file);
    outputs.Advance(1000);
    mp3.Pause();
    display.timer = false;
    const int calls = display.calls;
    engine.PlayFile(file);
    EXPECT_EQ(mp3.GetState(), 1);
    EXPECT_TRUE(display.timer);
    EXPECT_EQ(display.calls, calls + 1);  // only the timer
    EXPECT_EQ(mp3.PlayPosition(), 44100 / 1152);

    engine.PlayFile(file);
    EXPECT_EQ(mp3.PlayPosition(), 0);
    EXPECT_EQ(mp3.GetState(), 1);
}

TEST_F(PlaybackEngineTest, ThePausedMediaFileResumes)
{
    const QByteArray file = Fixture("tone.wav");
    engine.PlayFile(file);
    outputs.Advance(1000);
    media.Pause();
    engine.PlayFile(file);
    EXPECT_EQ(media.Mode(), MediaMode::Playing);
    EXPECT_EQ(media.Position(), 1000);
}

TEST_F(PlaybackEngineTest, OtherExtensionsChangeNothing)
{
    display.status = QStringLiteral("播放选择的文件。");
    engine.PlayFile("/home/u/readme.txt");
    engine.PlayFile("/home/u.mp3/noextension");
    EXPECT_EQ(display.calls, 0);
    EXPECT_TRUE(head.PlayingFile.isEmpty());
}

TEST_F(PlaybackEngineTest, Mp3ThatNeverLoadsIsTriedTwiceWithNoRetriesThenStopped)
{
    head.iTryMaxCount = 0;
    bool openingDuringEvents = false;
    display.duringEvents = [&] { openingDuringEvents = engine.OpeningMp3(); };
    display.timer = true;
    engine.PlayFile(Fixture("missing.mp3"));
    EXPECT_EQ(display.pendingEvents, 1);  // between the two tries
    EXPECT_TRUE(openingDuringEvents);
    EXPECT_FALSE(engine.OpeningMp3());
    EXPECT_EQ(display.stopActions, 1);
    EXPECT_FALSE(display.timer);
    EXPECT_TRUE(head.PlayingFile.isEmpty());
    EXPECT_EQ(display.nowPlaying, QString());
    EXPECT_EQ(display.status, QStringLiteral("停止播放。"));
    EXPECT_TRUE(msg.standardErrors.isEmpty());
}

TEST_F(PlaybackEngineTest, RetriesFollowTheOption)
{
    head.iTryMaxCount = 3;
    engine.PlayFile(Fixture("missing.mp3"));
    EXPECT_EQ(display.pendingEvents, 4);  // iTryMaxCount + 2 tries
    EXPECT_EQ(display.stopActions, 1);
}

TEST_F(PlaybackEngineTest, StoppingDuringTheRetriesEndsThem)
{
    head.iTryMaxCount = 5;
    display.duringEvents = [&] { display.RunStopAction(); };
    engine.PlayFile(Fixture("random.mp3"));
    EXPECT_EQ(display.pendingEvents, 1);
    EXPECT_EQ(display.stopActions, 1);
    EXPECT_FALSE(engine.OpeningMp3());
    EXPECT_FALSE(display.timer);
}

TEST_F(PlaybackEngineTest, AnotherFileStartedDuringTheRetriesTakesOver)
{
    head.iTryMaxCount = 5;
    const QByteArray wav = Fixture("tone.wav");
    display.duringEvents = [&] {
        display.duringEvents = nullptr;
        engine.PlayFile(wav);
    };
    engine.PlayFile(Fixture("missing.mp3"));
    EXPECT_EQ(display.pendingEvents, 1);
    EXPECT_EQ(display.stopActions, 0);
    EXPECT_FALSE(engine.OpeningMp3());
    EXPECT_EQ(head.PlayingFile, wav);
    EXPECT_EQ(head.PlayEngine, 1);
    EXPECT_EQ(media.Mode(), MediaMode::Playing);
    EXPECT_TRUE(display.timer);
}

TEST_F(PlaybackEngineTest, MediaOpenErrorGoesToTheStandardBox)
{
    engine.PlayFile(Fixture("cbr.mp3"));
    ASSERT_TRUE(display.timer);
    const QByteArray file = Fixture("broken_header.wav");
    engine.PlayFile(file);
    ASSERT_EQ(msg.standardErrors.size(), 1);
    EXPECT_EQ(msg.standardErrors[0], QStringLiteral("错误代码：3\r\n文件格式无法识别，或文件已损坏。"));
    EXPECT_TRUE(msg.shown.isEmpty());
    EXPECT_FALSE(display.timer);
    EXPECT_EQ(head.PlayingFile, file);
    EXPECT_EQ(display.title, QStringLiteral("MelvaneKIRO(V4.0)-broken_header.wav"));
    EXPECT_EQ(display.length, QStringLiteral("0.05分钟"));  // the previous text stays
    EXPECT_EQ(mp3.GetState(), 0);
}

TEST_F(PlaybackEngineTest, StopReleasesThePlayerAndClearsTheDisplay)
{
    engine.PlayFile(Fixture("tempo_change.mid"));
    ASSERT_EQ(media.Mode(), MediaMode::Playing);
    EXPECT_EQ(display.length, QStringLiteral("0.3分钟"));
    head.RepeatCurrent = true;
    display.progressValue = 500;
    engine.StopPlayback();
    EXPECT_EQ(media.Mode(), MediaMode::NotOpen);
    EXPECT_FALSE(display.timer);
    EXPECT_FALSE(head.RepeatCurrent);
    EXPECT_TRUE(head.PlayingFile.isEmpty());
    EXPECT_EQ(display.nowPlaying, QString());
    EXPECT_EQ(display.length, QString());
    EXPECT_EQ(display.progressValue, 1);
    EXPECT_EQ(display.status, QStringLiteral("停止播放。"));
    EXPECT_EQ(head.PlayEngine, 1);
    EXPECT_EQ(display.title, QStringLiteral("MelvaneKIRO(V4.0)-tempo_change.mid"));
}

TEST_F(PlaybackEngineTest, AMediaFilePlayedToItsEndStaysOpenOnStop)
{
    engine.PlayFile(Fixture("tone.wav"));
    outputs.Advance(10000);
    ASSERT_EQ(media.Mode(), MediaMode::Stopped);
    engine.StopPlayback();
    EXPECT_EQ(media.Mode(), MediaMode::Stopped);
}

TEST_F(PlaybackEngineTest, AMissingSoundDeviceIsToldOnce)
{
    outputs.noDeviceNotice = true;
    engine.PlayFile(Fixture("cbr.mp3"));
    EXPECT_EQ(display.status, QStringLiteral("没有找到声音设备，静音播放。"));
    display.status.clear();
    engine.PlayFile(Fixture("tone.wav"));
    EXPECT_EQ(display.status, QString());
}

TEST_F(PlaybackEngineTest, NamesThatAreNotUtf8AreShownDecoded)
{
    TempFolder dir;
    const QByteArray file = WriteFile(dir, "\xb8\xe8\xc7\xfa.wav", ReadFixture("tone.wav"));  // GBK 歌曲
    engine.PlayFile(file);
    EXPECT_EQ(media.Mode(), MediaMode::Playing);
    EXPECT_EQ(display.title, QStringLiteral("MelvaneKIRO(V4.0)-歌曲.wav"));
    engine.StopPlayback();
}

TEST_F(PlaybackEngineTest, TheWindowGoesOnWhileALongMp3IsScanned)
{
    // An hour of sound: its scan takes a while.
    TempFolder dir;
    const QByteArray path = WriteRepeated(dir, "hour.mp3", "vbr_noheader.mp3", 890);
    ASSERT_FALSE(path.isEmpty());
    int duringScan = 0;
    display.duringEvents = [&] {
        if (!mp3.WaitPrepared(0))
            ++duringScan;
    };
    engine.PlayFile(path);
    EXPECT_GT(duringScan, 0);
    EXPECT_EQ(mp3.GetState(), 1);
    EXPECT_EQ(mp3.FrameCount(), 155 * 890);
    EXPECT_EQ(display.progressMax, 155 * 890);
}

TEST_F(PlaybackEngineTest, StoppingDuringTheScanCancelsIt)
{
    TempFolder dir;
    const QByteArray path = WriteRepeated(dir, "hour.mp3", "vbr_noheader.mp3", 890);
    ASSERT_FALSE(path.isEmpty());
    display.duringEvents = [&] { display.RunStopAction(); };
    engine.PlayFile(path);
    EXPECT_EQ(display.stopActions, 1);
    EXPECT_FALSE(engine.OpeningMp3());
    EXPECT_TRUE(mp3.WaitPrepared(0));  // nothing runs on
    EXPECT_EQ(mp3.GetState(), 0);
    EXPECT_TRUE(head.PlayingFile.isEmpty());
}

} // namespace
