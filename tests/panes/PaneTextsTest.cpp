#include "panes/NumberText.h"
#include "panes/WildcardMask.h"

#include <gtest/gtest.h>

namespace {

const QString kPoint = QStringLiteral(".");

TEST(GeneralNumber, ShortestTextOfThePrecision)
{
    EXPECT_EQ(GeneralNumber(2500000 / 1048576.0, 3, kPoint), QStringLiteral("2.38"));
    EXPECT_EQ(GeneralNumber(1, 3, kPoint), QStringLiteral("1"));
    EXPECT_EQ(GeneralNumber(500 / 1048576.0, 3, kPoint), QStringLiteral("0.000477"));
    EXPECT_EQ(GeneralNumber(999.7, 3, kPoint), QStringLiteral("1E3"));
    EXPECT_EQ(GeneralNumber(2500, 3, kPoint), QStringLiteral("2.5E3"));
    EXPECT_EQ(GeneralNumber(0.000000954, 3, kPoint), QStringLiteral("9.54E-7"));
    EXPECT_EQ(GeneralNumber(0.5, 3, QStringLiteral(",")), QStringLiteral("0,5"));
    EXPECT_EQ(GeneralNumber(3.38, 8, kPoint), QStringLiteral("3.38"));
    EXPECT_EQ(GeneralNumber(123456789, 8, kPoint), QStringLiteral("1.2345679E8"));
}

TEST(WildcardMask, WindowsMeaning)
{
    EXPECT_TRUE(MatchesMask("song.mp3", "*.mp3"));
    EXPECT_TRUE(MatchesMask("SONG.MP3", "*.mp3"));
    EXPECT_FALSE(MatchesMask("song.mp3x", "*.mp3"));
    EXPECT_FALSE(MatchesMask("mp3", "*.mp3"));
    EXPECT_TRUE(MatchesMask("readme", "*.*"));
    EXPECT_TRUE(MatchesMask(".hidden", "*.*"));
    EXPECT_TRUE(MatchesMask("a.b.mid", "*.mid"));
    EXPECT_TRUE(MatchesMask("abc", "a?c"));
    EXPECT_TRUE(MatchesMask("notes", "notes.*"));
    EXPECT_FALSE(MatchesMask("abd", "a?c"));
}

} // namespace
