#include <gtest/gtest.h>

#include "LabelKeys.h"
#include "LabelStore.h"
#include "MonitorRect.h"
#include "NameTable.h"
#include "SegmentMapper.h"

TEST(NameTables, BuiltInNamesAndCodes)
{
    CNameTable segments = MakeSegmentNames();
    CNameTable modes = MakeButtonModeNames();
    CNameTable types = MakeControllerTypeNames();
    ASSERT_EQ(16u, segments.Count());
    ASSERT_EQ(13u, modes.Count());
    ASSERT_EQ(2u, types.Count());
    struct Case { const CNameTable& table; size_t index; const wchar_t* name; const wchar_t* key; } cases[] = {
        {segments, 0, L"Whole Desktop", L"WHOLE_DESKTOP"}, {segments, 2, L"Secondary Monitor", L"SECONDARY_MONITOR"},
        {segments, 15, L"Bottom Right", L"BOTTOM_RIGHT"}, {modes, 0, L"Touchdown Left", L"TOUCH_DOWN_LEFT"},
        {modes, 9, L"Time/Time Left", L"TIME_TIME_LEFT"}, {modes, 12, L"Time Double Click Left", L"TIME_DOUBLE_CLICK_LEFT"},
        {types, 0, L"Tiven,Zarn,Serial", L"TIVEN_SERIAL"}, {types, 1, L"Tiven USB", L"TIVEN_USB"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.name, c.table.Name(c.index)) << c.index;
        EXPECT_STREQ(c.key, c.table.LabelKeyAt(c.index)) << c.index;
    }
    EXPECT_EQ(L"", segments.Name(16));   // outside the table: no name, no overrun
    EXPECT_EQ(L"", modes.Name(static_cast<size_t>(-1)));
    EXPECT_EQ(5, modes.IndexOf(L"Tap Left"));
    EXPECT_EQ(-1, modes.IndexOf(L"tap left"));
}

TEST(NameTables, ALabelReplacesOnlyItsOwnEntry)
{
    CLabelStore labels;
    labels.Insert(L"TAP_LEFT", L"Antippen links");
    labels.Insert(L"LEFT_HALF", L"");   // an empty label keeps the built-in name
    CNameTable modes = MakeButtonModeNames();
    CNameTable segments = MakeSegmentNames();
    LoadButtonModeNames(modes, labels);
    LoadSegmentNames(segments, labels);
    CNameTable builtIn = MakeButtonModeNames();
    for (size_t i = 0; i < modes.Count(); ++i)
        EXPECT_EQ(i == 5 ? L"Antippen links" : builtIn.Name(i), modes.Name(i)) << i;
    EXPECT_EQ(L"Left Half", segments.Name(3));
}

TEST(NameTables, LabelKeyTables)
{
    EXPECT_STREQ(L"LOK", kLabelKeyTable[0]);
    EXPECT_STREQ(L"LDEV_SELECT_CONTROLLER_FROM_LIST", kLabelKeyTable[122]);
    EXPECT_STREQ(L"LERR_SELECT_ONE_CONTROLLER", kMessageKeyTable[0]);
    EXPECT_STREQ(L"LCONTROLLER_1SHEET", kMessageKeyTable[11]);
    EXPECT_STREQ(L"RECALIBRATE_NOW", MessageKey::RECALIBRATE_NOW);
}

TEST(SegmentMapper, CodesOfIndices)
{
    RECT right{1024, 0, 2048, 768};
    struct Case { int index; const RECT* secondary; DWORD code; } cases[] = {
        {0, nullptr, 0}, {1, nullptr, 1}, {2, nullptr, 19}, {2, &right, 4}, {3, nullptr, 6},
        {15, nullptr, 18}, {18, nullptr, 21}, {19, nullptr, 19}, {20, nullptr, 19}, {-1, nullptr, 19},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.code, SegmentCodeFor(c.index, c.secondary)) << c.index;
}

TEST(SegmentMapper, SecondaryMonitorPosition)
{
    struct Case { RECT r; DWORD code; } cases[] = {
        {{1024, 0, 2048, 768}, 4},      // right of the primary monitor
        {{0, 768, 1024, 1536}, 5},      // below
        {{-1024, 0, 0, 768}, 2},        // left
        {{0, -768, 1024, 0}, 3},        // above
        {{1024, 100, 2048, 868}, 19},   // diagonal
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.code, SecondaryMonitorSegmentCode(c.r)) << c.r.left << "," << c.r.top;
}

TEST(SegmentMapper, OneMonitorSystem)
{
    RECT primary{};
    ASSERT_TRUE(FindMonitorRect(kPrimaryMonitor, &primary));
    EXPECT_EQ(0, primary.left);
    EXPECT_EQ(0, primary.top);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), primary.right);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), primary.bottom);
    RECT secondary{};
    EXPECT_FALSE(FindMonitorRect(kSecondaryMonitor, &secondary));
    CSegmentMapper mapper;
    EXPECT_EQ(19u, mapper.GetSegmentId(2));
    EXPECT_EQ(18u, mapper.GetSegmentId(15));
}
