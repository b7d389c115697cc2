#include "TMainVolume.h"

#include <QSlider>

TMainVolume::TMainVolume(VolumeDevice& device, QSlider* trbVolume, QSlider* trbVolumeNV, QObject* parent)
    : QObject(parent), trbVolume_(trbVolume), trbVolumeNV_(trbVolumeNV), VolumeControl_(new TVolumeControl(device, this))
{
    VolumeControl_->SetTrackBar(VolumeKind::Wave, trbVolumeNV_);
    connect(trbVolume_, &QSlider::valueChanged, this, &TMainVolume::trbVolumeChange);
}

void TMainVolume::trbVolumeChange()
{
    trbVolumeNV_->setValue(trbVolume_->value());
}
