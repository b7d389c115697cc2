#include "TransportRules.h"

#include "MediaKind.h"

#include <algorithm>

bool IsPlayableFile(const QByteArray& file)
{
    return MediaKindOf(file) != MediaKind::None;
}

ChosenList ChooseList(bool anySelected, bool sourceFocused, bool targetFocused)
{
    if (!anySelected)
        return ChosenList::None;
    if (sourceFocused)
        return ChosenList::Source;
    if (targetFocused)
        return ChosenList::Target;
    return ChosenList::ListDetail;
}

int NextIndex(int selected, int count)
{
    if (count <= 0 || selected >= count)
        return -1;
    return selected == count - 1 ? 0 : selected + 1;
}

int PriorIndex(int selected, int count)
{
    if (count <= 0 || selected < 0 || selected >= count)
        return -1;
    return selected == 0 ? count - 1 : selected - 1;
}

bool ContinuousApplies(bool continuous, int count, int playIndex)
{
    return continuous && count >= 1 && playIndex <= count - 1;
}

ContinuousStep NextContinuous(int playIndex, int count, const QList<int>& selectedRows)
{
    if (selectedRows.isEmpty())
        return {0, true};
    const int from = playIndex >= count - 1 ? 0 : playIndex + 1;
    if (selectedRows.size() == 1)
        return {from, true};
    // The first selected row at or after from, else the first selected row of all.
    const auto found = std::lower_bound(selectedRows.begin(), selectedRows.end(), from);
    return {found != selectedRows.end() ? *found : selectedRows.first(), false};
}

bool EndReached(int64_t position, int64_t endMark)
{
    return position >= endMark;
}
