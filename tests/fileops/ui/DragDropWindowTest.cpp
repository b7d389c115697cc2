// Dragging files between the pane lists: which drops are taken, the move, the row selection.
#include "SorterWindowFixture.h"

#include <QTreeView>

using DragBetweenPanes = SorterWindow;

TEST_F(DragBetweenPanes, OnlyTheOtherListsDragIsTakenAndTreesTakeAnyList)
{
    QAbstractItemView* source = Source()->List();
    QAbstractItemView* target = Target()->List();
    EXPECT_TRUE(Sorter().lvTargetDragOver(source));
    EXPECT_FALSE(Sorter().lvTargetDragOver(target));
    EXPECT_TRUE(Sorter().lvSourceDragOver(target));
    EXPECT_FALSE(Sorter().lvSourceDragOver(source));
    EXPECT_FALSE(Sorter().lvSourceDragOver(nullptr));
    EXPECT_TRUE(Sorter().dtvSourceDragOver(source));
    EXPECT_TRUE(Sorter().dtvSourceDragOver(target));
    EXPECT_FALSE(Sorter().dtvSourceDragOver(Source()->Tree()->parentWidget()));
    QTreeView foreign;
    foreign.setObjectName(QStringLiteral("lvListDetail"));
    EXPECT_FALSE(Sorter().lvTargetDragOver(&foreign));
    EXPECT_TRUE(Sorter().dtvSourceDragOver(&foreign));
}

TEST_F(DragBetweenPanes, ADropMovesAtOnceEvenWithConfirmationAndStopsThePlayingFile)
{
    PlaceSong(src + "/song.mp3");
    WriteAll(src + "/a.mp3", "a");
    WriteAll(src + "/stay.mp3", "s");
    GoBoth();
    win->PlayFile(src + "/song.mp3");
    win->Head().bConfirmation = true;
    SelectNames(Source(), {"song.mp3", "a.mp3"});

    Sorter().lvSourceStartDrag(Source()->List());
    EXPECT_EQ(Source()->List()->selectionBehavior(), QAbstractItemView::SelectItems);
    EXPECT_EQ(Source()->List()->selectionModel()->selectedIndexes().size(), 2) << "only the captions";
    Sorter().lvTargetDragDrop();
    Sorter().lvSourceEndDrag(Source()->List());

    EXPECT_TRUE(msg->shown.isEmpty());
    EXPECT_TRUE(win->Head().PlayingFile.isEmpty());
    ASSERT_EQ(ops->requests.size(), 1);
    EXPECT_EQ(ops->requests[0].title, QStringLiteral("从源文件夹 “from” 向目标文件夹 “to” 剪切文件..."));
    EXPECT_EQ(Names(dst), (QList<QByteArray>{"a.mp3", "song.mp3"}));
    EXPECT_EQ(Rows(Source()), QList<QByteArray>{"stay.mp3"});
    QTRY_COMPARE_WITH_TIMEOUT(Rows(Target()), (QList<QByteArray>{"a.mp3", "song.mp3"}), 1000);
    EXPECT_EQ(Source()->List()->selectionBehavior(), QAbstractItemView::SelectRows);
}

TEST_F(DragBetweenPanes, ACancelledDragSelectsWholeRowsAgainAndADropBackMovesToTheSource)
{
    WriteAll(dst + "/b.mp3", "b");
    WriteAll(dst + "/c.mp3", "c");
    GoBoth();
    SelectNames(Target(), {"b.mp3", "c.mp3"});
    Sorter().lvSourceStartDrag(Target()->List());
    Sorter().lvSourceEndDrag(Target()->List());
    EXPECT_EQ(Target()->List()->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(Target()->List()->selectionModel()->selectedRows().size(), 2);
    EXPECT_TRUE(ops->requests.isEmpty());

    SelectNames(Target(), {"b.mp3"});
    Sorter().lvSourceDragDrop();
    EXPECT_EQ(ops->requests[0].title, QStringLiteral("从目标文件夹 “to” 向源文件夹 “from” 剪切文件..."));
    EXPECT_EQ(Names(src), QList<QByteArray>{"b.mp3"});
    QTRY_COMPARE_WITH_TIMEOUT(Rows(Source()), QList<QByteArray>{"b.mp3"}, 1000);
    QTRY_COMPARE_WITH_TIMEOUT(Rows(Target()), QList<QByteArray>{"c.mp3"}, 1000);
}

TEST_F(DragBetweenPanes, BothPanesOnOneFolderMoveNothing)
{
    WriteAll(src + "/a.mp3", "a");
    Go(Source(), src);
    Go(Target(), src);
    SelectNames(Source(), {"a.mp3"});
    Sorter().lvTargetDragDrop();
    Sorter().lvSourceDragDrop();
    EXPECT_EQ(Shown(), (QStringList{"源文件夹和目标文件夹相同！不能剪切！", "源文件夹和目标文件夹相同！不能剪切！"}));
    EXPECT_TRUE(ops->requests.isEmpty());
    EXPECT_EQ(Names(src), QList<QByteArray>{"a.mp3"});
}
