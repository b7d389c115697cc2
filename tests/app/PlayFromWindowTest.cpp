#include "PlayWindowFixture.h"

#include "player/PlayLength.h"
#include "player/TMediaPlayer.h"
#include "player/TMp3Play.h"
#include "tags/NameText.h"

#include <QAction>
#include <QLabel>
#include <QProcess>
#include <QSlider>
#include <QStandardPaths>
#include <QTimer>
#include <QToolBar>
#include <QWindow>

namespace {

using PlayFromWindow = PlayWindowFixture;

const QString kStopped = QStringLiteral("停止播放。");
const QString kPaused = QStringLiteral("暂停播放……");

TEST_F(PlayFromWindow, PlayingShowsTheFileLengthAndRangeAndStopClearsThem)
{
    put("cbr.mp3", "cbr.mp3");
    put("tone.wav", "tone.wav");
    startListing();
    win->SetActivePane(source(), win->SourcePane()->Tree(), win->SourcePane()->StatusBar());
    win->PlayFile(folder + "cbr.mp3");
    EXPECT_EQ(control<QLineEdit>("edtCurrPlay")->text(), "源文件夹-" + QString::fromUtf8(folder + "cbr.mp3"));
    EXPECT_EQ(win->windowHandle()->title(), "MelvaneKIRO(V4.0)-cbr.mp3");
    EXPECT_EQ(win->windowTitle(), "MelvaneKIRO(V4.0)");
    auto* progress = control<QSlider>("trbProgress");
    EXPECT_EQ(progress->minimum(), 1);
    EXPECT_EQ(progress->maximum(), win->Mp3Play().FrameCount());
    EXPECT_TRUE(control<QLabel>("lblLength")->text().endsWith("分钟"));
    EXPECT_TRUE(control<QTimer>("tmMain")->isActive());
    EXPECT_EQ(win->Mp3Play().GetState(), 1);

    // A WAV file next: the MP3 component lets go and the bar counts milliseconds.
    win->SetActivePane(win->TargetPane()->List(), win->TargetPane()->Tree(), win->TargetPane()->StatusBar());
    win->PlayFile(folder + "tone.wav");
    EXPECT_EQ(win->Mp3Play().GetState(), 0);
    EXPECT_EQ(win->Head().PlayEngine, 1);
    EXPECT_EQ(progress->maximum(), win->mpMain().Length());
    EXPECT_TRUE(control<QLineEdit>("edtCurrPlay")->text().startsWith("目标文件夹-"));

    outputs->Advance(1000);
    transport().tmMainTimer();
    EXPECT_GE(progress->value(), 1000);
    win->Action("aStop")->trigger();
    EXPECT_TRUE(control<QLineEdit>("edtCurrPlay")->text().isEmpty());
    EXPECT_TRUE(control<QLabel>("lblLength")->text().isEmpty());
    EXPECT_EQ(progress->value(), 1);
    EXPECT_EQ(control<QLabel>("sbpStatus")->text(), kStopped);
    EXPECT_TRUE(win->Head().PlayingFile.isEmpty());
    EXPECT_FALSE(control<QTimer>("tmMain")->isActive());
    EXPECT_NE(win->mpMain().Mode(), MediaMode::Playing);
}

TEST_F(PlayFromWindow, ExitReleasesThePlayingFile)
{
    put("cbr.mp3", "cbr.mp3");
    startListing();
    win->PlayFile(folder + "cbr.mp3");
    ASSERT_EQ(win->Mp3Play().GetState(), 1);
    win->Action("aExit")->trigger();
    EXPECT_EQ(win->Mp3Play().GetState(), 0);
    EXPECT_FALSE(win->isVisible());
}

TEST_F(PlayFromWindow, ThePlayButtonLeavesTheFocusInTheListItPlaysFrom)
{
    put("a.wav", "tone.wav");
    put("b.wav", "tone.wav");
    startListing();
    select({1});
    auto* bar = win->findChild<QToolBar*>(QStringLiteral("tlbPlay"));
    ASSERT_NE(bar, nullptr);
    QTest::mouseClick(bar->widgetForAction(win->Action("aPlay")), Qt::LeftButton);
    EXPECT_EQ(win->Head().PlayingFile, folder + "b.wav");
    EXPECT_EQ(win->ActiveFileList(), source());
}

TEST_F(PlayFromWindow, NextOnTheLastRowPlaysTheFirstAndPreviousOnTheFirstTheLast)
{
    for (const char* name : {"a.wav", "b.wav", "c.wav"})
        put(name, "tone.wav");
    startListing();
    select({2});
    win->Action("aNext")->trigger();
    EXPECT_EQ(win->Head().PlayingFile, folder + "a.wav");
    EXPECT_EQ(selectedRows(), QList<int>{0});
    EXPECT_EQ(transport().PlayIndex(), 0);
    EXPECT_EQ(win->ActiveFileList(), source());
    EXPECT_EQ(win->Head().PlayPath, folder);

    win->Action("aPri")->trigger();
    EXPECT_EQ(win->Head().PlayingFile, folder + "c.wav");
    EXPECT_EQ(selectedRows(), QList<int>{2});
    win->Action("aPri")->trigger();
    EXPECT_EQ(win->Head().PlayingFile, folder + "b.wav");
    EXPECT_EQ(transport().PlayIndex(), 1);
}

TEST_F(PlayFromWindow, ContinuousPlayWithOneSelectedRowWalksAndWrapsWithTheSelection)
{
    for (const char* name : {"a.wav", "b.mp3", "c.wav"})
        put(name, QByteArray(name).endsWith(".mp3") ? "cbr.mp3" : "tone.wav");
    startListing();
    win->Head().bContinuous = true;
    select({1});
    win->Action("aPlay")->trigger();
    EXPECT_EQ(control<QLabel>("sbpStatus")->text(), QStringLiteral("播放选择的文件。"));
    ASSERT_EQ(win->Head().PlayingFile, folder + "b.mp3");

    QByteArrayList played;
    QList<int> selections;
    for (int i = 0; i < 3; ++i) {
        playToTheEnd();
        played.append(win->Head().PlayingFile.mid(folder.size()));
        selections.append(selectedRows());
    }
    EXPECT_EQ(played, (QByteArrayList{"c.wav", "a.wav", "b.mp3"}));
    EXPECT_EQ(selections, (QList<int>{2, 0, 1}));
    EXPECT_TRUE(control<QTimer>("tmMain")->isActive());
}

TEST_F(PlayFromWindow, ContinuousPlayCyclesThroughSeveralSelectedRowsAndKeepsThem)
{
    for (char c = 'a'; c <= 'h'; ++c)
        put(QByteArray(1, c) + ".wav", "tone.wav");
    startListing();
    win->Head().bContinuous = true;
    select({5});
    win->Action("aPlay")->trigger();
    select({2, 5, 7});
    QByteArrayList played;
    for (int i = 0; i < 3; ++i) {
        playToTheEnd();
        played.append(win->Head().PlayingFile.mid(folder.size()));
    }
    EXPECT_EQ(played, (QByteArrayList{"h.wav", "c.wav", "f.wav"}));
    EXPECT_EQ(selectedRows(), (QList<int>{2, 5, 7}));
}

TEST_F(PlayFromWindow, WithoutContinuousPlayTheEndStopsEvenWithRepeatSet)
{
    put("a.wav", "tone.wav");
    put("b.wav", "tone.wav");
    startListing();
    win->Head().bContinuous = false;
    select({0});
    win->Action("aPlay")->trigger();
    win->Action("aRepeatPlay")->trigger();
    EXPECT_TRUE(win->Head().RepeatCurrent);
    EXPECT_EQ(control<QLabel>("sbpStatus")->text(), QStringLiteral("反复播放选择的一个音乐。"));
    playToTheEnd();
    EXPECT_TRUE(win->Head().PlayingFile.isEmpty());
    EXPECT_FALSE(win->Head().RepeatCurrent);
    EXPECT_EQ(control<QLabel>("sbpStatus")->text(), kStopped);
    EXPECT_FALSE(control<QTimer>("tmMain")->isActive());
}

TEST_F(PlayFromWindow, RepeatWithContinuousPlayReplaysTheFileUntilStop)
{
    put("a.mp3", "cbr.mp3");
    put("b.wav", "tone.wav");
    startListing();
    win->Head().bContinuous = true;
    select({0});
    win->Action("aPlay")->trigger();
    win->Action("aRepeatPlay")->trigger();
    for (int i = 0; i < 3; ++i) {
        playToTheEnd();
        EXPECT_EQ(win->Head().PlayingFile, folder + "a.mp3");
        EXPECT_EQ(win->Mp3Play().GetState(), 1);
        // From the start again, at once: at most the second heard past the end.
        EXPECT_LE(win->Mp3Play().PlayPosition(), 44100 / 1152);
    }
    EXPECT_EQ(selectedRows(), QList<int>{0});
    win->Action("aStop")->trigger();
    EXPECT_EQ(win->Mp3Play().GetState(), 0);
    EXPECT_FALSE(win->Head().RepeatCurrent);
}

TEST_F(PlayFromWindow, PauseThenAClickOnTheBarResumesThereWithThePausedStatus)
{
    put("a.mp3", "cbr.mp3");
    startListing();
    select({0});
    win->Action("aPlay")->trigger();
    outputs->Advance(300);
    win->Action("aPause")->trigger();
    ASSERT_EQ(win->Mp3Play().GetState(), 2);
    EXPECT_EQ(control<QLabel>("sbpStatus")->text(), kPaused);
    EXPECT_FALSE(control<QTimer>("tmMain")->isActive());

    // Repeat while paused changes nothing.
    win->Action("aRepeatPlay")->trigger();
    EXPECT_FALSE(win->Head().RepeatCurrent);
    EXPECT_EQ(control<QLabel>("sbpStatus")->text(), kPaused);

    auto* bar = control<QSlider>("trbProgress");
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() * 3 / 4, bar->height() / 2));
    const int clicked = bar->value();
    EXPECT_GT(clicked, bar->maximum() / 2);
    EXPECT_EQ(win->Mp3Play().GetState(), 1);
    EXPECT_TRUE(control<QTimer>("tmMain")->isActive());
    EXPECT_EQ(control<QLabel>("sbpStatus")->text(), kPaused);
    outputs->Advance(100);
    transport().tmMainTimer();
    EXPECT_GE(bar->value(), clicked);
    EXPECT_LE(bar->value(), clicked + 5);

    win->Action("aPause")->trigger();
    win->Action("aPause")->trigger();
    EXPECT_EQ(win->Mp3Play().GetState(), 1);
    EXPECT_EQ(control<QLabel>("sbpStatus")->text(), QStringLiteral("播放选择的文件。"));
}

