// CReportListCtrl on its own: finding and selecting rows by device name, shortened cell texts,
// column sizing, and how DrawItem highlights a selected row.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "AppletGlobals.h"
#include "ReportListCtrl.h"

namespace {
constexpr int kListId = 77;
constexpr int kWidth = 400;
constexpr int kHeight = 200;
const std::wstring kLongName = L"Conference Room Left Wall Touch Panel 01";
constexpr COLORREF kUntouched = RGB(1, 2, 3);

class ReportListCtrlTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&icc);
        parent = CreateWindowExW(0, L"STATIC", L"list host", WS_POPUP, 0, 0, kWidth + 20, kHeight + 20, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(parent, nullptr);
        ASSERT_TRUE(list.Create(0, RECT{0, 0, kWidth, kHeight}, parent, kListId));
        for (int i = 0; i < 3; ++i)
            list.InsertColumn(i, i == 0 ? L"#" : i == 1 ? L"Device" : L"Segment", LVCFMT_LEFT, 60);
    }
    void TearDown() override { DestroyWindow(parent); }

    void AddRows(std::initializer_list<std::wstring> names)
    {
        for (const std::wstring& name : names) {
            int row = list.InsertRow(list.GetItemCount(), std::to_wstring(list.GetItemCount() + 1));
            list.SetRowName(row, name);
            list.SetCellText(row, 2, L"Whole Desktop");
        }
    }

    HWND parent = nullptr;
    CReportListCtrl list;
};

TEST_F(ReportListCtrlTest, CreateMakesABorderedReportList)
{
    LONG_PTR style = GetWindowLongPtrW(list.m_hWnd, GWL_STYLE);
    EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_TRUE(style & WS_BORDER);
    EXPECT_TRUE(style & WS_CHILD);
    EXPECT_EQ(list.GetColumnCount(), 3);
    EXPECT_EQ(list.HighlightModeValue(), CReportListCtrl::HighlightRow);
}

TEST_F(ReportListCtrlTest, FindRowByNameComparesFullNamesExactly)
{
    EXPECT_EQ(list.FindRowByName(L"Alpha"), -1) << "empty list";
    AddRows({L"Alpha", L"Bravo", kLongName, L"alpha"});
    Applet().currentDeviceName = L"Bravo";
    struct Case {
        std::wstring name;
        int row;
    };
    const Case cases[] = {
        {L"Alpha", 0}, {L"alpha", 3}, {L"Bravo", 1}, {kLongName, 2},
        {kLongName.substr(0, 29), 0},   // a shortened name is not the device's name
        {list.GetItemText(2, 1), 0},    // nor is the text the row shows
        {L"Missing", 0},                // not listed: the first row
        {L"", 1},                       // the current device
    };
    for (const Case& c : cases)
        EXPECT_EQ(list.FindRowByName(c.name), c.row) << std::string(c.name.begin(), c.name.end());
}

TEST_F(ReportListCtrlTest, LongNamesAreShownShortenedAndKeptInFull)
{
    AddRows({L"Alpha", kLongName, L"Charlie"});
    std::wstring shown = list.GetItemText(1, 1);
    EXPECT_LE(shown.size(), CReportListCtrl::kMaxCellChars);
    EXPECT_EQ(shown.substr(shown.size() - 3), L"...");
    EXPECT_EQ(list.GetRowName(1), kLongName);

    // Rows keep their names when others are inserted before them or deleted.
    list.InsertRow(0, L"0");
    list.SetRowName(0, L"Zulu");
    list.DeleteItem(1);   // Alpha
    ASSERT_EQ(list.GetItemCount(), 3);
    EXPECT_EQ(list.GetRowName(0), L"Zulu");
    EXPECT_EQ(list.GetRowName(1), kLongName);
    EXPECT_EQ(list.GetRowName(2), L"Charlie");
    list.DeleteAllItems();
    list.InsertRow(0, L"1");
    EXPECT_EQ(list.GetRowName(0), L"") << "a new row has no name until it is given one";
}

TEST_F(ReportListCtrlTest, SelectRowSelectsOnlyExistingRowsWithoutTheFocus)
{
    list.SelectRow(0);
    EXPECT_EQ(list.GetSelectedRow(), -1) << "empty list";
    AddRows({L"Alpha", L"Bravo"});
    for (int row : {-1, 2, 5}) {
        list.SelectRow(row);
        EXPECT_EQ(list.GetSelectedRow(), -1) << row;
    }
    list.SelectRow(1);
    EXPECT_EQ(list.GetSelectedRow(), 1);
    EXPECT_EQ(list.GetItemState(1, LVIS_FOCUSED), 0u);
}

