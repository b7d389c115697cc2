#include "OutputGain.h"

namespace {

// A channel level as a factor in 1/65536 steps; the top level is exactly 1.
int32_t Factor(uint32_t level)
{
    return level >= 0xFFFFu ? 0x10000 : static_cast<int32_t>(level);
}

} // namespace

void OutputGain::Apply(int16_t* samples, int frames) const
{
    const uint32_t volume = Volume();
    if (volume == 0xFFFFFFFFu)
        return;
    const int32_t left = Factor(volume & 0xFFFFu);
    const int32_t right = Factor(volume >> 16);
    // Rounded to the nearest step; a factor of at most 1 keeps the product inside 32 bits.
    for (int i = 0; i < frames; ++i) {
        int16_t* frame = samples + 2 * i;
        frame[0] = static_cast<int16_t>((frame[0] * left + 0x8000) >> 16);
        frame[1] = static_cast<int16_t>((frame[1] * right + 0x8000) >> 16);
    }
}
