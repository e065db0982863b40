// The 4-point record and values, and the secondary-monitor scale.
#include <gtest/gtest.h>

#include "CalibrationMath.h"

using namespace calib;

namespace {

struct FourCase {
    const char* name;
    int segmentIndex;
    RECT desktop;   // desktop, or the monitor for segment 2
    RECT segment;
    int32_t screenX[4];   // record order: bottom-right, top-right, top-left, bottom-left
    int32_t screenY[4];
    int32_t segmentWidth, segmentHeight;
};

// Targets at 12 percent margins of the segment, 32 x 32 picture (see TargetLayoutTest).
const FourCase kCases[] = {
    {"whole desktop", 0, {0, 0, 1280, 1024}, {0, 0, 1280, 1024}, {1126, 1126, 153, 153}, {901, 122, 122, 901}, 1280, 1024},
    {"right half", 4, {0, 0, 1024, 768}, {512, 0, 1024, 768}, {962, 962, 573, 573}, {675, 92, 92, 675}, 512, 768},
    {"bottom right quarter", 15, {0, 0, 1280, 1024}, {640, 512, 1280, 1024}, {1203, 1203, 716, 716},
     {962, 573, 573, 962}, 640, 512},
    // Points on the secondary monitor are relative to its own top-left corner.
    {"secondary monitor", 2, {1280, 0, 2304, 768}, {1280, 0, 2304, 768}, {901, 901, 122, 122}, {675, 92, 92, 675}, 1024, 768},
};

CalibrationGeometry GeometryFor(const FourCase& c)
{
    CalibrationGeometry g;
    g.desktopRect = c.desktop;
    g.layout = LayoutTargets(c.segment, 32, 32, 1, 4);
    g.targetWidth = 32;
    g.targetHeight = 32;
    g.segmentIndex = c.segmentIndex;
    return g;
}

// Touches top-left, top-right, bottom-left, bottom-right.
RawPoints FourTouches()
{
    RawPoints raw{};
    raw[0] = {100, 3800};
    raw[1] = {3900, 3790};
    raw[2] = {110, 300};
    raw[3] = {3890, 310};
    return raw;
}

}  // namespace

TEST(FourPoint, RecordHoldsRawAndScreenPointsInRecordOrder)
{
    for (const FourCase& c : kCases) {
        const Calibration4 r = Compute4Point(GeometryFor(c), FourTouches());
        const CalibrationRecord4& rec = r.record;
        // Record point 1 = touch 3, 2 = touch 1, 3 = touch 0, 4 = touch 2.
        const int32_t rawX[4] = {3890, 3900, 100, 110};
        const int32_t rawY[4] = {310, 3790, 3800, 300};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(rec.rawX[i], rawX[i]) << c.name << " point " << i + 1;
            EXPECT_EQ(rec.rawY[i], rawY[i]) << c.name << " point " << i + 1;
            EXPECT_EQ(rec.screenX[i], c.screenX[i]) << c.name << " point " << i + 1;
            EXPECT_EQ(rec.screenY[i], c.screenY[i]) << c.name << " point " << i + 1;
        }
        EXPECT_EQ(rec.maxXPixels, c.desktop.right - c.desktop.left) << c.name;
        EXPECT_EQ(rec.maxYPixels, c.desktop.bottom - c.desktop.top) << c.name;
        EXPECT_EQ(rec.secMouX, 0) << c.name;
        EXPECT_EQ(rec.secMouY, 0) << c.name;

        ASSERT_EQ(r.values.size(), 20u) << c.name;
        EXPECT_EQ(r.values[18].name, L"Segment Width");
        EXPECT_EQ(r.values[18].value, static_cast<DWORD>(c.segmentWidth)) << c.name;
        EXPECT_EQ(r.values[19].name, L"Segment Height");
        EXPECT_EQ(r.values[19].value, static_cast<DWORD>(c.segmentHeight)) << c.name;
    }
}

TEST(FourPoint, ValuesAreWrittenInTableOrderWithTheRecordsNumbers)
{
    const Calibration4 r = Compute4Point(GeometryFor(kCases[0]), FourTouches());
    const wchar_t* names[] = {L"Cal_X1", L"Cal_X2", L"Cal_X3", L"Cal_X4", L"Cal_Y1", L"Cal_Y2", L"Cal_Y3",
                              L"Cal_Y4", L"Cal_M1", L"Cal_M2", L"Cal_M3", L"Cal_M4", L"Cal_N1", L"Cal_N2",
                              L"Cal_N3", L"Cal_N4", L"Max XPixels", L"Max YPixels"};
    const int32_t* record = &r.record.rawX[0];
    for (int i = 0; i < 18; ++i) {
        EXPECT_EQ(r.values[i].name, names[i]) << "value " << i;
        EXPECT_EQ(r.values[i].value, static_cast<DWORD>(record[i])) << "value " << i;
    }
}

TEST(SecondaryScale, PercentOfThePrimaryMonitorRounded)
{
    const struct {
        DWORD w, h, priX, priY;
        int32_t x, y;
    } cases[] = {
        {1280, 1024, 1024, 768, 125, 133},   // 125.0 and 133.33
        {1280, 1024, 0, 0, 125, 133},        // nothing stored: 1024 x 768
        {1024, 768, 1024, 768, 100, 100},
        {800, 600, 1280, 1024, 63, 59},      // 62.5 + 0.5 and 58.59 + 0.5
        {0, 0, 1024, 768, 100, 100},         // 0 becomes 100
        {3, 3, 1024, 768, 100, 100},         // 0.79 and 0.89 truncate to 0, then 100
        {1920, 1080, 1, 1, 192000, 108000},
    };
    for (const auto& c : cases) {
        const SecondaryScale s = ComputeSecondaryScale(c.w, c.h, c.priX, c.priY);
        EXPECT_EQ(s.secMouX, c.x) << c.w << "x" << c.h << " over " << c.priX << "x" << c.priY;
        EXPECT_EQ(s.secMouY, c.y) << c.w << "x" << c.h << " over " << c.priX << "x" << c.priY;
    }
}

TEST(Rotation, FollowsTheFirstAndLastTouch)
{
    const struct {
        IntPoint first, last;
        int32_t rotate;
    } cases[] = {
        {{100, 3000}, {3000, 100}, 0}, {{100, 100}, {3000, 3000}, 3}, {{3000, 3000}, {100, 100}, 1},
        {{3000, 100}, {100, 3000}, 2}, {{100, 100}, {100, 100}, 2},   {{100, 100}, {3000, 100}, 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RotationOf(c.first, c.last), c.rotate)
            << c.first.x << "," << c.first.y << " -> " << c.last.x << "," << c.last.y;
}