TEST_F(ReportListCtrlTest, AutoSizeColumnsFitsContentsAndHeadings)
{
    AddRows({L"A", L"Much Longer Device Name"});
    list.AutoSizeColumns();
    EXPECT_GE(list.GetColumnWidth(1), list.GetStringWidth(L"Much Longer Device Name") + 3);
    EXPECT_GE(list.GetColumnWidth(2), list.GetStringWidth(L"Whole Desktop") + 3);
    EXPECT_GE(list.GetColumnWidth(0), list.GetStringWidth(L"#") + 3);
    // The drawn text keeps a margin of two blanks on both sides and still needs no ellipsis.
    const int margins = 4 * list.GetStringWidth(L" ");
    EXPECT_GE(list.GetColumnWidth(1), list.GetStringWidth(L"Much Longer Device Name") + margins);
    EXPECT_GE(list.GetColumnWidth(2), list.GetStringWidth(L"Whole Desktop") + margins);
    int total = 0;
    for (int column = 0; column < list.GetColumnCount(); ++column)
        total += list.GetColumnWidth(column);
    EXPECT_LE(total, list.GetClientRect().right) << "contents that fit need no horizontal scrolling";
    list.SetColumnWidth(1, 10);
    list.AutoSizeColumns(2);
    EXPECT_EQ(list.GetColumnWidth(1), 10) << "only the asked column";
}

// Draws row 0 into a bitmap and reads pixels: at the far right of the client area (past every
// column) and inside the last column.
struct DrawCase {
    const char* name;
    int mode;
    bool selected;
    bool showSelectionAlways;
    COLORREF farRight;    // 0: the highlight colour, 1: the window colour, 2: untouched
    COLORREF lastColumn;  // the same codes
};

class ReportListDrawTest : public ReportListCtrlTest, public testing::WithParamInterface<DrawCase> {};

COLORREF Expected(int code)
{
    return code == 0 ? GetSysColor(COLOR_HIGHLIGHT) : code == 1 ? GetSysColor(COLOR_WINDOW) : kUntouched;
}

TEST_P(ReportListDrawTest, HighlightCoversWhatTheModeSays)
{
    const DrawCase c = GetParam();
    AddRows({L"Alpha", L"Bravo"});
    list.SetCellText(0, 2, L"");   // an empty cell is only filled, never drawn
    list.SetHighlightMode(c.mode);
    list.ModifyStyle(LVS_SHOWSELALWAYS, c.showSelectionAlways ? LVS_SHOWSELALWAYS : 0);
    if (c.selected)
        list.SelectRow(0);
    ASSERT_NE(GetFocus(), list.m_hWnd);

    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, kWidth, kHeight};
    HBRUSH untouched = CreateSolidBrush(kUntouched);
    FillRect(dc, &all, untouched);
    DeleteObject(untouched);

    RECT bounds{};
    ASSERT_TRUE(list.GetItemRect(0, bounds, LVIR_BOUNDS));
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_LISTVIEW;
    draw.CtlID = kListId;
    draw.itemID = 0;
    draw.itemAction = ODA_DRAWENTIRE;
    draw.hwndItem = list.m_hWnd;
    draw.hDC = dc;
    draw.rcItem = bounds;
    list.DrawItem(draw);

    const int y = (bounds.top + bounds.bottom) / 2;
    const int lastColumnX = bounds.left + 60 + 60 + 30;
    const int farRightX = list.GetClientRect().right - 2;
    ASSERT_GT(farRightX, bounds.left + 180) << "the columns must end before the client area does";
    EXPECT_EQ(GetPixel(dc, farRightX, y), Expected(static_cast<int>(c.farRight)));
    EXPECT_EQ(GetPixel(dc, lastColumnX, y), Expected(static_cast<int>(c.lastColumn)));

    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, ReportListDrawTest,
    testing::Values(DrawCase{"WholeRowWithoutFocus", CReportListCtrl::HighlightRow, true, true, 0, 0},
                    DrawCase{"NeedsFocusWithoutShowSelection", CReportListCtrl::HighlightRow, true, false, 1, 1},
                    DrawCase{"NotSelected", CReportListCtrl::HighlightRow, false, true, 1, 1},
                    DrawCase{"ColumnsOnly", CReportListCtrl::HighlightColumns, true, true, 2, 0},
                    DrawCase{"FirstLabelOnly", CReportListCtrl::HighlightLabel, true, true, 2, 1}),
    [](const testing::TestParamInfo<DrawCase>& info) { return std::string(info.param.name); });
}  // namespace
