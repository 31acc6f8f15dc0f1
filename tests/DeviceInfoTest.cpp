#include "device/DeviceInfo.h"
#include "device/LumoCamera.h"

#include <gtest/gtest.h>

namespace {

struct LocationCase {
    unsigned bus;
    const char *devpath;
    uint32_t expected;
};

void PrintTo(const LocationCase &c, std::ostream *os) { *os << c.bus << "-" << c.devpath; }

class LocationId : public testing::TestWithParam<LocationCase> {};

TEST_P(LocationId, BusInTopByteThenOneNibblePerPort)
{
    const LocationCase &c = GetParam();
    EXPECT_EQ(locationIdFrom(c.bus, QString::fromLatin1(c.devpath)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Paths, LocationId,
                         testing::Values(LocationCase{1, "2.3", 0x01230000}, LocationCase{3, "1.4.2", 0x03142000},
                                         LocationCase{0x20, "15.1.1.1.1.1.9", 0x20f11111}, LocationCase{2, "", 0x02000000}));

TEST(CameraFactory, ModelsByProductAndNothingForOtherDevices)
{
    CameraPtr arvo = LumoCamera::create(0xfe11, 0x0a01);
    CameraPtr tobble = LumoCamera::create(0xfe11, 0x0a02);
    ASSERT_TRUE(arvo && tobble);
    EXPECT_EQ(arvo->model(), "Arvoscope");
    EXPECT_EQ(arvo->shortModel(), "Arvo");
    EXPECT_EQ(tobble->shortModel(), "Tobble");
    EXPECT_EQ(arvo->isContinousFocusMode, -1);

    // What each model offers, for the interface to build itself from.
    using Camera = LumoCamera;
    EXPECT_EQ(arvo->exposureKind(), Camera::ExposureKind::FiveSteps);
    EXPECT_EQ(tobble->exposureKind(), Camera::ExposureKind::FifteenLevels);
    EXPECT_EQ(arvo->defaultExposureLevel(), 3);
    EXPECT_EQ(tobble->defaultExposureLevel(), 4);
    EXPECT_FALSE(arvo->hasAutoExposure() || arvo->hasExposureLock());
    EXPECT_TRUE(tobble->hasAutoExposure() && tobble->hasExposureLock());
    for (const CameraPtr &camera : {arvo, tobble}) {
        EXPECT_EQ(camera->focusKind(), Camera::FocusKind::VendorCommand);
        EXPECT_TRUE(camera->hasButtons() && camera->hasVendorCommands());
        // The frame table's ten sizes, 640x480 once although the table has it twice.
        const QList<Camera::FrameMode> modes = camera->frameModes();
        ASSERT_EQ(modes.size(), 10);
        EXPECT_EQ(modes.first(), (Camera::FrameMode{Camera::PixelFormat::Mjpeg, QSize(640, 480), {30}}));
        EXPECT_EQ(modes.last(), (Camera::FrameMode{Camera::PixelFormat::Mjpeg, QSize(1600, 1200), {15}}));
    }
    EXPECT_FALSE(LumoCamera::create(0xfe11, 0x0bad));
    EXPECT_FALSE(LumoCamera::create(0x1234, 0x0a01));
    EXPECT_EQ(LumoCamera::makeCaptureDeviceLocationId(0x5, 0x1, 0x2), "0x500010002") << "the location as needed, four-digit ids";
}

} // namespace
