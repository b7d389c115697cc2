#pragma once

#include "core/utHead.h"

// What the options dialog shows: the five options it edits, the two choices as item indexes
// (-1 for no item chosen).
struct OptionValues {
    bool confirmation = false;
    bool showHideSys = false;
    bool continuous = false;
    int sizeIndex = -1;
    int t2fIndex = -1;

    bool operator==(const OptionValues&) const = default;
};

inline constexpr int kSizeItems = 2;
inline constexpr int kT2FItems = 3;

// A radio group given an index: above its last item it takes the last, below 0 it takes none (-1).
int LimitItemIndex(int value, int itemCount);

// The controls' values for the program-wide options, each index limited to its group.
OptionValues OptionValuesOf(const THead& head);

// What the default button puts on the controls.
OptionValues DefaultOptionValues();

// Copies the controls' values into the program-wide options; iTryMaxCount is not one of them.
void ApplyOptionValues(const OptionValues& values, THead& head);
