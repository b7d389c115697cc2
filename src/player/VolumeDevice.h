#pragma once

#include <cstdint>

// The three kinds of output device whose volume can be set, by index.
enum class VolumeKind { Aux = 0, Wave = 1, Midi = 2 };
inline constexpr int kVolumeKinds = 3;

// The devices of each kind, numbered from 0, and their volumes (32 bits: the low 16 the left
// channel, the high 16 the right).
class VolumeDevice {
public:
    virtual ~VolumeDevice() = default;

    virtual int DeviceCount(VolumeKind kind) const = 0;
    // Whether the device's capabilities include volume control.
    virtual bool HasVolumeControl(VolumeKind kind, int device) const = 0;
    virtual uint32_t Volume(VolumeKind kind, int device) const = 0;
    virtual void SetVolume(VolumeKind kind, int device, uint32_t volume) = 0;
};
