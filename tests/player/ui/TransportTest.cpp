// The transport on lists of its own: play list entries, the progress bar's mouse, and ticks that
// arrive while an MP3 open is retried. The whole window drives it in tests/app.
#include "core/ItemRoles.h"
#include "core/ListRows.h"
#include "player/FfmpegDecoder.h"
#include "player/Fixtures.h"
#include "player/Mp3Decoder.h"
#include "player/TestOutputs.h"
#include "player/TMediaPlayer.h"
#include "player/TMp3Play.h"
#include "player/ui/TTransport.h"
#include "support/RecordingOpener.h"
#include "support/ScriptedMsgDlg.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QStandardItemModel>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

// A file decoded alone by its own decoder.
std::vector<int16_t> Decoded(const QByteArray& path)
{
    int error = 0;
    std::unique_ptr<IDecoder> d;
    if (path.endsWith(".mp3"))
        d = Mp3Decoder::Open(path);
    else
        d = FfmpegDecoder::Open(path, error);
    return d ? DecodeAll(*d) : std::vector<int16_t>();
}

std::vector<int16_t> Joined(const std::vector<int16_t>& a, const std::vector<int16_t>& b)
{
    std::vector<int16_t> both = a;
    both.insert(both.end(), b.begin(), b.end());
    return both;
}

// The longest run of frames in which both channels are silent.
int LongestSilence(const std::vector<int16_t>& pcm)
{
    int longest = 0;
    int run = 0;
    for (size_t i = 0; i + 1 < pcm.size(); i += 2) {
        run = pcm[i] == 0 && pcm[i + 1] == 0 ? run + 1 : 0;
        longest = std::max(longest, run);
    }
    return longest;
}

class TransportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.IsValid());
        folder = dir.Path() + '/';
        for (const char* name : {"a.wav", "b.wav"})
            ASSERT_FALSE(WriteFile(dir, name, ReadFixture("tone.wav")).isEmpty());
        ASSERT_FALSE(WriteFile(dir, "long.mp3", ReadFixture("cbr.mp3")).isEmpty());
        ASSERT_FALSE(WriteFile(dir, "bad.mp3", ReadFixture("random.mp3")).isEmpty());

        auto* layout = new QVBoxLayout(&window);
        for (QTreeView*& list : lists) {
            list = new QTreeView(&window);
            list->setSelectionMode(QAbstractItemView::ExtendedSelection);
            list->setSelectionBehavior(QAbstractItemView::SelectRows);
            list->setModel(new QStandardItemModel(list));
            layout->addWidget(list);
        }
        lists[0]->setProperty("hint", QStringLiteral("源文件夹"));
        lists[2]->setProperty("hint", QStringLiteral("自定义播放列表"));
        for (QWidget* w : std::initializer_list<QWidget*>{edt, lbl, bar, status})
            layout->addWidget(w);
        bar->setOrientation(Qt::Horizontal);
        bar->setFixedWidth(400);

        head.SourcePath = folder;
        transport = std::make_unique<TTransport>(
            head, msg, opener, TTransport::Players{mp3, media, outputs},
            TTransport::Lists{lists[0], lists[1], lists[2]},
            TTransport::Window{edt, lbl, bar, status, [this] { return active; },
                               [this](QAbstractItemView* list) { active = list; }});
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    void TearDown() override { transport.reset(); }

    void Fill(int list, const QByteArrayList& rows)
    {
        auto* model = static_cast<QStandardItemModel*>(lists[list]->model());
        for (const QByteArray& bytes : rows) {
            auto* item = new QStandardItem(QString::fromUtf8(bytes));
            item->setData(bytes, kNameBytesRole);
            model->appendRow(item);
        }
    }
    void Select(int list, int row)
    {
        QTreeView* view = lists[list];
        view->setFocus();
        view->selectionModel()->select(view->model()->index(row, 0),
                                       QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

    // Plays the first row of the source list with continuous play on; the tick
    // during its last seconds prepares what follows.
    void PlayFirstAndTick(const QByteArrayList& rows)
    {
        Fill(0, rows);
        Select(0, 0);
        head.bContinuous = true;
        transport->aPlayExecute();
        outputs.Advance(500);
        transport->tmMainTimer();
    }
    // Hears ms more and lets the window act on what the engine told it.
    void Hear(int ms)
    {
        outputs.Advance(ms);
        QCoreApplication::processEvents();
    }

    TempFolder dir;
    QByteArray folder;
    THead head;
    ScriptedMsgDlg msg;
    RecordingOpener opener;
    TestOutputs outputs;
    PcmPipeline pipeline{outputs};
    TMp3Play mp3{pipeline};
    TMediaPlayer media{pipeline};
    QWidget window;
    std::array<QTreeView*, 3> lists{};
    QLineEdit* edt = new QLineEdit(&window);
    QLabel* lbl = new QLabel(&window);
    QSlider* bar = new QSlider(&window);
    QLabel* status = new QLabel(&window);
    QWidget* active = nullptr;
    std::unique_ptr<TTransport> transport;
};

TEST_F(TransportTest, PlayListEntriesPlayByTheirOwnPathsAndLeavePlayPathAlone)
{
    head.PlayPath = "/elsewhere/";
    Fill(2, {folder + "a.wav", folder + "b.wav", folder + "notes.txt"});
    Select(2, 0);
    QTest::keyClick(lists[2], Qt::Key_Return);
    EXPECT_EQ(active, lists[2]);
    EXPECT_EQ(head.PlayingFile, folder + "a.wav");
    EXPECT_EQ(head.PlayPath, "/elsewhere/");
    EXPECT_EQ(edt->text(), QStringLiteral("自定义播放列表-") + QString::fromUtf8(folder + "a.wav"));

    head.bContinuous = true;
    outputs.Advance(3100);
    transport->tmMainTimer();
    EXPECT_EQ(head.PlayingFile, folder + "b.wav");
    EXPECT_EQ(transport->PlayIndex(), 1);

    Select(2, 2);
    QTest::keyClick(lists[2], Qt::Key_Enter);
    EXPECT_EQ(opener.opened, QByteArrayList{folder + "notes.txt"});
    EXPECT_EQ(head.PlayingFile, folder + "b.wav");
}

TEST_F(TransportTest, PaneRowsPlayFromTheirFolderWhichBecomesThePlayPath)
{
    Fill(0, {"a.wav", "b.wav"});
    Select(0, 1);
    transport->aPlayExecute();
    EXPECT_EQ(active, lists[0]);
    EXPECT_EQ(head.PlayPath, folder);
    EXPECT_EQ(head.PlayingFile, folder + "b.wav");
    EXPECT_EQ(status->text(), QStringLiteral("播放选择的文件。"));
    EXPECT_TRUE(transport->tmMain()->isActive());
    EXPECT_EQ(transport->tmMain()->interval(), 1000);
}

TEST_F(TransportTest, ATickDuringTheMp3OpenTriesDoesNothing)
{
    head.iTryMaxCount = 2;
    head.bContinuous = true;
    Fill(0, {"bad.mp3", "a.wav"});
    Select(0, 0);
    // Were the tick to act, the empty MP3 player would read as ended and a.wav would start.
    bool ticked = false;
    QTimer::singleShot(0, transport.get(), [&] {
        ticked = transport->Engine().OpeningMp3();
        transport->tmMainTimer();
    });
    transport->aPlayExecute();
    EXPECT_TRUE(ticked);
    EXPECT_TRUE(head.PlayingFile.isEmpty());
    EXPECT_EQ(media.Mode(), MediaMode::NotOpen);
    EXPECT_EQ(status->text(), QStringLiteral("停止播放。"));
    EXPECT_EQ(transport->PlayIndex(), 0);
}

TEST_F(TransportTest, PressingTheBarPausesAndHoldsItWhileTheTickGoesOn)
{
    Fill(0, {"long.mp3"});
    Select(0, 0);
    transport->aPlayExecute();
    ASSERT_EQ(mp3.GetState(), 1);
    outputs.Advance(500);

    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(300, bar->height() / 2));
    EXPECT_EQ(mp3.GetState(), 2);
    EXPECT_FALSE(transport->tmMain()->isActive());
    EXPECT_TRUE(bar->isSliderDown());
    const int pressed = bar->value();
    EXPECT_GT(pressed, bar->maximum() / 2);  // the handle jumped to the pointer
    transport->tmMainTimer();
    EXPECT_EQ(bar->value(), pressed);

    QTest::mouseMove(bar, QPoint(100, bar->height() / 2));
    const int dragged = bar->value();
    EXPECT_LT(dragged, pressed);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(100, bar->height() / 2));
    EXPECT_FALSE(bar->isSliderDown());
    EXPECT_EQ(mp3.GetState(), 1);
    EXPECT_TRUE(transport->tmMain()->isActive());
    outputs.Advance(50);
    transport->tmMainTimer();
    EXPECT_GE(bar->value(), dragged);
    EXPECT_LE(bar->value(), dragged + 3);
}

