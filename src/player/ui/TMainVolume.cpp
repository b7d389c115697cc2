#include "TMainVolume.h"

#include <QSlider>

TMainVolume::TMainVolume(VolumeDevice& device, QSlider* trbVolume, QSlider* trbVolumeNV, QObject* parent)
    : QObject(parent), trbVolume_(trbVolume), trbVolumeNV_(trbVolumeNV), VolumeControl_(new TVolumeControl(device, this))
{
    VolumeControl_->SetTrackBar(VolumeKind::Wave, trbVolumeNV_);
    connect(trbVolume_, &QSlider::valueChanged, this, &TMainVolume::trbVolumeChange);
    connect(trbVolumeNV_, &QSlider::valueChanged, this, &TMainVolume::VolumeChanged);
}

void TMainVolume::SetVolume(int volume)
{
    trbVolume_->setValue(volume);
}

void TMainVolume::trbVolumeChange()
{
    trbVolumeNV_->setValue(trbVolume_->value());
}
