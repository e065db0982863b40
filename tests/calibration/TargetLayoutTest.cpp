// Segment rectangles and target positions of the calibration window.
#include <gtest/gtest.h>

#include "TargetLayout.h"

using namespace calib;

namespace {

struct SegmentCase {
    int index;
    RECT desktop;
    RECT expected;
};

// Expected rectangles worked out from the segment table; 1280 / 3 = 426, 2 x 1280 / 3 = 853,
// 3 x 1280 / 4 = 960.
const SegmentCase kSegments[] = {
    {0, {0, 0, 1024, 768}, {0, 0, 1024, 768}},       {3, {0, 0, 1024, 768}, {0, 0, 512, 768}},
    {4, {0, 0, 1024, 768}, {512, 0, 1024, 768}},     {5, {0, 0, 1280, 1024}, {0, 0, 426, 1024}},
    {6, {0, 0, 1280, 1024}, {426, 0, 853, 1024}},    {7, {0, 0, 1280, 1024}, {853, 0, 1280, 1024}},
    {8, {0, 0, 1280, 1024}, {0, 0, 1280, 512}},      {9, {0, 0, 1280, 1024}, {0, 512, 1280, 1024}},
    {10, {0, 0, 1280, 1024}, {0, 0, 320, 1024}},     {11, {0, 0, 1280, 1024}, {960, 0, 1280, 1024}},
    {12, {0, 0, 1280, 1024}, {0, 0, 640, 512}},      {13, {0, 0, 1280, 1024}, {640, 0, 1280, 512}},
    {14, {0, 0, 1280, 1024}, {0, 512, 640, 1024}},   {15, {0, 0, 1280, 1024}, {640, 512, 1280, 1024}},
    {11, {0, 0, 1023, 767}, {767, 0, 1023, 767}},    {15, {0, 0, 1023, 767}, {511, 383, 1023, 767}},
};

}  // namespace

TEST(SegmentRect, EachDesktopSegmentCutsItsPart)
{
    for (const SegmentCase& c : kSegments) {
        RECT r{-1, -1, -1, -1};
        ASSERT_TRUE(DesktopSegmentRect(c.index, c.desktop, r)) << "segment " << c.index;
        EXPECT_EQ(r.left, c.expected.left) << "segment " << c.index;
        EXPECT_EQ(r.top, c.expected.top) << "segment " << c.index;
        EXPECT_EQ(r.right, c.expected.right) << "segment " << c.index;
        EXPECT_EQ(r.bottom, c.expected.bottom) << "segment " << c.index;
    }
}

TEST(SegmentRect, MonitorSegmentsAndUnknownIndexesAreNotDesktopParts)
{
    RECT r{};
    for (int index : {-1, 1, 2, 16, 20})
        EXPECT_FALSE(DesktopSegmentRect(index, {0, 0, 1024, 768}, r)) << "segment " << index;
}

TEST(TargetLayout, RightHalfOfA1024DesktopGivesTheWindowAndFourTargets)
{
    const TargetLayout t = LayoutTargets({512, 0, 1024, 768}, 32, 32, 1, 4);
    EXPECT_EQ(t.segmentLeft, 512);
    EXPECT_EQ(t.segmentTop, 0);
    EXPECT_EQ(t.segmentWidth, 512);
    EXPECT_EQ(t.segmentHeight, 768);
    // 12 percent margins: trunc(61.44 - 16) = 45, trunc(496 - 61.44) = 434, trunc(92.16 - 16) = 76,
    // trunc(752 - 92.16) = 659.
    const IntPoint expected[4] = {{45, 76}, {434, 76}, {45, 659}, {434, 659}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(t.targets[i].x, expected[i].x) << "target " << i;
        EXPECT_EQ(t.targets[i].y, expected[i].y) << "target " << i;
    }
}

struct LayoutGridCase {
    const char* name;
    RECT segment;
    int targetWidth, targetHeight, calibPoint, calFlag;
    std::vector<int> cols, rows;   // corner columns and rows in touch order
};

TEST(TargetLayout, GridsFollowTheMarginAndTruncateTowardZero)
{
    const LayoutGridCase cases[] = {
        // CalibPoint 1 on a 1024-wide segment: trunc(10.24 - 16) = -5, trunc((1024 - 16) - 10.24) = 997.
        {"25 on 1024x768", {0, 0, 1024, 768}, 32, 32, 1, 25, {-5, 240, 496, 752, 997}, {-8, 176, 368, 560, 744}},
        {"9 on 1024x768", {0, 0, 1024, 768}, 32, 32, 1, 9, {-5, 496, 997}, {-8, 368, 744}},
        {"25 margin 5", {0, 0, 1280, 1024}, 32, 32, 5, 25, {48, 304, 624, 944, 1200}, {35, 240, 496, 752, 956}},
        {"9 middle third", {426, 0, 853, 1024}, 32, 32, 3, 9, {-3, 197, 398}, {14, 496, 977}},
        {"25 odd target", {0, 0, 1280, 1024}, 31, 17, 2, 25, {10, 305, 625, 945, 1239}, {12, 248, 504, 760, 995}},
        {"other flag is 4", {0, 0, 1280, 1024}, 32, 32, 3, 16, {137, 1110}, {106, 885}},
    };
    for (const LayoutGridCase& c : cases) {
        const TargetLayout t = LayoutTargets(c.segment, c.targetWidth, c.targetHeight, c.calibPoint, c.calFlag);
        const size_t n = c.cols.size();
        ASSERT_EQ(static_cast<int>(n * n), PointCount(c.calFlag)) << c.name;
        for (size_t r = 0; r < n; ++r)
            for (size_t col = 0; col < n; ++col) {
                EXPECT_EQ(t.targets[r * n + col].x, c.cols[col]) << c.name << " row " << r << " col " << col;
                EXPECT_EQ(t.targets[r * n + col].y, c.rows[r]) << c.name << " row " << r << " col " << col;
            }
    }
}

TEST(TargetLayout, ScreenPointIsTheTargetCentrePlusTheOrigin)
{
    const IntPoint p = ScreenPointOf({45, 76}, 32, 31, 512, 10);
    EXPECT_EQ(p.x, 45 + 16 + 512);
    EXPECT_EQ(p.y, 76 + 15 + 10);
}
