#pragma once

#include "player/VolumeDevice.h"

#include <QAbstractSlider>
#include <QObject>
#include <QPointer>

#include <array>

class QTimer;

// Ties plain track bars to the volumes of the three device kinds and keeps each bar in step with
// its device by polling it. A volume is a byte, 0 (silent) to 255 (full), read from and written
// to the device on each access, never kept here.
class TVolumeControl final : public QObject {
    Q_OBJECT

public:
    explicit TVolumeControl(VolumeDevice& device, QObject* parent = nullptr);
    ~TVolumeControl() override;

    // The kind's device, or -1 when none of its devices has volume control.
    int DeviceId(VolumeKind kind) const { return devices_[Index(kind)]; }
    // 0 for a kind without a device, where writing does nothing.
    int Volume(VolumeKind kind) const;
    void SetVolume(VolumeKind kind, int volume);

    QAbstractSlider* TrackBar(VolumeKind kind) const { return bars_[Index(kind)]; }
    // Binding a bar brings it up to date at once.
    void SetTrackBar(VolumeKind kind, QAbstractSlider* bar);

    // Milliseconds between two polls of the devices.
    int Interval() const;

    // For each kind, the first device whose capabilities include volume control.
    void FindDevices();
    // Each bound bar: range 0-255, position the volume (255 minus it on a vertical bar).
    void UpdateTrackBars();

private:
    static size_t Index(VolumeKind kind) { return static_cast<size_t>(kind); }
    void TrackBarChange(QAbstractSlider* sender);

    VolumeDevice& device_;
    std::array<int, kVolumeKinds> devices_{-1, -1, -1};
    std::array<QPointer<QAbstractSlider>, kVolumeKinds> bars_;
    QTimer* timer_;
};
