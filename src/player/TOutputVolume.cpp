#include "TOutputVolume.h"

int TOutputVolume::DeviceCount(VolumeKind kind) const
{
    return kind == VolumeKind::Wave ? 1 : 0;
}

bool TOutputVolume::HasVolumeControl(VolumeKind kind, int device) const
{
    return IsOutput(kind, device);
}

uint32_t TOutputVolume::Volume(VolumeKind kind, int device) const
{
    return IsOutput(kind, device) ? gain_.Volume() : 0;
}

void TOutputVolume::SetVolume(VolumeKind kind, int device, uint32_t volume)
{
    if (IsOutput(kind, device))
        gain_.SetVolume(volume);
}
