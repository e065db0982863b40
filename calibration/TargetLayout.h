#pragma once
// Where the calibration window and its targets go. Pure functions of the desktop geometry,
// so they can be checked from tables.
#include <windows.h>

#include <array>
#include <cstdint>

namespace calib {

struct IntPoint {
    int32_t x = 0;
    int32_t y = 0;
};

// Segments 1 (primary monitor) and 2 (secondary monitor) take a monitor rectangle instead.
constexpr int kPrimaryMonitorSegment = 1;
constexpr int kSecondaryMonitorSegment = 2;

// The rectangle of a desktop segment cut out of the desktop rectangle (which starts at 0,0).
// Valid for the indexes 0 and 3..15; false for the monitor segments and any other index.
bool DesktopSegmentRect(int index, const RECT& desktop, RECT& out);

struct TargetLayout {
    int32_t segmentLeft = 0;
    int32_t segmentTop = 0;
    int32_t segmentWidth = 0;
    int32_t segmentHeight = 0;
    // Top-left corners of the target picture, relative to the window, in touch order
    // (row by row from the top). Only the first PointCount(calFlag) entries are used.
    std::array<IntPoint, 25> targets{};
};

// 25 and 9 are grids; every other value calibrates with 4 points.
int PointCount(int calFlag);

// calibPoint is the margin of the outer targets in percent of the segment (9 and 25 points);
// the 4-point layout always keeps a 12 percent margin.
TargetLayout LayoutTargets(const RECT& segment, int targetWidth, int targetHeight, int calibPoint, int calFlag);

// The screen point a target stands for: its centre, offset by the segment origin.
IntPoint ScreenPointOf(const IntPoint& corner, int targetWidth, int targetHeight, int32_t originLeft, int32_t originTop);

}  // namespace calib
