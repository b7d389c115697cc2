#include "PlayWindowFixture.h"

#include "player/ui/TVolumeControl.h"
#include "player/VolumeScale.h"

#include <QSlider>

namespace {

using VolumeFromWindow = PlayWindowFixture;

class NoVolumeDevice final : public VolumeDevice {
public:
    int DeviceCount(VolumeKind) const override { return 0; }
    bool HasVolumeControl(VolumeKind, int) const override { return false; }
    uint32_t Volume(VolumeKind, int) const override { return 0; }
    void SetVolume(VolumeKind, int, uint32_t) override { ++writes; }
    int writes = 0;
};

TEST_F(VolumeFromWindow, TheBarStartsFullAndTurnsTheProgramsOwnSoundDown)
{
    startListing();
    auto* bar = control<QSlider>("trbVolume");
    auto* hidden = control<QSlider>("trbVolumeNV");
    EXPECT_FALSE(hidden->isVisible());
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 255);
    EXPECT_EQ(bar->value(), 255);
    EXPECT_EQ(VolumeFromDevice(outputs->Gain().Volume()), 255);

    bar->setValue(128);
    EXPECT_EQ(hidden->value(), 128);
    EXPECT_EQ(outputs->Gain().Volume(), DeviceFromVolume(128));
    EXPECT_EQ(win->VolumeControl().Volume(VolumeKind::Wave), 128);
    EXPECT_EQ(win->VolumeControl().DeviceId(VolumeKind::Aux), -1);
    EXPECT_EQ(win->VolumeControl().DeviceId(VolumeKind::Midi), -1);
}

TEST_F(VolumeFromWindow, TheVolumeChosenIsTheNextStartsAlsoWithACatalogueThatHadNoRowForIt)
{
    {
        TCatalogue db;
        ASSERT_TRUE(db.Open(programFolder()));
        ASSERT_TRUE(db.Execute("delete from [option] where name = 'iVolume'"));
    }
    startListing();
    auto* bar = control<QSlider>("trbVolume");
    EXPECT_EQ(bar->value(), 255);
    QTest::keyClick(bar, Qt::Key_PageDown);
    const int chosen = bar->value();
    ASSERT_LT(chosen, 255);

    win.reset();
    startListing();
    EXPECT_EQ(control<QSlider>("trbVolume")->value(), chosen);
    EXPECT_EQ(VolumeFromDevice(outputs->Gain().Volume()), chosen);
    EXPECT_TRUE(msg->layerErrors.isEmpty());
}

TEST_F(VolumeFromWindow, WithoutADeviceTheBarStartsAtZeroAndChangesNothing)
{
    auto device = std::make_unique<NoVolumeDevice>();
    NoVolumeDevice* none = device.get();
    startListing(std::move(device));
    auto* bar = control<QSlider>("trbVolume");
    auto* hidden = control<QSlider>("trbVolumeNV");
    EXPECT_EQ(bar->maximum(), 255);
    EXPECT_EQ(bar->value(), 0);
    bar->setValue(200);
    EXPECT_EQ(none->writes, 0);
    win->VolumeControl().UpdateTrackBars();
    EXPECT_EQ(hidden->value(), 0);
    EXPECT_EQ(bar->value(), 200);  // the visible bar does not follow the device
}

} // namespace
