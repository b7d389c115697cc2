#pragma once

#include <cstdint>

// A device volume is 32 bits: the low 16 the left channel, the high 16 the right, each 0-65535.
// The volume bars show it as one byte, 0 (silent) to 255 (full).

// The mean of the two channels scaled to 0-255.
inline int VolumeFromDevice(uint32_t device)
{
    return static_cast<int>(((device & 0xFFFFu) + (device >> 16)) >> 9);
}

// Both channels at v in their high byte; other programs' balance between them is not kept.
inline uint32_t DeviceFromVolume(int volume)
{
    const uint32_t channel = static_cast<uint32_t>(volume & 0xFF) << 8;
    return channel | channel << 16;
}

// A vertical bar is full at its top, where its position is 0; the mapping is its own inverse.
inline int BarPosition(int volume, bool vertical)
{
    return vertical ? 255 - volume : volume;
}
