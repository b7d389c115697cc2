#include "panes/FileListModel.h"

#include "core/utHead.h"

#include <gtest/gtest.h>

namespace {

// A row showing these cells.
void addRow(FileListModel& list, const QString& caption, const QStringList& cells)
{
    list.AppendRow(FileEntry(caption.toUtf8()));
    for (int c = 0; c < cells.size(); ++c)
        list.SetCell(list.RowCount() - 1, c + 1, cells[c]);
}

class ColumnSortTest : public testing::Test {
protected:
    ColumnSortTest()
    {
        list_.SetColumns(QString::fromUtf8(kColumnTitles));
        addRow(list_, "b.wav", {"wav", "9KB", "无属性文件", "t1"});
        addRow(list_, "A.mp3", {"mp3", "10KB", "无属性文件", "t2", "中", "x", "", "", ""});
        addRow(list_, "c.mp3", {"mp3", "100KB", "无属性文件", "t3", "啊", "y", "", "", ""});
    }

    QStringList Column(int column) const
    {
        QStringList texts;
        for (int r = 0; r < list_.RowCount(); ++r)
            texts.append(list_.data(list_.index(r, column)).toString());
        return texts;
    }

    FileListModel list_;
};

TEST_F(ColumnSortTest, SizesSortAsText)
{
    ASSERT_TRUE(list_.ColumnClick(2));
    EXPECT_EQ(Column(2), QStringList({"100KB", "10KB", "9KB"}));
}

TEST_F(ColumnSortTest, NamesWithoutCaseThenDescending)
{
    list_.ColumnClick(0);
    EXPECT_EQ(Column(0), QStringList({"A.mp3", "b.wav", "c.mp3"}));
    list_.ColumnClick(0);
    EXPECT_EQ(Column(0), QStringList({"c.mp3", "b.wav", "A.mp3"}));
    list_.ColumnClick(0);
    EXPECT_EQ(Column(0), QStringList({"A.mp3", "b.wav", "c.mp3"}));
}

TEST_F(ColumnSortTest, AnotherColumnStartsAscending)
{
    list_.ColumnClick(0);
    EXPECT_EQ(list_.SortFlag(0), 1);
    list_.ColumnClick(4);
    EXPECT_EQ(Column(4), QStringList({"t1", "t2", "t3"}));
    EXPECT_EQ(list_.SortFlag(0), 1);
    EXPECT_EQ(list_.SortFlag(4), 1);
}

TEST_F(ColumnSortTest, TagTitlesInGbkOrderRowsWithoutTheCellAsEmpty)
{
    list_.ColumnClick(5);
    // "" < 啊 (B0A1) < 中 (D6D0), though Unicode puts 中 before 啊.
    EXPECT_EQ(Column(0), QStringList({"b.wav", "c.mp3", "A.mp3"}));
    list_.ColumnClick(5);
    EXPECT_EQ(Column(0), QStringList({"A.mp3", "c.mp3", "b.wav"}));
}

TEST_F(ColumnSortTest, EachListKeepsItsOwnFlags)
{
    FileListModel target;
    target.SetColumns(QString::fromUtf8(kColumnTitles));
    addRow(target, "x", {});
    list_.ColumnClick(1);
    EXPECT_EQ(list_.SortFlag(1), 1);
    EXPECT_EQ(target.SortFlag(1), 0);
    target.ColumnClick(1);
    target.ColumnClick(1);
    EXPECT_EQ(target.SortFlag(1), 0);
    EXPECT_EQ(list_.SortFlag(1), 1);
}

TEST_F(ColumnSortTest, EmptyListKeepsTheFlag)
{
    list_.Clear();
    EXPECT_FALSE(list_.ColumnClick(0));
    EXPECT_EQ(list_.SortFlag(0), 0);
    addRow(list_, "b", {});
    addRow(list_, "a", {});
    list_.ColumnClick(0);
    EXPECT_EQ(Column(0), QStringList({"a", "b"}));
}

TEST_F(ColumnSortTest, RowsArrivingAfterASortTakeTheirPlaceUntilTheListIsEmptied)
{
    list_.ColumnClick(0);
    const QPersistentModelIndex selected = list_.index(1, 0); // b.wav
    list_.InsertRows({FileEntry("d.wav"), FileEntry("B.mp3"), FileEntry("0.wav")});
    EXPECT_EQ(Column(0), QStringList({"0.wav", "A.mp3", "B.mp3", "b.wav", "c.mp3", "d.wav"}));
    EXPECT_EQ(selected.row(), 3);
    list_.Clear();
    list_.InsertRows({FileEntry("z"), FileEntry("y")});
    EXPECT_EQ(Column(0), QStringList({"z", "y"}));
}

TEST_F(ColumnSortTest, SelectionFollowsItsRow)
{
    const QPersistentModelIndex selected = list_.index(0, 0); // b.wav
    list_.ColumnClick(0);
    EXPECT_EQ(selected.row(), 1);
    EXPECT_EQ(selected.data().toString(), QStringLiteral("b.wav"));
}

TEST(FileListModelTest, ColumnsOfTheTitlesWithTheirWidths)
{
    FileListModel list;
    list.SetColumns(QString::fromUtf8(kColumnTitles));
    ASSERT_EQ(list.columnCount(), 10);
    EXPECT_EQ(list.headerData(4, Qt::Horizontal).toString(), QStringLiteral("修改时间"));
    EXPECT_EQ(list.ColumnWidth(0), 150);
    EXPECT_EQ(list.ColumnWidth(9), 50);
    list.SetColumns(QStringLiteral("文件名;大小;附注"));
    ASSERT_EQ(list.columnCount(), 3);
    EXPECT_EQ(list.ColumnTitle(2), QStringLiteral("附注"));
    EXPECT_EQ(list.ColumnOf(QStringLiteral("大小")), 1);
    EXPECT_EQ(list.ColumnOf(QStringLiteral("类型")), -1);
}

TEST(FileListModelTest, SetColumnsResetsTheFlags)
{
    FileListModel list;
    list.SetColumns(QString::fromUtf8(kColumnTitles));
    addRow(list, "a", {});
    list.ColumnClick(0);
    list.SetColumns(QString::fromUtf8(kColumnTitles));
    EXPECT_EQ(list.SortFlag(0), 0);
}

TEST(FileListModelTest, TagDialogCellsAndRemoval)
{
    FileListModel list;
    list.SetColumns(QString::fromUtf8(kColumnTitles));
    addRow(list, "a.wav", {"wav", "1KB", "只读", "t"});
    addRow(list, "b.wav", {});
    EXPECT_EQ(list.data(list.index(0, 5)).toString(), QString());
    list.SetCell(0, 5, QStringLiteral("Title"));
    EXPECT_EQ(list.Row(0).cells.size(), 5);
    EXPECT_EQ(list.data(list.index(0, 5)).toString(), QStringLiteral("Title"));
    list.RemoveRow(0);
    ASSERT_EQ(list.RowCount(), 1);
    EXPECT_EQ(list.Row(0).caption, QStringLiteral("b.wav"));
}

} // namespace
