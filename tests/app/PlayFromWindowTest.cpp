#include "MainWindowFixture.h"
#include "player/TestOutputs.h"

#include "panes/ui/TFileListView.h"
#include "panes/ui/TFolderPane.h"
#include "panes/ui/TFolderTree.h"
#include "panes/ui/TPaneStatusBar.h"
#include "player/TMediaPlayer.h"
#include "player/TMp3Play.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTimer>

namespace {

class PlayFromWindow : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        deliverCatalogue();
        auto scripted = std::make_unique<ScriptedMsgDlg>();
        msg = scripted.get();
        auto outputs = std::make_unique<TestOutputs>();
        clock = outputs.get();
        TwinMain::Services services;
        services.msgDlg = std::move(scripted);
        services.audio = std::move(outputs);
        win = std::make_unique<TwinMain>(programFolder() + "MelvaneKIRO", std::move(services));
        win->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(win.get()));
        for (const char* name : {"cbr.mp3", "tone.wav"})
            ASSERT_TRUE(QFile::copy(QStringLiteral(MELVANE_FIXTURES "/player/") + QLatin1String(name), QFile::decodeName(file(name))));
    }

    QByteArray file(const char* name) const { return programFolder() + name; }
    template <typename T> T* control(const char* name) const { return win->findChild<T*>(QLatin1String(name)); }

    TestOutputs* clock = nullptr;
};

} // namespace

TEST_F(PlayFromWindow, PlayingShowsTheFileLengthAndRangeAndStopClearsThem)
{
    win->SetActivePane(win->SourcePane()->List(), win->SourcePane()->Tree(), win->SourcePane()->StatusBar());
    win->PlayFile(file("cbr.mp3"));
    EXPECT_EQ(control<QLineEdit>("edtCurrPlay")->text(), "源文件夹-" + QString::fromUtf8(file("cbr.mp3")));
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), "MelvaneKIRO(V4.0)-cbr.mp3");
    EXPECT_EQ(win->windowTitle(), "MelvaneKIRO(V4.0)");
    auto* progress = control<QSlider>("trbProgress");
    EXPECT_EQ(progress->minimum(), 1);
    EXPECT_EQ(progress->maximum(), win->Mp3Play().FrameCount());
    EXPECT_TRUE(control<QLabel>("lblLength")->text().endsWith("分钟"));
    EXPECT_TRUE(control<QTimer>("tmMain")->isActive());
    EXPECT_EQ(win->Mp3Play().GetState(), 1);

    // A WAV file next: the MP3 component lets go and the bar counts milliseconds.
    win->SetActivePane(win->TargetPane()->List(), win->TargetPane()->Tree(), win->TargetPane()->StatusBar());
    win->PlayFile(file("tone.wav"));
    EXPECT_EQ(win->Mp3Play().GetState(), 0);
    EXPECT_EQ(win->Head().PlayEngine, 1);
    EXPECT_EQ(progress->maximum(), win->mpMain().Length());
    EXPECT_TRUE(control<QLineEdit>("edtCurrPlay")->text().startsWith("目标文件夹-"));

    win->Action("aStop")->trigger();
    EXPECT_TRUE(control<QLineEdit>("edtCurrPlay")->text().isEmpty());
    EXPECT_TRUE(control<QLabel>("lblLength")->text().isEmpty());
    EXPECT_EQ(progress->value(), 1);
    EXPECT_EQ(control<QLabel>("sbpStatus")->text(), "停止播放。");
    EXPECT_TRUE(win->Head().PlayingFile.isEmpty());
    EXPECT_FALSE(control<QTimer>("tmMain")->isActive());
    EXPECT_NE(win->mpMain().Mode(), MediaMode::Playing);
}

TEST_F(PlayFromWindow, ExitReleasesThePlayingFile)
{
    win->PlayFile(file("cbr.mp3"));
    ASSERT_EQ(win->Mp3Play().GetState(), 1);
    win->Action("aExit")->trigger();
    EXPECT_EQ(win->Mp3Play().GetState(), 0);
    EXPECT_FALSE(win->isVisible());
}
