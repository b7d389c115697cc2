#include "TVolumeControl.h"

#include "player/VolumeScale.h"

#include <QAbstractSlider>
#include <QSignalBlocker>
#include <QTimer>

namespace {
constexpr VolumeKind kKinds[] = {VolumeKind::Aux, VolumeKind::Wave, VolumeKind::Midi};
}

TVolumeControl::TVolumeControl(VolumeDevice& device, QObject* parent)
    : QObject(parent), device_(device), timer_(new QTimer(this))
{
    setObjectName(QStringLiteral("VolumeControl"));
    timer_->setInterval(500);
    connect(timer_, &QTimer::timeout, this, &TVolumeControl::UpdateTrackBars);
    timer_->start();
    FindDevices();
}

TVolumeControl::~TVolumeControl() = default;

void TVolumeControl::FindDevices()
{
    for (VolumeKind kind : kKinds) {
        int& id = devices_[Index(kind)];
        id = -1;
        const int count = device_.DeviceCount(kind);
        for (int device = 0; device < count && id < 0; ++device) {
            if (device_.HasVolumeControl(kind, device))
                id = device;
        }
    }
}

int TVolumeControl::Volume(VolumeKind kind) const
{
    const int id = DeviceId(kind);
    return id < 0 ? 0 : VolumeFromDevice(device_.Volume(kind, id));
}

void TVolumeControl::SetVolume(VolumeKind kind, int volume)
{
    const int id = DeviceId(kind);
    if (id >= 0)
        device_.SetVolume(kind, id, DeviceFromVolume(volume));
}

void TVolumeControl::SetTrackBar(VolumeKind kind, QAbstractSlider* bar)
{
    QPointer<QAbstractSlider>& bound = bars_[Index(kind)];
    if (bound == bar)
        return;
    if (bound)
        disconnect(bound, nullptr, this, nullptr);
    bound = bar;
    if (bar)
        connect(bar, &QAbstractSlider::valueChanged, this, [this, bar] { TrackBarChange(bar); });
    UpdateTrackBars();
}

int TVolumeControl::Interval() const
{
    return timer_->interval();
}

void TVolumeControl::UpdateTrackBars()
{
    for (VolumeKind kind : kKinds) {
        QAbstractSlider* bar = bars_[Index(kind)];
        if (bar == nullptr)
            continue;
        {
            // A position clamped by the new range is no volume the user chose.
            const QSignalBlocker quiet(bar);
            bar->setRange(0, 255);
        }
        // A position that differs fires the bar's change, which writes the same volume back.
        bar->setValue(BarPosition(Volume(kind), bar->orientation() == Qt::Vertical));
    }
}

void TVolumeControl::TrackBarChange(QAbstractSlider* sender)
{
    for (VolumeKind kind : kKinds) {
        if (bars_[Index(kind)] == sender) {
            SetVolume(kind, BarPosition(sender->value(), sender->orientation() == Qt::Vertical));
            return;
        }
    }
}
