// What every device page of the sheet does alike, page by page: an edit marks the device and
// makes the sheet's Apply the page's default button (Enter applies), and while no controller is
// left a page refuses activation and the sheet goes back to its first page.
#include <windows.h>
#include <commctrl.h>

#include "SheetTest.h"
#include "TestWindows.h"

using namespace applettest;
using namespace testsupport;

class DevicePageTest : public SheetTest {
protected:
    // Removes the selected device on the Devices page, confirming the question.
    void RemoveSelected()
    {
        ClickControl(page, IDC_DEV_REMOVE);
        MessageBoxInfo box = WaitMessageBox();
        ASSERT_TRUE(box);
        ASSERT_TRUE(DismissMessageBox(box, IDYES));
    }
};

TEST_F(DevicePageTest, AnEditMakesApplyTheDefaultButtonAndApplyWritesIt)
{
    const struct {
        const char* page;
        int controlId;
    } cases[] = {{"Advanced", IDC_ADV_SAMPLE_RATE_SLIDER}, {"Devices", IDC_DEV_LIST}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.page);
        session.reset();   // each case loads the applet afresh
        Install({Serial(1, L"Front Panel"), Serial(2, L"Rear Panel")}, L"Front Panel");
        OPEN_SHEET(IDC_DEV_LIST);
        HWND edited = ShowPage(c.controlId);
        ASSERT_NE(edited, nullptr);
        EXPECT_NE(LOWORD(DefaultButton()), IDC_SHEET_APPLY);
        EXPECT_FALSE(ApplyEnabled(sheet));

        if (c.controlId == IDC_ADV_SAMPLE_RATE_SLIDER)
            PressKey(GetDlgItem(edited, IDC_ADV_SAMPLE_RATE_SLIDER), VK_RIGHT);
        else
            RemoveSelected();
        ASSERT_TRUE(WaitUntil([&] { return ApplyEnabled(sheet); }));
        EXPECT_EQ(DefaultButton(), MAKELRESULT(IDC_SHEET_APPLY, DC_HASDEFID));

        // Apply writes the group the edit marked.
        ASSERT_TRUE(ApplySync());
        if (c.controlId == IDC_ADV_SAMPLE_RATE_SLIDER)
            EXPECT_EQ(registry.Read(DeviceKeyPath(Serial(1, L"")), L"Sample Rate").AsDword(), 51u);
        else
            EXPECT_FALSE(registry.KeyExists(DeviceKeyPath(Serial(1, L""))));
        Close(IDOK);
    }
}

TEST_F(DevicePageTest, WhileNoControllerIsLeftEveryOtherPageSendsTheSheetBack)
{
    for (const wchar_t* caption : {L"Advanced", L"Settings", L"Windows", L"Events", L"Calibration", L"Status"}) {
        SCOPED_TRACE(::testing::PrintToString(std::wstring(caption)));
        session.reset();
        Install({Usb(1, L"Only One")}, L"Only One");
        OPEN_SHEET(IDC_DEV_LIST);
        const HWND devicesPage = page;
        RemoveSelected();
        ASSERT_TRUE(WaitUntil([&] { return Names(IDC_DEV_LIST).empty(); }));

        const int index = TabIndex(caption);
        ASSERT_GT(index, 0);
        SendMessageW(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
        // Let the sheet handle what the page posted.
        PostMessageW(sheet, WM_NULL, 0, 0);
        SendMessageW(sheet, WM_NULL, 0, 0);
        EXPECT_TRUE(WaitUntil([&] { return CurrentPage(sheet) == devicesPage && IsWindowVisible(devicesPage); }))
            << "the Devices page comes back";
        HWND refused = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_INDEXTOHWND, static_cast<WPARAM>(index), 0));
        EXPECT_FALSE(refused && IsWindowVisible(refused)) << "the page refused activation";
        Close(IDCANCEL);
    }
}
