#pragma once

#include "OutputGain.h"
#include "VolumeDevice.h"

// The one wave-output device is the program's own sound: its volume is the gain of the outputs,
// so turning it down leaves every other program's sound alone. MIDI is rendered into that same
// sound; there is no auxiliary or separate MIDI-out device.
class TOutputVolume final : public VolumeDevice {
public:
    explicit TOutputVolume(OutputGain& gain) : gain_(gain) {}

    int DeviceCount(VolumeKind kind) const override;
    bool HasVolumeControl(VolumeKind kind, int device) const override;
    uint32_t Volume(VolumeKind kind, int device) const override;
    void SetVolume(VolumeKind kind, int device, uint32_t volume) override;

private:
    static bool IsOutput(VolumeKind kind, int device) { return kind == VolumeKind::Wave && device == 0; }

    OutputGain& gain_;
};