TEST_F(PlayFromWindow, EnterOnATextRowOpensItAndOnAWaveRowPlaysIt)
{
    put("a.wav", "tone.wav");
    put("notes.txt");
    startListing();
    select({1});
    QTest::keyClick(source(), Qt::Key_Return);
    EXPECT_EQ(opener->opened, QByteArrayList{folder + "notes.txt"});
    EXPECT_TRUE(win->Head().PlayingFile.isEmpty());

    select({0});
    QTest::keyClick(source(), Qt::Key_Return);
    EXPECT_EQ(win->Head().PlayingFile, folder + "a.wav");
    EXPECT_EQ(win->mpMain().Mode(), MediaMode::Playing);
    EXPECT_EQ(opener->opened.size(), 1);
    QTest::keyClick(source(), Qt::Key_Space);
    EXPECT_EQ(opener->opened.size(), 1);
}

TEST_F(PlayFromWindow, AMissingNextFileStopsQuietly)
{
    put("a.wav", "tone.wav");
    put("b.wav", "tone.wav");
    startListing();
    win->Head().bContinuous = true;
    select({0});
    win->Action("aPlay")->trigger();
    ASSERT_EQ(::unlink((folder + "b.wav").constData()), 0);
    playToTheEnd();
    EXPECT_TRUE(win->Head().PlayingFile.isEmpty());
    EXPECT_EQ(control<QLabel>("sbpStatus")->text(), kStopped);
    EXPECT_TRUE(msg->shown.isEmpty());
    EXPECT_TRUE(msg->standardErrors.isEmpty());
    EXPECT_EQ(transport().PlayIndex(), 1);
}

