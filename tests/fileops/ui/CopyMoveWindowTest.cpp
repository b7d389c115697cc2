// Copy and move to the target folder through the main window's actions.
#include "SorterWindowFixture.h"

#include "player/TMp3Play.h"
#include "tags/GbkCodec.h"

#include <QScrollBar>
#include <QTabWidget>

using CopyFromWindow = SorterWindow;
using MoveFromWindow = SorterWindow;

namespace {

const QString kS = QStringLiteral("from");
const QString kT = QStringLiteral("to");

} // namespace

TEST_F(CopyFromWindow, ChecksComeFirstAndNothingRunsWithoutThem)
{
    WriteAll(src + "/a.mp3", "a");
    GoBoth();
    Trigger("aFileCopy");
    SelectNames(Source(), {"a.mp3"});
    Go(Target(), src);
    Trigger("aFileCopy");
    EXPECT_EQ(Shown(), (QStringList{"请选择需要复制的文件！", "源文件夹和目标文件夹相同！请选择其它目标文件夹！"}));
    EXPECT_EQ(msg->shown[0].kind, MsgKind::Information);
    EXPECT_TRUE(ops->requests.isEmpty());

    // A tree whose selected node is no folder (the trash) gives no destination.
    Go(Target(), dst);
    SelectNames(Source(), {"a.mp3"});
    ASSERT_TRUE(Target()->Tree()->SelectPath("trash:///"));
    Trigger("aFileCopy");
    EXPECT_EQ(Shown().last(), "请选择目标文件夹！");
    EXPECT_TRUE(ops->requests.isEmpty());
    EXPECT_EQ(Names(dst), QList<QByteArray>{});
}

TEST_F(CopyFromWindow, WithoutConfirmationCopiesAtOnceAndKeepsBothOnCollision)
{
    WriteAll(src + "/a.mp3", "new");
    WriteAll(src + "/b.mp3", "b");
    WriteAll(dst + "/a.mp3", "old");
    GoBoth();
    SelectNames(Source(), {"a.mp3", "b.mp3"});
    win->Head().bConfirmation = false;
    Trigger("aFileCopy");
    EXPECT_TRUE(msg->shown.isEmpty());
    ASSERT_EQ(ops->requests.size(), 1);
    EXPECT_EQ(ops->requests[0].title, "从 “" + kS + "” 向 “" + kT + "” 复制文件...");
    EXPECT_EQ(ops->requests[0].owner, win.get());
    EXPECT_EQ(ops->requests[0].kind, FileOpKind::Copy);
    EXPECT_EQ(ReadAll(dst + "/a.mp3"), "old");
    EXPECT_EQ(ReadAll(dst + "/a (2).mp3"), "new");
    // The copy kept under another name shows when the watch tells of it.
    QTRY_COMPARE_WITH_TIMEOUT(Rows(Target()), (QList<QByteArray>{"a (2).mp3", "a.mp3", "b.mp3"}), 1000);
    EXPECT_EQ(Rows(Source()), (QList<QByteArray>{"a.mp3", "b.mp3"}));
}

