// Where the pages sit in the sheet, their tab captions from labels and long device names in
// their device lists.
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
    // Every page in its place; pages still to come (Hardware) stand between these without
    // moving the first five.
    const std::vector<int> positions = Positions({L"Devices ", L"Advanced", L"Settings", L"Windows", L"General",
                                                  L"Events", L"Calibration", L"Status ", L"About"});
    EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()) &&
                std::find(positions.begin(), positions.end(), -1) == positions.end())
        << ::testing::PrintToString(TabCaptions());
    EXPECT_EQ(std::vector<int>(positions.begin(), positions.begin() + 7), (std::vector<int>{0, 1, 2, 3, 4, 5, 6}))
        << ::testing::PrintToString(TabCaptions());
    EXPECT_EQ(positions.back(), static_cast<int>(TabCaptions().size()) - 1) << "About comes last";
}

TEST_F(PageOrderTest, CaptionsComeFromLabels)
{
    DeviceRow device = Serial(1, L"Front Panel");
    Install({device}, device.name, 1,
            {{L"LSETTINGS_PAGE", L"Zeiten"}, {L"LWINDOWS_PAGE", L"Fenster"}, {L"LEVENTS_PAGE", L"Ereignisse"},
             {L"LCALIBRATION_PAGE", L"Kalibrierung"}});
    OPEN_SHEET(IDC_DEV_LIST);
    const std::vector<std::wstring> tabs = TabCaptions();
    ASSERT_GE(tabs.size(), 7u);
    EXPECT_EQ(tabs[2], L"Zeiten");
    EXPECT_EQ(tabs[3], L"Fenster");
    EXPECT_EQ(tabs[5], L"Ereignisse");
    EXPECT_EQ(tabs[6], L"Kalibrierung");
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
