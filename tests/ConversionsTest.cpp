#include "settings/Conversions.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

TEST(Conversions, OutputSizesWithTheirFallback)
{
    EXPECT_EQ(toPhotoOutputSize(0), QSizeF(1600, 1200));
    EXPECT_EQ(toPhotoOutputSize(1), QSizeF(1280, 960));
    EXPECT_EQ(toPhotoOutputSize(5), QSizeF(320, 240));
    for (int index : {4, -1, 6, 9})
        EXPECT_EQ(toPhotoOutputSize(index), QSizeF(640, 480)) << index;
}

TEST(Conversions, ZoomBothWaysAndOutsideTheTable)
{
    const float factors[] = {1.0f, 1.25f, 1.5f, 2.0f, 2.5f, 3.0f};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(toZoomIndex(factors[i]), i);
        EXPECT_EQ(toZoomFactor(i), factors[i]);
    }
    EXPECT_EQ(toZoomIndex(1.75f), 6);
    EXPECT_EQ(toZoomIndex(std::nanf("")), 6);
    EXPECT_EQ(toZoomFactor(6), 0.0f);
    EXPECT_EQ(toZoomFactor(-1), 0.0f);
}

TEST(Conversions, TimerAndAutoBrightness)
{
    for (const auto &[index, seconds] : {std::pair{0, 0}, {1, 3}, {2, 10}}) {
        EXPECT_EQ(toTimerValue(index), seconds);
        EXPECT_EQ(toTimerIndex(seconds), index);
    }
    EXPECT_EQ(toTimerValue(7), 7);
    EXPECT_EQ(toTimerIndex(5), 0);
    for (int index : {0, 1, 2})
        EXPECT_EQ(toAutoBrightnessValue(index), index == 0) << index;
    EXPECT_EQ(toAutoBrightnessIndex(true), 0);
    EXPECT_EQ(toAutoBrightnessIndex(false), 1);
}

} // namespace
