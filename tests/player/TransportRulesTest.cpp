#include "player/MediaKind.h"
#include "player/TransportRules.h"

#include <gtest/gtest.h>

namespace {

TEST(TransportRulesTest, PlayableFilesAreTheTypesOfThePlayersWhateverTheirCase)
{
    for (const char* name : {"/m/a.mp3", "/m/b.MID", "/m/c.Wav", "/m/d.wma", "/m/x.y.mp3", "/m/e.FLAC", "/m/f.ogg",
                             "/m/g.Opus", "/m/h.m4a", "/m/i.ape", "/m/j.OGA"})
        EXPECT_TRUE(IsPlayableFile(name)) << name;
    EXPECT_EQ(MediaKindOf("/m/a.MP3"), MediaKind::Mp3);
    EXPECT_EQ(MediaKindOf("/m/b.mid"), MediaKind::Midi);
    for (const char* name : {"/m/c.wav", "/m/d.WMA", "/m/e.flac", "/m/f.ogg", "/m/g.opus", "/m/h.M4A", "/m/i.ape", "/m/j.oga"})
        EXPECT_EQ(MediaKindOf(name), MediaKind::Ffmpeg) << name;
    for (const char* name : {"/m/a.txt", "/m/mp3", "/m/a.mp3.bak", "/m/a.mp4", "/m/a.", "/m.mp3/a"})
        EXPECT_FALSE(IsPlayableFile(name)) << name;
}

TEST(TransportRulesTest, TheFocusedPaneListIsChosenElseThePlayList)
{
    EXPECT_EQ(ChooseList(false, true, false), ChosenList::None);
    EXPECT_EQ(ChooseList(true, true, false), ChosenList::Source);
    EXPECT_EQ(ChooseList(true, false, true), ChosenList::Target);
    EXPECT_EQ(ChooseList(true, false, false), ChosenList::ListDetail);
}

TEST(TransportRulesTest, NextAndPreviousWrapAtTheEnds)
{
    EXPECT_EQ(NextIndex(0, 3), 1);
    EXPECT_EQ(NextIndex(2, 3), 0);
    EXPECT_EQ(NextIndex(0, 1), 0);
    EXPECT_EQ(NextIndex(-1, 3), 0);  // nothing selected in the list: its first row
    EXPECT_EQ(PriorIndex(2, 3), 1);
    EXPECT_EQ(PriorIndex(0, 3), 2);
    EXPECT_EQ(PriorIndex(0, 1), 0);
}

TEST(TransportRulesTest, NextAndPreviousWithoutARowToGoToGiveNone)
{
    EXPECT_EQ(NextIndex(-1, 0), -1);
    EXPECT_EQ(PriorIndex(-1, 0), -1);
    EXPECT_EQ(PriorIndex(-1, 4), -1);
    EXPECT_EQ(NextIndex(5, 4), -1);
    EXPECT_EQ(PriorIndex(5, 4), -1);
}

TEST(TransportRulesTest, ContinuousPlayNeedsTheOptionRowsAndAPlayIndexInsideTheList)
{
    EXPECT_TRUE(ContinuousApplies(true, 3, 0));
    EXPECT_TRUE(ContinuousApplies(true, 3, 2));
    EXPECT_FALSE(ContinuousApplies(true, 3, 3));
    EXPECT_FALSE(ContinuousApplies(true, 0, 0));
    EXPECT_FALSE(ContinuousApplies(false, 3, 0));
}

TEST(TransportRulesTest, WithoutSelectionContinuousPlayStartsAtTheTop)
{
    const ContinuousStep step = NextContinuous(4, 6, {});
    EXPECT_EQ(step.index, 0);
    EXPECT_TRUE(step.selectOnly);
}

TEST(TransportRulesTest, OneSelectedRowWalksFromThePlayIndexAndWraps)
{
    // The selection may have been moved by the user: the play index leads.
    EXPECT_EQ(NextContinuous(1, 4, {3}).index, 2);
    EXPECT_TRUE(NextContinuous(1, 4, {3}).selectOnly);
    EXPECT_EQ(NextContinuous(3, 4, {3}).index, 0);
}

TEST(TransportRulesTest, SeveralSelectedRowsAreCycledInListOrder)
{
    const QList<int> selected{2, 5, 7};
    int index = 5;
    QList<int> played;
    for (int i = 0; i < 4; ++i) {
        const ContinuousStep step = NextContinuous(index, 9, selected);
        EXPECT_FALSE(step.selectOnly);
        index = step.index;
        played.append(index);
    }
    EXPECT_EQ(played, (QList<int>{7, 2, 5, 7}));
    // From the last row the search starts again at the top.
    EXPECT_EQ(NextContinuous(8, 9, {0, 8}).index, 0);
    // A play index between selected rows goes to the next selected one.
    EXPECT_EQ(NextContinuous(3, 9, selected).index, 5);
}

TEST(TransportRulesTest, TheEndIsAtOrPastTheMark)
{
    EXPECT_FALSE(EndReached(99, 100));
    EXPECT_TRUE(EndReached(100, 100));
    EXPECT_TRUE(EndReached(101, 100));
}

} // namespace
