#include "FolderFixture.h"

#include "panes/FileIcons.h"
#include "panes/FileListModel.h"

namespace {

class PaneStatusTest : public FolderFixture {
protected:
    PaneStatusTest() { list_.SetColumns(head_.ColumnTitles); }

    void Fill(RecordingPanels& panels)
    {
        NoFileIcons icons;
        FillFileList(list_, Folder(), panels, QStringLiteral("*.*"), head_, QLocale::c(), icons);
    }

    void AddRowOfSize(const QString& size)
    {
        list_.AppendRow(FileEntry("f.wav"));
        list_.SetCell(list_.RowCount() - 1, 2, size);
    }

    FileListModel list_;
};

TEST_F(PaneStatusTest, KilobytesAddUpPerFile)
{
    Make("a.wav", QByteArray(1024, 'a'));
    Make("b.wav", QByteArray(2048, 'b'));
    Make("c.wav", QByteArray(5000, 'c'));
    RecordingPanels panels;
    Fill(panels);
    EXPECT_EQ(panels.Texts(), QList<QString>({"文件数:3", "选择数:0", "大小合计:7KB"}));
}

TEST_F(PaneStatusTest, MegabytesAddUpTheShownNumbers)
{
    head_.iFileSizeUnit = 1;
    MakeSized("a.wav", 2500000);
    MakeSized("b.wav", 1048576);
    RecordingPanels panels;
    Fill(panels);
    EXPECT_EQ(panels.Text(2), QStringLiteral("大小合计:3.38MB"));
}

TEST_F(PaneStatusTest, EmptyListShowsZeros)
{
    RecordingPanels panels;
    Fill(panels);
    EXPECT_EQ(panels.Texts(), QList<QString>({"文件数:0", "选择数:0", "大小合计:0KB"}));
    head_.iFileSizeUnit = 1;
    Fill(panels);
    EXPECT_EQ(panels.Text(2), QStringLiteral("大小合计:0MB"));
}

TEST_F(PaneStatusTest, PanelsByTabOrderAndOthersLeftAlone)
{
    AddRowOfSize("2KB");
    AddRowOfSize("3KB");
    RecordingPanels panels({2, 7, 0, 1});
    panels.SetPanelText(1, QStringLiteral("mine"));
    EXPECT_TRUE(UpdatePaneStatus(list_, 1, panels, head_, QLocale::c()));
    EXPECT_EQ(panels.Texts(), QList<QString>({"大小合计:5KB", "mine", "文件数:2", "选择数:1"}));
}

TEST_F(PaneStatusTest, TotalCoversEveryRowInTheCurrentUnitWithEightDigits)
{
    AddRowOfSize("99999999KB");
    AddRowOfSize("2KB");
    head_.iFileSizeUnit = 1;
    RecordingPanels panels;
    UpdatePaneStatus(list_, 0, panels, head_, QLocale::c());
    EXPECT_EQ(panels.Text(2), QStringLiteral("大小合计:1E8MB"));
    EXPECT_EQ(panels.Text(1), QStringLiteral("选择数:0"));
}

TEST_F(PaneStatusTest, ReadsTheLocalesDecimalSeparatorAndExponents)
{
    AddRowOfSize("2,38MB");
    AddRowOfSize("4,1E3MB");
    head_.iFileSizeUnit = 1;
    RecordingPanels panels;
    EXPECT_TRUE(UpdatePaneStatus(list_, 0, panels, head_, QLocale(QLocale::German, QLocale::Germany)));
    EXPECT_EQ(panels.Text(2), QStringLiteral("大小合计:4102,38MB"));
}

TEST_F(PaneStatusTest, UnreadableSizeCellStopsBeforeTheLaterPanels)
{
    AddRowOfSize("abcKB");
    RecordingPanels panels({0, 2, 1});
    EXPECT_FALSE(UpdatePaneStatus(list_, 0, panels, head_, QLocale::c()));
    EXPECT_EQ(panels.Texts(), QList<QString>({"文件数:1", QString(), QString()}));
}

} // namespace
