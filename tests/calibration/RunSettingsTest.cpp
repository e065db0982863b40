// The device values that shape a run: what the applet's Calibration page can store is taken,
// anything else takes the default before it reaches the layout or the time-out.
#include <gtest/gtest.h>

#include "RunSettings.h"
#include "TargetLayout.h"

using namespace calib;

TEST(RunSettings, ValuesOutsideTheCalibrationPagesRangesTakeTheirDefaults)
{
    const struct {
        DWORD stored;
        int calibPoint, timeout, calFlag;
    } cases[] = {
        {0, 1, 10, 9},           {1, 1, 10, 9},           {4, 4, 10, 4},          {5, 5, 10, 9},
        {6, 1, 10, 9},           {9, 1, 10, 9},           {10, 1, 10, 9},         {25, 1, 25, 25},
        {60, 1, 60, 9},          {61, 1, 10, 9},          {16, 1, 16, 9},
        {0x7FFFFFFF, 1, 10, 9},  {0x80000000, 1, 10, 9},  {0xFFFFFFFF, 1, 10, 9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(CalibPointOrDefault(c.stored), c.calibPoint);
        EXPECT_EQ(TimeoutOrDefault(c.stored), c.timeout);
        EXPECT_EQ(CalFlagOrDefault(c.stored), c.calFlag);
    }
}

TEST(RunSettings, AHugeStoredMarginLaysOutLikeTheDefault)
{
    // 1024 x 2^31 overflows 32 bits; the stored value never gets that far.
    const RECT segment = {0, 0, 1024, 768};
    const TargetLayout expected = LayoutTargets(segment, 32, 32, kDefaultCalibPoint, 9);
    const TargetLayout got = LayoutTargets(segment, 32, 32, CalibPointOrDefault(0x80000000u), 9);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(got.targets[i].x, expected.targets[i].x) << "target " << i;
        EXPECT_EQ(got.targets[i].y, expected.targets[i].y) << "target " << i;
    }
    EXPECT_EQ(got.targets[0].x, -5);   // trunc(10.24 - 16)
}