TEST_F(PlayFromWindow, AGbkNamedFilePlaysFromADoubleClick)
{
    const QByteArray gbk = "\xd2\xf4\xc0\xd6.wav";  // 音乐.wav in GBK
    put(gbk, "tone.wav");
    startListing();
    const QPoint row = source()->visualRect(source()->model()->index(0, 0)).center();
    QTest::mouseClick(source()->viewport(), Qt::LeftButton, {}, row);
    QTest::mouseDClick(source()->viewport(), Qt::LeftButton, {}, row);
    EXPECT_EQ(win->Head().PlayingFile, folder + gbk);
    EXPECT_EQ(win->mpMain().Mode(), MediaMode::Playing);
    EXPECT_EQ(control<QLineEdit>("edtCurrPlay")->text(), "源文件夹-" + DisplayName(folder + gbk));
    EXPECT_TRUE(control<QLineEdit>("edtCurrPlay")->text().endsWith(QStringLiteral("音乐.wav")));
}

TEST_F(PlayFromWindow, FlacOggOpusAndM4aPlayFromADoubleClickWithTheirLength)
{
    const QString ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
    if (ffmpeg.isEmpty())
        GTEST_SKIP() << "ffmpeg is not installed";
    put("tone.wav", "tone.wav");
    const QByteArrayList names = {"a.flac", "b.ogg", "c.opus", "d.m4a"};
    for (const QByteArray& name : names) {
        QProcess encode;
        encode.start(ffmpeg, {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-i"),
                              QFile::decodeName(folder + "tone.wav"), QStringLiteral("-ar"), QStringLiteral("48000"),
                              QFile::decodeName(folder + name)});
        ASSERT_TRUE(encode.waitForFinished(60000) && encode.exitCode() == 0) << name.constData();
        made.append(name);
    }
    startListing();
    auto* progress = control<QSlider>("trbProgress");
    for (int row = 0; row < names.size(); ++row) {
        const QPoint at = source()->visualRect(source()->model()->index(row, 0)).center();
        QTest::mouseClick(source()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(source()->viewport(), Qt::LeftButton, {}, at);
        SCOPED_TRACE(names[row].constData());
        EXPECT_EQ(win->Head().PlayingFile, folder + names[row]);
        EXPECT_EQ(win->mpMain().Mode(), MediaMode::Playing);
        EXPECT_NEAR(win->mpMain().Length(), 3000, 60);
        EXPECT_EQ(control<QLabel>("lblLength")->text(), FormatPlayLength(win->mpMain().Length()));
        EXPECT_EQ(progress->maximum(), win->mpMain().Length());
        outputs->Advance(1000);
        transport().tmMainTimer();
        EXPECT_NEAR(progress->value(), 1000, 60);
    }
}

} // namespace
