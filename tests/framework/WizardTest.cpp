// A property sheet in wizard mode, driven through its buttons on a thread of its own: the
// pages' Back, Next and Finish answers (stay, neighbour, a page by its template, keep open),
// the wizard buttons each page asks for (through the sheet or itself), and the sheet's hook,
// which sees the sheet's commands while the wizard runs and is gone with the window.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <atomic>

#include "FrameworkTestResource.h"
#include "PropertyPage.h"
#include "PropertySheet.h"
#include "SheetThread.h"
#include "TestProcess.h"

using namespace frameworktest;
using testsupport::WaitUntil;

namespace {
constexpr int kProbeCommand = 777;

class CTestSheet : public CPropertySheet {
public:
    CTestSheet() : CPropertySheet(L"Test Wizard") {}
    bool OnCommand(int id, int code, HWND control) override
    {
        if (id == kProbeCommand) {
            ++probes;
            return true;
        }
        return CPropertySheet::OnCommand(id, code, control);
    }
    std::atomic<int> probes{0};
};

// Who a page asks for its wizard buttons.
enum class Asks { Sheet, Page };

class CWizardPage : public CPropertyPage {
public:
    CWizardPage(UINT templateId, CPropertySheet& sheet, DWORD buttons, Asks asks = Asks::Sheet)
        : CPropertyPage(templateId), sheet_(sheet), buttons_(buttons), asks_(asks)
    {
    }
    bool OnSetActive() override
    {
        if (asks_ == Asks::Sheet)
            sheet_.SetWizardButtons(buttons_);
        else
            SetWizardButtons(buttons_);
        ++activations;
        return CPropertyPage::OnSetActive();
    }
    LRESULT OnWizardBack() override
    {
        ++backs;
        return backAnswer;
    }
    LRESULT OnWizardNext() override
    {
        ++nexts;
        return nextAnswer;
    }
    bool OnWizardFinish() override
    {
        ++finishes;
        return finishAnswer;
    }

    std::atomic<int> activations{0}, backs{0}, nexts{0}, finishes{0};
    std::atomic<LRESULT> backAnswer{0}, nextAnswer{0};
    std::atomic<bool> finishAnswer{true};

private:
    CPropertySheet& sheet_;
    DWORD buttons_;
    Asks asks_;
};

void Press(HWND sheet, int button) { PostMessageW(sheet, PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0); }
}  // namespace

TEST(Wizard, PagesSteerBackNextAndFinish)
{
    CTestSheet sheet;
    sheet.SetWizardMode();
    ASSERT_TRUE(sheet.IsWizard());
    CWizardPage first(IDD_PAGE_FIRST, sheet, PSWIZB_NEXT);
    CWizardPage second(IDD_PAGE_SECOND, sheet, PSWIZB_BACK | PSWIZB_NEXT);
    CWizardPage third(IDD_PAGE_THIRD, sheet, PSWIZB_BACK | PSWIZB_FINISH, Asks::Page);
    for (CPropertyPage* page : {&first, &second, &third})
        sheet.AddPage(page);

    SheetThread run(sheet);
    ASSERT_TRUE(WaitUntil([&] { return first.activations == 1; }));
    HWND window = first.GetSheetWindow();
    run.window = window;
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return !Enabled(window, kBackButton) && Enabled(window, kNextButton); }))
        << "the first page offers Next only";

    // -1 keeps the page.
    first.nextAnswer = -1;
    Press(window, PSBTN_NEXT);
    ASSERT_TRUE(WaitUntil([&] { return first.nexts == 1; }));
    EXPECT_EQ(CurrentPage(window), first.m_hWnd);
    EXPECT_EQ(second.activations.load(), 0);

    // A template id goes straight to that page.
    first.nextAnswer = IDD_PAGE_THIRD;
    Press(window, PSBTN_NEXT);
    ASSERT_TRUE(WaitUntil([&] { return third.activations == 1; }));
    EXPECT_EQ(second.activations.load(), 0) << "the second page is skipped";
    EXPECT_EQ(CurrentPage(window), third.m_hWnd);
    EXPECT_TRUE(WaitUntil([&] {
        return Enabled(window, kBackButton) && IsWindowVisible(GetDlgItem(window, kFinishButton)) &&
               Enabled(window, kFinishButton);
    })) << "the last page offers Back and Finish";

    third.backAnswer = IDD_PAGE_FIRST;
    Press(window, PSBTN_BACK);
    ASSERT_TRUE(WaitUntil([&] { return first.activations == 2; }));
    EXPECT_EQ(third.backs.load(), 1);

    // 0 goes on to the neighbouring page.
    first.nextAnswer = 0;
    Press(window, PSBTN_NEXT);
    ASSERT_TRUE(WaitUntil([&] { return second.activations == 1; }));
    Press(window, PSBTN_NEXT);
    ASSERT_TRUE(WaitUntil([&] { return third.activations == 2; }));

    // The sheet's hook sees its commands while the wizard runs.
    SendMessageW(window, WM_COMMAND, MAKEWPARAM(kProbeCommand, BN_CLICKED), 0);
    EXPECT_EQ(sheet.probes.load(), 1);

    // Finish refused keeps the wizard open; accepted, it ends.
    third.finishAnswer = false;
    Press(window, PSBTN_FINISH);
    ASSERT_TRUE(WaitUntil([&] { return third.finishes == 1; }));
    EXPECT_EQ(CurrentPage(window), third.m_hWnd);
    EXPECT_FALSE(run.Done());
    third.finishAnswer = true;
    Press(window, PSBTN_FINISH);
    ASSERT_TRUE(run.Done(testsupport::kDefaultDeadlineMs)) << "Finish did not end the wizard";
    EXPECT_EQ(third.finishes.load(), 2);
    EXPECT_GT(run.result.load(), 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(sheet.m_hWnd, nullptr) << "the hook let go of the sheet with its window";
    EXPECT_FALSE(sheet.IsSubclassed());
}