TEST_F(CopyFromWindow, WithConfirmationNoCopiesNothingAndTheTargetShowsWhatItsFolderHolds)
{
    WriteAll(src + "/a.mp3", "a");
    GoBoth();
    WriteAll(dst + "/arrived-meanwhile.mp3", "x");
    SelectNames(Source(), {"a.mp3"});
    win->Head().bConfirmation = true;
    msg->answers = {MsgResult::No};
    Trigger("aFileCopy");
    EXPECT_EQ(Shown(), QStringList{"您要从 “" + kS + "” 向 “" + kT + "” 复制文件吗?"});
    EXPECT_EQ(msg->shown[0].kind, MsgKind::Confirmation);
    EXPECT_TRUE(ops->requests.isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(Rows(Target()), QList<QByteArray>{"arrived-meanwhile.mp3"}, 1000);

    msg->answers = {MsgResult::Yes};
    Trigger("aFileCopy");
    QTRY_COMPARE_WITH_TIMEOUT(Rows(Target()), (QList<QByteArray>{"a.mp3", "arrived-meanwhile.mp3"}), 1000);
    // Copying from the play list page belongs to the play lists.
    win->findChild<QTabWidget*>("pcMain")->setCurrentIndex(1);
    Trigger("aFileCopy");
    EXPECT_EQ(ops->requests.size(), 1);
}

TEST_F(MoveFromWindow, MovingThePlayingFileStopsItAndItsRowLeaves)
{
    PlaceSong(src + "/song.mp3");
    WriteAll(src + "/other.mp3", "o");
    GoBoth();
    win->PlayFile(src + "/song.mp3");
    ASSERT_EQ(win->Head().PlayingFile, src + "/song.mp3");
    SelectNames(Source(), {"song.mp3", "other.mp3"});
    Trigger("aFileCut");
    EXPECT_TRUE(win->Head().PlayingFile.isEmpty());
    EXPECT_EQ(win->Mp3Play().GetState(), 0);
    EXPECT_EQ(ops->requests[0].title, "从 “" + kS + "” 向 “" + kT + "” 剪切文件...");
    EXPECT_TRUE(Rows(Source()).isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(Rows(Target()), (QList<QByteArray>{"other.mp3", "song.mp3"}), 1000);
    EXPECT_EQ(Names(dst), (QList<QByteArray>{"other.mp3", "song.mp3"}));
}

TEST_F(MoveFromWindow, NoKeepsEveryRowButThePlayerHasStopped)
{
    PlaceSong(src + "/song.mp3");
    WriteAll(src + "/b.mp3", "b");
    WriteAll(src + "/c.mp3", "c");
    GoBoth();
    win->PlayFile(src + "/song.mp3");
    SelectNames(Source(), {"song.mp3", "b.mp3"});
    win->Head().bConfirmation = true;
    msg->answers = {MsgResult::No};
    Trigger("aFileCut");
    EXPECT_EQ(Shown(), QStringList{"您要从 “" + kS + "” 向 “" + kT + "” 剪切文件吗?"});
    EXPECT_TRUE(win->Head().PlayingFile.isEmpty());
    EXPECT_EQ(Rows(Source()), (QList<QByteArray>{"b.mp3", "c.mp3", "song.mp3"}));
    EXPECT_EQ(SelectedNames(Source()).size(), 2);

    msg->answers = {MsgResult::Yes};
    Trigger("aFileCut");
    EXPECT_EQ(Names(dst), (QList<QByteArray>{"b.mp3", "song.mp3"}));
    EXPECT_EQ(Rows(Source()), QList<QByteArray>{"c.mp3"});
}

TEST_F(MoveFromWindow, AFailedMoveChangesNeitherPaneAndThePlayListPageDoesNothing)
{
    WriteAll(src + "/a.mp3", "a");
    WriteAll(src + "/b.mp3", "b");
    GoBoth();
    SelectNames(Source(), {"a.mp3", "b.mp3"});
    ASSERT_EQ(::unlink((src + "/a.mp3").constData()), 0);
    ops->errorAnswers = {ErrorAnswer::Stop};
    Trigger("aFileCut");
    EXPECT_EQ(ops->requests[0].result, kFileOpFailed);
    EXPECT_EQ(Rows(Source()), (QList<QByteArray>{"a.mp3", "b.mp3"}));
    EXPECT_TRUE(Rows(Target()).isEmpty());

    win->findChild<QTabWidget*>("pcMain")->setCurrentIndex(1);
    Trigger("aFileCut");
    EXPECT_EQ(ops->requests.size(), 1);
    EXPECT_TRUE(msg->shown.isEmpty());
}

TEST_F(MoveFromWindow, AGbkNamedFileIsCopiedAndMovedWithItsBytes)
{
    const QByteArray gbk = TextToGbk(u"情歌") + ".mp3";
    WriteAll(src + "/" + gbk, "gbk");
    GoBoth();
    SelectNames(Source(), {gbk});
    Trigger("aFileCopy");
    EXPECT_EQ(ReadAll(dst + "/" + gbk), "gbk");
    MakeDir(root + "/third");
    Go(Target(), root + "/third");
    SelectNames(Source(), {gbk});
    Trigger("aFileCut");
    EXPECT_EQ(Names(root + "/third"), QList<QByteArray>{gbk});
    EXPECT_TRUE(Names(src).isEmpty());
    QTRY_COMPARE_WITH_TIMEOUT(Rows(Target()), QList<QByteArray>{gbk}, 1000);
}

TEST_F(CopyFromWindow, ACopyIntoALargeListedFolderKeepsItsSelectionSortAndScroll)
{
    for (int i = 0; i < 3000; ++i)
        WriteAll(dst + "/t" + QByteArray::number(i).rightJustified(4, '0') + ".mp3", "x");
    WriteAll(src + "/new.mp3", "n");
    GoBoth();
    QTRY_VERIFY_WITH_TIMEOUT(!Target()->Listing(), 5000);
    // Names from last to first.
    Target()->lvSourceColumnClick(0);
    Target()->lvSourceColumnClick(0);
    ASSERT_EQ(Target()->SelectNames({"t1500.mp3"}), 1);
    const int scrolled = Target()->List()->verticalScrollBar()->value();
    ASSERT_GT(scrolled, 0);

    SelectNames(Source(), {"new.mp3"});
    win->Head().bConfirmation = false;
    Trigger("aFileCopy");
    QTRY_COMPARE_WITH_TIMEOUT(Target()->ListModel().RowCount(), 3001, 1000);
    EXPECT_EQ(SelectedNames(Target()), QList<QByteArray>{"t1500.mp3"});
    EXPECT_EQ(Target()->List()->verticalScrollBar()->value(), scrolled);
    EXPECT_EQ(Target()->ListModel().Entry(0).name, "t2999.mp3");
    EXPECT_EQ(Target()->ListModel().Entry(3000).name, "new.mp3");
}
