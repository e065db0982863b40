// Where the pages sit in the sheet, their tab captions from labels (cut, never overrun, when a
// label is too long) and long device names in their device lists.
#include <algorithm>

#include "PagesTestBase.h"

using namespace pagestest;

class PageOrderTest : public PagesTest {
protected:
    // The positions of these captions among the tabs (-1 when missing).
    std::vector<int> Positions(const std::vector<std::wstring>& captions) const
    {
        const std::vector<std::wstring> tabs = TabCaptions();
        std::vector<int> positions;
        for (const std::wstring& caption : captions) {
            auto it = std::find(tabs.begin(), tabs.end(), caption);
            positions.push_back(it == tabs.end() ? -1 : static_cast<int>(it - tabs.begin()));
        }
        return positions;
    }
};

TEST_F(PageOrderTest, PagesFollowTheSheetOrderWithTheirTemplateCaptions)
{
    DeviceRow device = Serial(1, L"Front Panel");
    Install({device}, device.name);
    OPEN_SHEET(IDC_DEV_LIST);
    const std::vector<int> positions =
        Positions({L"Devices ", L"Advanced", L"Settings", L"Windows", L"Events", L"Calibration", L"Status "});
    EXPECT_EQ(positions.front(), 0) << ::testing::PrintToString(TabCaptions());
    EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()) &&
                std::find(positions.begin(), positions.end(), -1) == positions.end())
        << ::testing::PrintToString(TabCaptions());
    // Settings and Windows follow Advanced at once.
    EXPECT_EQ(positions[2], 2);
    EXPECT_EQ(positions[3], 3);
}

TEST_F(PageOrderTest, CaptionsComeFromLabelsAndALongOneIsCut)
{
    DeviceRow device = Serial(1, L"Front Panel");
    const std::wstring longCaption(300, L'W');
    Install({device}, device.name, 1,
            {{L"LSETTINGS_PAGE", L"Zeiten"}, {L"LWINDOWS_PAGE", longCaption}, {L"LEVENTS_PAGE", L"Ereignisse"},
             {L"LCALIBRATION_PAGE", L"Kalibrierung"}});
    OPEN_SHEET(IDC_DEV_LIST);
    const std::vector<std::wstring> tabs = TabCaptions();
    ASSERT_GE(tabs.size(), 6u);
    EXPECT_EQ(tabs[2], L"Zeiten");
    EXPECT_EQ(tabs[3], longCaption.substr(0, 259)) << "cut at 259 characters";
    EXPECT_NE(std::find(tabs.begin(), tabs.end(), L"Ereignisse"), tabs.end());
    EXPECT_NE(std::find(tabs.begin(), tabs.end(), L"Kalibrierung"), tabs.end());

    // The page behind the long caption works as any other.
    SendMessageW(sheet, PSM_SETCURSEL, 3, 0);
    page = CurrentPage(sheet);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(CurrentPageIndex(sheet), 3);
    EXPECT_NE(Control(IDC_WND_TIME_SLIDER), nullptr);
}

TEST_F(PageOrderTest, ALongDeviceNameIsListedWholeOnEveryDevicePage)
{
    DeviceRow device = Serial(1, std::wstring(400, L'N') + L" end");
    Install({device}, device.name);
    for (const wchar_t* caption : {L"Settings", L"Events", L"Calibration"}) {
        SCOPED_TRACE(::testing::PrintToString(std::wstring(caption)));
        SHOW_PAGE(caption);
        const int list = std::wstring(caption) == L"Settings" ? IDC_SET_DEVICE
                         : std::wstring(caption) == L"Events" ? IDC_EV_DEVICE
                                                              : IDC_CAL_DEVICE;
        EXPECT_EQ(ComboItems(list), std::vector<std::wstring>{device.name});
        EXPECT_EQ(ComboSelection(list), 0);
        EXPECT_TRUE(session->Close(IDCANCEL));
    }
}
