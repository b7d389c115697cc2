#include "playlists/PlaylistRules.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

TEST(PlaylistRules, TrimmingTakesBlanksAndControlsFromBothEndsOnly)
{
    EXPECT_EQ(TrimBlanks(" \t\r\n名 字\r\n备注\x01 "), "名 字\r\n备注");
    EXPECT_EQ(TrimBlanks("   "), "");
    EXPECT_EQ(TrimBlanks(""), "");
    EXPECT_EQ(LimitText("0123456789abcdefg", kListNameWidth), "0123456789abcde");
    // A character outside the basic plane is never cut in half.
    EXPECT_EQ(LimitText(QString("123456789") + QString::fromUtf8("😀"), kListMemoWidth), "123456789");
}

TEST(PlaylistRules, TextsOfTheQuestionStatusAndScan)
{
    EXPECT_EQ(DeleteListQuestion(""), "确实要删除自定义播放列表“”吗？");
    EXPECT_EQ(DeleteListQuestion("老歌"), "确实要删除自定义播放列表“老歌”吗？");
    EXPECT_EQ(FileCountText(12), "文件数:12");
    EXPECT_EQ(SelectedCountText(0), "选择数:0");
    EXPECT_EQ(ScanSummary(0), "* * * 列表完整 * * *");
    EXPECT_EQ(ScanSummary(3), "* * * 列表中有3个文件已经不存在 * * *");
    EXPECT_EQ(GaugeMaximum(0), 1);
    EXPECT_EQ(GaugeMaximum(1), 1);
    EXPECT_EQ(GaugeMaximum(10), 9);
}

TEST(PlaylistRules, MovesOnlyWhereThereIsRoom)
{
    EXPECT_EQ(MoveTarget(1, 3, MoveDirection::Up), 0);
    EXPECT_EQ(MoveTarget(1, 3, MoveDirection::Down), 2);
    EXPECT_EQ(MoveTarget(0, 3, MoveDirection::Up), std::nullopt);
    EXPECT_EQ(MoveTarget(2, 3, MoveDirection::Down), std::nullopt);
    EXPECT_EQ(MoveTarget(-1, 3, MoveDirection::Down), std::nullopt);
    EXPECT_EQ(MoveTarget(0, 0, MoveDirection::Down), std::nullopt);
}

TEST(PlaylistRules, OnlyAFileCountsAsPresent)
{
    const TempFolder root(qgetenv("HOME"));
    const QByteArray file = root.MakeFile("\xB8\xE8.mp3");
    EXPECT_FALSE(IsMissingFile(file));
    EXPECT_TRUE(IsMissingFile(root.Path() + "/"));
    EXPECT_TRUE(IsMissingFile(root.At("gone.mp3")));
    EXPECT_TRUE(IsMissingFile(""));
    EXPECT_TRUE(IsMissingFile(file + QByteArray(1, '\0') + "x"));
}