TEST_F(TransportTest, ADoubleClickOnTheBarSeeksLikeAClick)
{
    Fill(0, {"a.wav"});
    Select(0, 0);
    transport->aPlayExecute();
    const QPoint at(100, bar->height() / 2);
    QTest::mouseDClick(bar, Qt::LeftButton, {}, at);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, at);  // a double click ends with the button let go
    EXPECT_EQ(media.Mode(), MediaMode::Playing);
    EXPECT_FALSE(bar->isSliderDown());
    const int value = bar->value();
    EXPECT_GT(value, 300);  // a quarter of three seconds, in milliseconds
    outputs.Advance(10);
    transport->tmMainTimer();
    EXPECT_GE(bar->value(), value);
    EXPECT_LE(bar->value(), value + 20);
}

TEST_F(TransportTest, OtherButtonsOnTheBarNeitherPauseNorSeek)
{
    Fill(0, {"a.wav"});
    Select(0, 0);
    transport->aPlayExecute();
    outputs.Advance(1000);
    transport->tmMainTimer();
    const int value = bar->value();
    QTest::mouseClick(bar, Qt::RightButton, {}, QPoint(350, bar->height() / 2));
    QTest::mouseClick(bar, Qt::MiddleButton, {}, QPoint(350, bar->height() / 2));
    EXPECT_EQ(media.Mode(), MediaMode::Playing);
    EXPECT_EQ(bar->value(), value);
    EXPECT_TRUE(transport->tmMain()->isActive());
}

TEST_F(TransportTest, NextPreviousAndPlayOnAListWithoutTheRowPlayNothing)
{
    Fill(0, {"a.wav", "b.wav"});
    Select(0, 0);
    lists[1]->setFocus();  // the empty target list has the focus
    transport->aNextExecute();
    transport->aPriExecute();
    transport->aPlayExecute();
    EXPECT_TRUE(head.PlayingFile.isEmpty());
    EXPECT_EQ(active, lists[1]);

    Fill(2, {folder + "a.wav"});
    lists[2]->setFocus();  // rows, but the selection is in the source list
    transport->aPriExecute();
    transport->aPlayExecute();
    EXPECT_TRUE(head.PlayingFile.isEmpty());
    EXPECT_TRUE(msg.shown.isEmpty());
    EXPECT_TRUE(msg.standardErrors.isEmpty());

    lists[0]->selectionModel()->clearSelection();
    active = nullptr;
    transport->aNextExecute();
    EXPECT_EQ(active, nullptr);
}

TEST_F(TransportTest, ContinuousPlayJoinsFilesOfOneRateSampleForSampleWhicheverPlayerTakesThem)
{
    const QByteArray wav441 = ToneWav(44100, 44100);
    const struct {
        QByteArray first;
        QByteArray second;
        bool mp3After;
    } cases[] = {{"first.mp3", "second.mp3", true},
                 {"first.wav", "second.wav", false},
                 {"first.mp3", "second441.wav", false},
                 {"first441.wav", "second.mp3", true}};
    ASSERT_FALSE(WriteFile(dir, "first.mp3", ReadFixture("tone_a.mp3")).isEmpty());
    ASSERT_FALSE(WriteFile(dir, "second.mp3", ReadFixture("tone_b.mp3")).isEmpty());
    ASSERT_FALSE(WriteFile(dir, "first.wav", ReadFixture("tone.wav")).isEmpty());
    ASSERT_FALSE(WriteFile(dir, "second.wav", ReadFixture("tone.wav")).isEmpty());
    ASSERT_FALSE(WriteFile(dir, "first441.wav", wav441).isEmpty());
    ASSERT_FALSE(WriteFile(dir, "second441.wav", wav441).isEmpty());
    for (const auto& c : cases) {
        SCOPED_TRACE((c.first + " " + c.second).toStdString());
        outputs.heard.clear();
        outputs.created = 0;
        PlayFirstAndTick({c.first, c.second});
        Hear(10000);
        EXPECT_EQ(head.PlayingFile, folder + c.second);
        EXPECT_EQ(head.PlayEngine, c.mp3After ? 0 : 1);
        EXPECT_EQ(transport->PlayIndex(), 1);
        EXPECT_EQ(SelectedRows(lists[0]), QList<int>{1});
        EXPECT_EQ(edt->text(), QStringLiteral("源文件夹-") + QString::fromUtf8(folder + c.second));
        // Heard to its end, the second file stands at its last frame in the player that took it.
        EXPECT_EQ(c.mp3After ? mp3.PlayPosition() : media.Position(), c.mp3After ? mp3.FrameCount() : media.Length());
        EXPECT_EQ(outputs.created, 1);
        const std::vector<int16_t> expected = Joined(Decoded(folder + c.first), Decoded(folder + c.second));
        EXPECT_EQ(outputs.heard.size(), expected.size());
        EXPECT_TRUE(outputs.heard == expected);
        EXPECT_LE(LongestSilence(outputs.heard), 1);
        transport->aStopExecute();
        static_cast<QStandardItemModel*>(lists[0]->model())->clear();
    }
    // Their Info headers' delay and padding trimmed, the halves make the four seconds encoded.
    EXPECT_EQ(Decoded(Fixture("tone_a.mp3")).size() + Decoded(Fixture("tone_b.mp3")).size(), 4u * 44100 * 2);
}

