#pragma once

#include "TVolumeControl.h"

#include <QObject>

class QSlider;

// The main window's volume: the hidden bar bound to the wave output, and the visible bar that
// hands the user's moves to it.
class TMainVolume final : public QObject {
    Q_OBJECT

public:
    TMainVolume(VolumeDevice& device, QSlider* trbVolume, QSlider* trbVolumeNV, QObject* parent = nullptr);

    TVolumeControl& VolumeControl() { return *VolumeControl_; }

    void trbVolumeChange();

    // The wave output's volume, 0-255.
    int Volume() const { return VolumeControl_->Volume(VolumeKind::Wave); }
    // As the user sets it: through the visible bar.
    void SetVolume(int volume);

signals:
    // The hidden bar has followed the wave output to another volume.
    void VolumeChanged();

private:
    QSlider* trbVolume_;
    QSlider* trbVolumeNV_;
    TVolumeControl* VolumeControl_;
};
