#pragma once

#include <QByteArray>
#include <QList>

#include <cstdint>

// The decisions of the transport, free of widgets: which list play works on, which row comes next,
// when a file has ended.

// The types the players take, by the name's extension.
bool IsPlayableFile(const QByteArray& file);

enum class ChosenList { None, Source, Target, ListDetail };

// Play, next and previous work on the focused pane list, else on the play list's entries; on none
// when no list has a selected row.
ChosenList ChooseList(bool anySelected, bool sourceFocused, bool targetFocused);

// The row next and previous go to from the selected row (-1: none selected) of a list of count
// rows; -1 when there is no such row, so that nothing plays.
int NextIndex(int selected, int count);
int PriorIndex(int selected, int count);

// At the end of a file, whether playback goes on in the list instead of stopping.
bool ContinuousApplies(bool continuous, int count, int playIndex);

// The row continuous play goes to after playIndex, given the selected rows in list order. With
// none or one selected the selection moves to that row alone; with several it stays, and play
// cycles through the selected rows.
struct ContinuousStep {
    int index;
    bool selectOnly;
};
ContinuousStep NextContinuous(int playIndex, int count, const QList<int>& selectedRows);

// The position has reached the end mark (the frame count, or the length in milliseconds).
bool EndReached(int64_t position, int64_t endMark);
