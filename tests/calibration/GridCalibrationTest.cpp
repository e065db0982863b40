// The 9- and 25-point corrections from tables of touches, including touches that admit no
// correction, and the order of their registry values.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "BilinearFit.h"
#include "CalibrationMath.h"
#include "GridCases.h"

using namespace calib;

namespace {

CalibrationGeometry WholeDesktop(int points, int calibPoint)
{
    CalibrationGeometry g;
    g.desktopRect = {0, 0, 1280, 1024};
    g.layout = LayoutTargets(g.desktopRect, 32, 32, calibPoint, points);
    g.targetWidth = 32;
    g.targetHeight = 32;
    g.calibPoint = calibPoint;
    return g;
}

RawPoints ToRaw(const std::vector<IntPoint>& v)
{
    RawPoints raw{};
    for (size_t i = 0; i < v.size(); ++i)
        raw[i] = v[i];
    return raw;
}

template <typename Record>
std::vector<int32_t> Values(const Record& r)
{
    std::vector<int32_t> v(sizeof r / 4);
    memcpy(v.data(), &r, sizeof r);
    return v;
}

// Runs one case; true with the record's values when the computation succeeded.
bool RunCase(const GridCase& c, std::vector<int32_t>& record, DwordValues& values)
{
    const CalibrationGeometry g = WholeDesktop(c.points, c.calibPoint);
    if (c.points == 9) {
        Calibration9 r;
        if (!Compute9Point(g, ToRaw(c.raw), c.bow, r))
            return false;
        record = Values(r.record);
        values = r.values;
    } else {
        Calibration25 r;
        if (!Compute25Point(g, ToRaw(c.raw), c.bow, r))
            return false;
        record = Values(r.record);
        values = r.values;
    }
    return true;
}

}  // namespace

TEST(GridCalibration, RecordsMatchTheWorkedOutValues)
{
    for (const GridCase& c : GridCases()) {
        std::vector<int32_t> record;
        DwordValues values;
        const bool ok = RunCase(c, record, values);
        ASSERT_EQ(ok, c.computable) << c.name << " (" << c.points << " points)";
        if (!ok)
            continue;
        ASSERT_EQ(record.size(), c.record.size()) << c.name;
        for (size_t i = 0; i < record.size(); ++i)
            EXPECT_EQ(record[i], c.record[i]) << c.name << " (" << c.points << " points) record index " << i;
    }
}

TEST(GridCalibration, ExactNineGridMapsCornersAndCellsAsExpected)
{
    // Corner touches go to trunc(1024 x 0.01) = 10 and trunc(1024 x 0.99) = 1013; cell 1 maps its
    // corners to 20 and 1023, cell 2 its left corners to 0 and its right ones to 1003.
    const GridCase& c = GridCases()[0];
    ASSERT_STREQ(c.name, "ExactGrid");
    Calibration9 r;
    ASSERT_TRUE(Compute9Point(WholeDesktop(9, 1), ToRaw(c.raw), false, r));
    IntPoint u[9];
    for (int k = 0; k < 9; ++k)
        ASSERT_TRUE(ApplyMap(r.record.corner, c.raw[k], 8192, u[k]));
    EXPECT_EQ(u[0].x, 10);
    EXPECT_EQ(u[0].y, 10);
    EXPECT_EQ(u[8].x, 1013);
    EXPECT_EQ(u[8].y, 1013);
    EXPECT_NEAR(u[4].x, 512, 1);
    EXPECT_NEAR(u[4].y, 512, 1);
    IntPoint p;
    ASSERT_TRUE(ApplyMap(r.record.cells[0], u[0], 8192, p));
    EXPECT_EQ(p.x, 20);
    ASSERT_TRUE(ApplyMap(r.record.cells[0], u[4], 8192, p));
    EXPECT_EQ(p.x, 1023);
    EXPECT_EQ(p.y, 1023);
    ASSERT_TRUE(ApplyMap(r.record.cells[1], u[1], 8192, p));
    EXPECT_EQ(p.x, 0);
    ASSERT_TRUE(ApplyMap(r.record.cells[1], u[2], 8192, p));
    EXPECT_EQ(p.x, 1003);
    EXPECT_EQ(r.record.rotate, 0);
    EXPECT_EQ(r.record.bowFlag, 0);
}

