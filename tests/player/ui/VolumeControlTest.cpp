#include "player/ui/TMainVolume.h"
#include "player/ui/TVolumeControl.h"

#include <gtest/gtest.h>

#include <QSlider>
#include <QTest>
#include <QTimer>

#include <array>
#include <memory>
#include <vector>

namespace {

// Devices of each kind, with or without volume control, and what was written to them.
class FakeVolumeDevice final : public VolumeDevice {
public:
    struct Device {
        bool control = true;
        uint32_t volume = 0;
    };

    int DeviceCount(VolumeKind kind) const override { return static_cast<int>(devices[Index(kind)].size()); }
    bool HasVolumeControl(VolumeKind kind, int device) const override { return at(kind, device).control; }
    uint32_t Volume(VolumeKind kind, int device) const override { return at(kind, device).volume; }
    void SetVolume(VolumeKind kind, int device, uint32_t volume) override
    {
        devices[Index(kind)][static_cast<size_t>(device)].volume = volume;
        ++writes;
    }

    static size_t Index(VolumeKind kind) { return static_cast<size_t>(kind); }
    const Device& at(VolumeKind kind, int device) const { return devices[Index(kind)][static_cast<size_t>(device)]; }
    Device& at(VolumeKind kind, int device) { return devices[Index(kind)][static_cast<size_t>(device)]; }

