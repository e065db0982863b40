// Display orientation and end-of-run records of the calibration program (the device name from
// the command line: tests/framework/AppEntryTest.cpp).
#include <gtest/gtest.h>

#include "DriverProtocol.h"
#include "DisplayMode.h"
#include "EndOfRun.h"

using namespace calib;

namespace {
DEVMODEW Mode(DWORD orientation, DWORD width, DWORD height)
{
    DEVMODEW m{};
    m.dmDisplayOrientation = orientation;
    m.dmPelsWidth = width;
    m.dmPelsHeight = height;
    return m;
}
}  // namespace

TEST(DisplayMode, RotatedDisplayTurnsToNaturalOrientationForTheRun)
{
    const struct {
        DWORD orientation, width, height;
        bool changes;
        DWORD newWidth, newHeight;
        int saved;
    } cases[] = {
        {DMDO_DEFAULT, 1280, 1024, false, 1280, 1024, 0},
        {DMDO_90, 768, 1024, true, 1024, 768, 1},    // portrait: width and height swapped
        {DMDO_180, 1024, 768, true, 1024, 768, 2},
        {DMDO_270, 1024, 768, true, 1024, 768, 3},   // already landscape: no swap
    };
    for (const auto& c : cases) {
        DEVMODEW m = Mode(c.orientation, c.width, c.height);
        int saved = -1;
        EXPECT_EQ(PrepareNaturalOrientation(m, saved), c.changes) << "orientation " << c.orientation;
        EXPECT_EQ(saved, c.saved);
        EXPECT_EQ(m.dmDisplayOrientation, static_cast<DWORD>(DMDO_DEFAULT));
        EXPECT_EQ(m.dmPelsWidth, c.newWidth);
        EXPECT_EQ(m.dmPelsHeight, c.newHeight);
    }
}

TEST(DisplayMode, RestoreTakesTheRotationSettingOrTheSavedOrientation)
{
    EXPECT_EQ(OrientationToRestore(11, 0), 1);
    EXPECT_EQ(OrientationToRestore(10, 3), 0);
    EXPECT_EQ(OrientationToRestore(13, 0), 3);
    EXPECT_EQ(OrientationToRestore(0, 2), 2);
    EXPECT_EQ(OrientationToRestore(14, 2), 2);
    EXPECT_EQ(OrientationToRestore(9, 1), 1);

    const struct {
        int orientation;
        DWORD expected, width, height;
    } cases[] = {
        {0, DMDO_DEFAULT, 1024, 768}, {1, DMDO_90, 768, 1024}, {2, DMDO_180, 1024, 768},
        {3, DMDO_270, 768, 1024},     {7, DMDO_DEFAULT, 1024, 768},
    };
    for (const auto& c : cases) {
        DEVMODEW m = Mode(DMDO_DEFAULT, 1024, 768);
        PrepareRestoredOrientation(m, c.orientation);
        EXPECT_EQ(m.dmDisplayOrientation, c.expected) << "orientation " << c.orientation;
        EXPECT_EQ(m.dmPelsWidth, c.width) << "orientation " << c.orientation;
        EXPECT_EQ(m.dmPelsHeight, c.height) << "orientation " << c.orientation;
    }
}

TEST(EndOfRun, RecordOfTheRunsKindWithEveryValueZero)
{
    const struct {
        int calFlag;
        DWORD code;
        size_t size;
    } cases[] = {{25, 0x220040, 632}, {9, 0x220048, 232}, {4, 0x22004C, 80}, {16, 0x22004C, 80}};
    for (const auto& c : cases) {
        const DriverRequest r = EndOfRunRequest(c.calFlag);
        EXPECT_EQ(r.code, c.code) << "calflag " << c.calFlag;
        ASSERT_EQ(r.input.size(), c.size) << "calflag " << c.calFlag;
        for (BYTE b : r.input)
            ASSERT_EQ(b, 0) << "calflag " << c.calFlag;
    }
}

TEST(Records, LayoutsAreByteExact)
{
    EXPECT_EQ(sizeof(CalibrationRecord4), 80u);
    EXPECT_EQ(sizeof(CalibrationRecord9), 232u);
    EXPECT_EQ(sizeof(CalibrationRecord25), 632u);
    EXPECT_EQ(offsetof(CalibrationRecord9, cells) + sizeof(BilinearMap), 26u * 4);   // "Cal9a2"
    EXPECT_EQ(offsetof(CalibrationRecord25, cells) + 15 * sizeof(BilinearMap), 138u * 4);   // "Cal25a16"
}