TEST_F(TransportTest, ASeekDropsTheFileOfTheOtherPlayerPreparedToFollowAndTheNextTickPreparesItAgain)
{
    ASSERT_FALSE(WriteFile(dir, "first.mp3", ReadFixture("tone_a.mp3")).isEmpty());
    ASSERT_FALSE(WriteFile(dir, "second.wav", ToneWav(44100, 44100)).isEmpty());
    PlayFirstAndTick({"first.mp3", "second.wav"});
    ASSERT_EQ(transport->Engine().Prepared(), folder + "second.wav");
    mp3.Seek(mp3.FrameCount() - 10);
    EXPECT_TRUE(transport->Engine().Prepared().isEmpty());
    transport->tmMainTimer();
    Hear(3000);
    EXPECT_EQ(head.PlayingFile, folder + "second.wav");
    EXPECT_EQ(outputs.created, 1);
}

TEST_F(TransportTest, ASelectionChangedInTheLastSecondsPlaysTheNewChoice)
{
    ASSERT_FALSE(WriteFile(dir, "c.wav", ReadFixture("tone.wav").left(44 + 8000 * 2)).isEmpty());
    PlayFirstAndTick({"a.wav", "b.wav", "c.wav"});
    outputs.Advance(2000);
    // With two rows selected continuous play goes to the next selected one.
    lists[0]->selectionModel()->select(lists[0]->model()->index(2, 0), QItemSelectionModel::Select);
    Hear(10000);
    EXPECT_EQ(head.PlayingFile, folder + "c.wav");
    EXPECT_EQ(transport->PlayIndex(), 2);
    EXPECT_TRUE(outputs.heard == Joined(Decoded(folder + "a.wav"), Decoded(folder + "c.wav")));
}

TEST_F(TransportTest, StopInTheLastSecondsLeavesNothingSounding)
{
    PlayFirstAndTick({"long.mp3", "long.mp3"});
    outputs.Advance(2200);
    transport->aStopExecute();
    outputs.heard.clear();
    Hear(5000);
    EXPECT_TRUE(outputs.heard.empty());
    EXPECT_TRUE(head.PlayingFile.isEmpty());
    EXPECT_EQ(mp3.GetState(), 0);
}

TEST_F(TransportTest, RepeatReplaysTheFileWithoutAGap)
{
    PlayFirstAndTick({"a.wav", "b.wav"});
    transport->aRepeatPlayExecute();
    Hear(3500);
    EXPECT_EQ(head.PlayingFile, folder + "a.wav");
    EXPECT_EQ(media.Position(), 1000);
    const std::vector<int16_t> once = Decoded(folder + "a.wav");
    EXPECT_TRUE(outputs.heard == Joined(once, std::vector<int16_t>(once.begin(), once.begin() + 8000 * 2)));
}

TEST_F(TransportTest, AFileOfAnotherRateFollowsWithoutAGapResampled)
{
    // A second of a tone at 44.1 kHz, then one at 48 kHz.
    ASSERT_FALSE(WriteFile(dir, "c.wav", ToneWav(44100, 44100)).isEmpty());
    ASSERT_FALSE(WriteFile(dir, "d.wav", ToneWav(48000, 48000)).isEmpty());
    outputs.heard.clear();
    PlayFirstAndTick({"c.wav", "d.wav"});
    Hear(3000);
    EXPECT_EQ(head.PlayingFile, folder + "d.wav");
    EXPECT_EQ(transport->PlayIndex(), 1);
    const std::vector<int16_t> first = Decoded(folder + "c.wav");
    ASSERT_GT(outputs.heard.size(), first.size());
    EXPECT_TRUE(std::equal(first.begin(), first.end(), outputs.heard.begin()));
    // The second second follows at once, at the first one's rate.
    EXPECT_LE(LongestSilence(outputs.heard), 1);
    EXPECT_NEAR(static_cast<double>(outputs.heard.size() - first.size()) / 2, 44100, 32);
}

} // namespace