    std::array<std::vector<Device>, kVolumeKinds> devices;
    int writes = 0;
};

TEST(VolumeControlTest, EachKindTakesItsFirstDeviceWithVolumeControl)
{
    FakeVolumeDevice device;
    device.devices[0] = {{false, 0}, {false, 0}, {true, 0}};
    device.devices[1] = {{true, 0}, {true, 0}};
    device.devices[2] = {{false, 0}};
    TVolumeControl control(device);
    EXPECT_EQ(control.DeviceId(VolumeKind::Aux), 2);
    EXPECT_EQ(control.DeviceId(VolumeKind::Wave), 0);
    EXPECT_EQ(control.DeviceId(VolumeKind::Midi), -1);

    device.devices[1].clear();
    control.FindDevices();
    EXPECT_EQ(control.DeviceId(VolumeKind::Wave), -1);
}

TEST(VolumeControlTest, VolumesAreReadAndWrittenOnTheDeviceEachTime)
{
    FakeVolumeDevice device;
    device.devices[1] = {{true, 0x0000FFFFu}};
    TVolumeControl control(device);
    EXPECT_EQ(control.Volume(VolumeKind::Wave), 127);
    control.SetVolume(VolumeKind::Wave, 128);
    EXPECT_EQ(device.at(VolumeKind::Wave, 0).volume, 0x80008000u);
    device.at(VolumeKind::Wave, 0).volume = 0xFFFFFFFFu;  // another program turns it up
    EXPECT_EQ(control.Volume(VolumeKind::Wave), 255);
}

TEST(VolumeControlTest, ABoundBarFollowsTheDeviceAndWritesWhatTheUserSets)
{
    FakeVolumeDevice device;
    device.devices[1] = {{true, 0x40004000u}};
    TVolumeControl control(device);
    QSlider bar(Qt::Horizontal);
    bar.setRange(0, 100);
    control.SetTrackBar(VolumeKind::Wave, &bar);
    EXPECT_EQ(bar.minimum(), 0);
    EXPECT_EQ(bar.maximum(), 255);
    EXPECT_EQ(bar.value(), 64);

    bar.setValue(200);
    EXPECT_EQ(device.at(VolumeKind::Wave, 0).volume, 0xC800C800u);

    device.at(VolumeKind::Wave, 0).volume = 0x10001000u;
    control.UpdateTrackBars();
    EXPECT_EQ(bar.value(), 16);
}

TEST(VolumeControlTest, AVerticalBarShowsAndWrites255Minus)
{
    FakeVolumeDevice device;
    device.devices[2] = {{true, 0xC800C800u}};  // 200
    TVolumeControl control(device);
    QSlider bar(Qt::Vertical);
    control.SetTrackBar(VolumeKind::Midi, &bar);
    EXPECT_EQ(bar.value(), 55);
    bar.setValue(5);
    EXPECT_EQ(device.at(VolumeKind::Midi, 0).volume, 0xFA00FA00u);  // 250
}

TEST(VolumeControlTest, WithoutADeviceTheBarIsHeldAtZeroAndNothingIsWritten)
{
    FakeVolumeDevice device;
    device.devices[1] = {{false, 0x80008000u}};
    TVolumeControl control(device);
    QSlider bar(Qt::Horizontal);
    bar.setRange(0, 255);
    bar.setValue(90);
    control.SetTrackBar(VolumeKind::Wave, &bar);
    EXPECT_EQ(bar.value(), 0);
    bar.setValue(180);
    EXPECT_EQ(device.writes, 0);
    control.UpdateTrackBars();
    EXPECT_EQ(bar.value(), 0);
}

TEST(VolumeControlTest, APositionClampedByTheNewRangeIsNotWritten)
{
    FakeVolumeDevice device;
    device.devices[1] = {{true, 0x20002000u}};
    TVolumeControl control(device);
    QSlider bar(Qt::Horizontal);
    bar.setRange(0, 1000);
    bar.setValue(900);
    control.SetTrackBar(VolumeKind::Wave, &bar);
    EXPECT_EQ(device.at(VolumeKind::Wave, 0).volume, 0x20002000u);
    EXPECT_EQ(bar.value(), 32);
}

TEST(VolumeControlTest, PollingEveryHalfSecondBringsTheBarUpToDate)
{
    FakeVolumeDevice device;
    device.devices[1] = {{true, 0}};
    TVolumeControl control(device);
    EXPECT_EQ(control.Interval(), 500);
    const auto* timer = control.findChild<QTimer*>();
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(timer->isActive());

    QSlider bar(Qt::Horizontal);
    control.SetTrackBar(VolumeKind::Wave, &bar);
    device.at(VolumeKind::Wave, 0).volume = 0x64006400u;  // 100, set by someone else
    EXPECT_TRUE(QTest::qWaitFor([&] { return bar.value() == 100; }, 3000));
}

TEST(VolumeControlTest, AnotherBarReplacesTheBoundOneAndADestroyedBarIsForgotten)
{
    FakeVolumeDevice device;
    device.devices[1] = {{true, 0}};
    TVolumeControl control(device);
    QSlider first(Qt::Horizontal);
    control.SetTrackBar(VolumeKind::Wave, &first);
    {
        QSlider second(Qt::Horizontal);
        control.SetTrackBar(VolumeKind::Wave, &second);
        first.setValue(77);
        EXPECT_EQ(device.writes, 0);
        second.setValue(99);
        EXPECT_EQ(device.at(VolumeKind::Wave, 0).volume, 0x63006300u);
    }
    EXPECT_EQ(control.TrackBar(VolumeKind::Wave), nullptr);
    control.UpdateTrackBars();
}

TEST(MainVolumeTest, TheVisibleBarHandsItsValueToTheBoundHiddenBar)
{
    FakeVolumeDevice device;
    device.devices[1] = {{true, 0xFFFFFFFFu}};
    QSlider trbVolume(Qt::Horizontal);
    QSlider trbVolumeNV(Qt::Horizontal);
    TMainVolume volume(device, &trbVolume, &trbVolumeNV);
    EXPECT_EQ(trbVolumeNV.value(), 255);
    trbVolume.setRange(0, 255);
    trbVolume.setValue(128);
    EXPECT_EQ(trbVolumeNV.value(), 128);
    EXPECT_EQ(device.at(VolumeKind::Wave, 0).volume, 0x80008000u);
}

} // namespace
