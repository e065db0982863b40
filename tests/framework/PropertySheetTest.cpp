// A property sheet of two pages, driven through its buttons on a thread of its own: a page whose
// OnApply refuses keeps the sheet open on that page, with the change still pending, whether
// Apply or OK asked for the apply.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <atomic>

#include "FrameworkTestResource.h"
#include "PropertyPage.h"
#include "PropertySheet.h"
#include "SheetThread.h"
#include "TestProcess.h"
#include "TestWindows.h"

using namespace frameworktest;
using namespace testsupport;

namespace {
class CApplyPage : public CPropertyPage {
public:
    explicit CApplyPage(UINT templateId) : CPropertyPage(templateId) {}
    bool OnSetActive() override
    {
        ++activations;
        return CPropertyPage::OnSetActive();
    }
    bool OnApply() override
    {
        ++applies;
        return applyAnswer;
    }

    std::atomic<int> activations{0}, applies{0};
    std::atomic<bool> applyAnswer{true};
};

// Returns once the sheet's thread has finished handling what it was doing: a sent message is
// answered only when the thread asks for messages again.
void WaitHandled(HWND sheet)
{
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(sheet, WM_NULL, 0, 0, SMTO_NORMAL, kDefaultDeadlineMs, &ignored);
}
}  // namespace

TEST(Sheet, APageThatRefusesItsApplyKeepsTheSheetOpenOnIt)
{
    CPropertySheet sheet(L"Test Sheet");
    CApplyPage first(IDD_PAGE_FIRST);
    CApplyPage second(IDD_PAGE_SECOND);
    sheet.AddPage(&first);
    sheet.AddPage(&second);

    SheetThread run(sheet);
    ASSERT_TRUE(WaitUntil([&] { return first.activations == 1; }));
    HWND window = first.GetSheetWindow();
    run.window = window;
    ASSERT_NE(window, nullptr);

    // The second page exists once it has been shown; it has a change to apply.
    SendMessageW(window, PSM_SETCURSEL, 1, 0);
    ASSERT_EQ(second.activations.load(), 1);
    const HWND secondPage = second.m_hWnd;   // kept: the object lets go of it with the window
    ASSERT_NE(secondPage, nullptr);
    ASSERT_EQ(CurrentPage(window), secondPage);
    second.SetModified();
    ASSERT_TRUE(Enabled(window, kApplyButton));
    second.applyAnswer = false;

    for (int button : {kApplyButton, IDOK}) {
        SCOPED_TRACE(button == IDOK ? "OK" : "Apply");
        const int before = second.applies;
        ClickControl(window, button);
        ASSERT_TRUE(WaitUntil([&] { return second.applies == before + 1; })) << "the page was not asked to apply";
        WaitHandled(window);
        EXPECT_EQ(CurrentPage(window), secondPage) << "the sheet left the refusing page or ended";
        EXPECT_TRUE(IsWindowVisible(window));
        EXPECT_TRUE(Enabled(window, kApplyButton)) << "the refused apply was taken as done";
        EXPECT_FALSE(run.Done());
    }

    // Accepted, Apply is done with the change and OK ends the sheet.
    second.applyAnswer = true;
    ClickControl(window, kApplyButton);
    ASSERT_TRUE(WaitUntil([&] { return second.applies == 3; }));
    WaitHandled(window);
    EXPECT_FALSE(Enabled(window, kApplyButton));
    EXPECT_EQ(CurrentPage(window), secondPage);
    ClickControl(window, IDOK);
    ASSERT_TRUE(run.Done(kDefaultDeadlineMs)) << "OK did not end the sheet";
    EXPECT_EQ(second.applies.load(), 4);
    EXPECT_GT(run.result.load(), 0);
}
