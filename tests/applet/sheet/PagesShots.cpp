// Not a check: shows every page of the sheet in turn for screenshots (take-shots.sh runs it and
// lists the views); each view is named by the tab's position and caption ("03-windows").
#include <cwctype>

#include "SheetTest.h"
#include "TestWindows.h"
#include "Shots.h"

using namespace applettest;
using namespace testsupport;

class PagesShots : public SheetTest {};

TEST_F(PagesShots, DISABLED_EveryPage)
{
    ASSERT_FALSE(ShotDir().empty()) << "TIVEN_SHOT_DIR is not set";
    DeviceRow front = Distinct(Serial(1, L"Front Panel"));
    front.segment = 0;
    DeviceRow desk = Usb(2, L"Conference Room Left Wall Touch Panel 01");
    Install({front, desk}, front.name, 1);
    OPEN_SHEET(IDC_DEV_LIST);

    const std::vector<std::wstring> tabs = TabCaptions(sheet);
    for (size_t i = 0; i < tabs.size(); ++i) {
        SendMessageW(sheet, PSM_SETCURSEL, static_cast<WPARAM>(i), 0);
        // Lets the sheet's thread finish switching before the page is repainted and taken.
        SendMessageW(sheet, WM_NULL, 0, 0);
        std::wstring name = (i < 10 ? L"0" : L"") + std::to_wstring(i) + L"-";
        for (wchar_t c : tabs[i])
            if (iswalnum(c))
                name += static_cast<wchar_t>(towlower(c));
        ASSERT_TRUE(Shoot(name, {sheet})) << "no picture taken of tab " << i;
    }
    EXPECT_TRUE(session->Close(IDCANCEL));
}