TEST(GridCalibration, NineValuesInWriteOrderWithTheFlagAfterEachBowValue)
{
    const GridCase& c = GridCases()[5];
    ASSERT_STREQ(c.name, "BowedPanel");
    std::vector<int32_t> record;
    DwordValues values;
    ASSERT_TRUE(RunCase(c, record, values));
    std::vector<std::wstring> names = {L"Mid9X", L"Mid9Y"};
    for (wchar_t l = L'a'; l <= L'h'; ++l)
        names.push_back(std::wstring(L"Cal4") + l);
    for (const wchar_t* b : {L"Cal_axP", L"Cal_ayP", L"Cal_bxP", L"Cal_byP", L"Cal_cxP", L"Cal_cyP", L"CAL_x4plx6P",
                             L"CAL_x4mix6P", L"CAL_y8ply2P", L"CAL_y8miy2P"}) {
        names.push_back(b);
        names.push_back(L"Cal9CcFlag");
    }
    for (int cell = 1; cell <= 4; ++cell)
        for (wchar_t l = L'a'; l <= L'h'; ++l)
            names.push_back(std::wstring(L"Cal9") + l + std::to_wstring(cell));
    for (const wchar_t* n : {L"rotate", L"Max XPixels", L"Max YPixels", L"Segment Width", L"Segment Height"})
        names.push_back(n);
    ASSERT_EQ(values.size(), names.size());
    for (size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(values[i].name, names[i]) << "value " << i;

    // Values carry the record's numbers: Mid9X/Y are record 50/51, Cal4a.. 10.., Cal9a1.. 18..
    EXPECT_EQ(values[0].value, static_cast<DWORD>(record[50]));
    EXPECT_EQ(values[1].value, static_cast<DWORD>(record[51]));
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(values[2 + i].value, static_cast<DWORD>(record[10 + i]));
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(values[10 + 2 * i].value, static_cast<DWORD>(record[i])) << "bow value " << i;
        EXPECT_EQ(values[11 + 2 * i].value, 1u);
    }
    for (int i = 0; i < 32; ++i)
        EXPECT_EQ(values[30 + i].value, static_cast<DWORD>(record[18 + i])) << "cell value " << i;
    EXPECT_EQ(values[62].value, static_cast<DWORD>(record[55]));
    EXPECT_EQ(values[63].value, 1280u);
    EXPECT_EQ(values[64].value, 1024u);
}

TEST(GridCalibration, TwentyFiveValuesWriteTheFlagOnceAndNameSixteenCells)
{
    for (bool bow : {true, false}) {
        const GridCase* found = FindGridCase(bow ? "BowedPanel" : "Skewed", 25);
        ASSERT_NE(found, nullptr);
        std::vector<int32_t> record;
        DwordValues values;
        ASSERT_TRUE(RunCase(*found, record, values));
        ASSERT_EQ(values.size(), bow ? 158u : 148u);
        const wchar_t* head[] = {L"MidX", L"MidY", L"RightQ", L"LeftQ", L"UpQ", L"DownQ"};
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(values[i].name, head[i]);
            EXPECT_EQ(values[i].value, static_cast<DWORD>(record[146 + i])) << head[i];
        }
        const size_t flag = bow ? 24 : 14;
        EXPECT_EQ(values[flag].name, L"Cal25CcFlag");
        EXPECT_EQ(values[flag].value, bow ? 1u : 0u);
        EXPECT_EQ(values[flag + 1].name, L"Cal25a1");
        EXPECT_EQ(values[flag + 128].name, L"Cal25h16");
        EXPECT_EQ(values[flag + 128].value, static_cast<DWORD>(record[145]));
        EXPECT_EQ(values.back().name, L"Segment Height");
        EXPECT_EQ(record[154], bow ? 1 : 0);
    }
}

TEST(GridCalibration, SegmentSizeGoesToTheValuesAndDesktopSizeToTheRecord)
{
    const GridCase& c = GridCases()[0];
    CalibrationGeometry g;
    g.desktopRect = {0, 0, 1024, 768};
    g.layout = LayoutTargets({512, 0, 1024, 768}, 32, 32, 1, 9);
    g.targetWidth = g.targetHeight = 32;
    g.segmentIndex = 4;
    Calibration9 r;
    ASSERT_TRUE(Compute9Point(g, ToRaw(c.raw), false, r));
    EXPECT_EQ(r.record.maxXPixels, 1024);
    EXPECT_EQ(r.record.maxYPixels, 768);
    const size_t n = r.values.size();
    EXPECT_EQ(r.values[n - 2].value, 512u);
    EXPECT_EQ(r.values[n - 1].value, 768u);
}

TEST(BilinearFit, NonFiniteAndOutOfRangeValuesNeverBecomeIntegers)
{
    int32_t v = 7;
    EXPECT_FALSE(TruncToInt32(std::numeric_limits<double>::quiet_NaN(), v));
    EXPECT_FALSE(TruncToInt32(std::numeric_limits<double>::infinity(), v));
    EXPECT_FALSE(TruncToInt32(-std::numeric_limits<double>::infinity(), v));
    EXPECT_FALSE(TruncToInt32(2147483648.0, v));
    EXPECT_FALSE(TruncToInt32(-2147483649.0, v));
    EXPECT_EQ(v, 7);
    EXPECT_TRUE(TruncToInt32(-2.9, v));
    EXPECT_EQ(v, -2);
    EXPECT_TRUE(TruncToInt32(2147483647.5, v));
    EXPECT_EQ(v, 2147483647);
}

TEST(BilinearFit, ApplyingAMapToAWideRawPointDoesNotWrap)
{
    // u v C = 800000 x 900000 x 3000 is far beyond 32 bits; in 64 bits:
    // (800000 x 10 + 900000 x 20 + 5 + 2.16e15 / 128) / 8192 = 2059939697.
    const BilinearMap m = {10, 20, 3000, 5, 0, 0, 0, 0};
    IntPoint out;
    ASSERT_TRUE(ApplyMap(m, {800000, 900000}, 8192, out));
    EXPECT_EQ(out.x, 2059939697);
    EXPECT_EQ(out.y, 0);
    // Beyond 32 bits even after the division: no value at all.
    const BilinearMap big = {0, 0, 2000000000, 0, 0, 0, 0, 0};
    EXPECT_FALSE(ApplyMap(big, {2000000000, 2000000000}, 8192, out));
}
