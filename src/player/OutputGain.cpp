#include "OutputGain.h"

namespace {

// A channel's level as a multiplier the vectoriser can keep in 16-bit lanes: a level of 1/65536
// steps below half is the factor itself; from half up (the top level is exactly 1) the factor
// less 65536, with the sample added back.
struct Lane {
    int16_t factor;
    int16_t keep;  // all bits when the sample is added back
};

Lane LaneOf(uint32_t level)
{
    if (level >= 0xFFFFu)
        return {0, -1};
    return level >= 0x8000u ? Lane{static_cast<int16_t>(static_cast<int32_t>(level) - 0x10000), -1}
                            : Lane{static_cast<int16_t>(level), 0};
}

// (x * level + 0x8000) >> 16, from the high and low halves of the 16-bit product.
int16_t Scale(int16_t x, Lane lane)
{
    const int32_t product = x * lane.factor;
    return static_cast<int16_t>((product >> 16) + (x & lane.keep) + (static_cast<uint16_t>(product) >> 15));
}

} // namespace

void OutputGain::Apply(int16_t* samples, int frames) const
{
    const uint32_t volume = Volume();
    if (volume == 0xFFFFFFFFu)
        return;
    const Lane left = LaneOf(volume & 0xFFFFu);
    const Lane right = LaneOf(volume >> 16);
    for (int i = 0; i < frames; ++i) {
        int16_t* frame = samples + 2 * i;
        frame[0] = Scale(frame[0], left);
        frame[1] = Scale(frame[1], right);
    }
}
