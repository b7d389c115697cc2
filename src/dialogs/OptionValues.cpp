#include "OptionValues.h"

int LimitItemIndex(int value, int itemCount)
{
    if (value < 0)
        return -1;
    return value >= itemCount ? itemCount - 1 : value;
}

OptionValues OptionValuesOf(const THead& head)
{
    OptionValues values;
    values.confirmation = head.bConfirmation;
    values.showHideSys = head.bShowHideSys;
    values.continuous = head.bContinuous;
    values.sizeIndex = LimitItemIndex(head.iFileSizeUnit, kSizeItems);
    values.t2fIndex = LimitItemIndex(head.iT2FMode, kT2FItems);
    return values;
}

OptionValues DefaultOptionValues()
{
    OptionValues values;
    values.confirmation = true;
    values.showHideSys = false;
    values.continuous = true;
    values.sizeIndex = 1;
    values.t2fIndex = 2;
    return values;
}

void ApplyOptionValues(const OptionValues& values, THead& head)
{
    head.bConfirmation = values.confirmation;
    head.bShowHideSys = values.showHideSys;
    head.bContinuous = values.continuous;
    head.iFileSizeUnit = values.sizeIndex;
    head.iT2FMode = values.t2fIndex;
}
