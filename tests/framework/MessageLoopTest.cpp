// The framework's one message loop: messages are offered to the routed windows on their way
// (innermost first) before they are dispatched, a modeless dialog takes its dialog keys there,
// and a loop inside another hands WM_QUIT on to the outer one.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <vector>

#include "Dialog.h"
#include "FrameworkTestResource.h"
#include "MessageLoop.h"
#include "TestProcess.h"
#include "WindowImpl.h"

namespace {
constexpr UINT kForChild = WM_APP + 2;
constexpr UINT kForParent = WM_APP + 3;
constexpr UINT kForNobody = WM_APP + 4;

// Runs the loop until the condition holds or the deadline passes; a thread timer keeps the loop
// waking while nothing else arrives.
bool RunLoopUntil(const std::function<bool()>& condition, DWORD deadlineMs = testsupport::kDefaultDeadlineMs)
{
    const DWORD start = GetTickCount();
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, nullptr);
    CMessageLoop::RunUntil([&] { return condition() || GetTickCount() - start > deadlineMs; });
    KillTimer(nullptr, timer);
    return condition();
}

class CParentWindow : public CWindowImpl {
public:
    WindowClass GetWindowClass() const override
    {
        WindowClass c;
        c.name = L"TivenFrameworkTestParent";
        return c;
    }
    bool PreTranslateMessage(MSG* msg) override
    {
        offered.push_back(msg->message);
        return msg->message == kForParent;
    }
    std::vector<UINT> offered;
};

class CHookedChild : public CWnd {
public:
    bool PreTranslateMessage(MSG* msg) override
    {
        offered.push_back(msg->message);
        return msg->message == kForChild;
    }
    bool OnMessage(UINT msg, WPARAM, LPARAM, LRESULT&) override
    {
        if (msg >= WM_APP)
            dispatched.push_back(msg);
        return false;
    }
    std::vector<UINT> offered;
    std::vector<UINT> dispatched;
};
}  // namespace

TEST(MessageLoop, RoutedWindowsOnTheWaySeeEachMessageInnermostFirst)
{
    CParentWindow parent;
    ASSERT_TRUE(parent.Create(nullptr, {0, 0, 200, 100}, L"loop parent", WS_POPUP));
    HWND edit = parent.CreateChild(L"EDIT", L"", WS_VISIBLE, {5, 5, 150, 25}, 5);
    CHookedChild child;
    ASSERT_TRUE(child.SubclassWindow(edit));

    for (UINT msg : {kForChild, kForParent, kForNobody})
        ASSERT_TRUE(PostMessageW(edit, msg, 0, 0));
    ASSERT_TRUE(RunLoopUntil([&] { return !child.dispatched.empty(); }));

    EXPECT_EQ(child.offered, (std::vector<UINT>{kForChild, kForParent, kForNobody}));
    EXPECT_EQ(parent.offered, (std::vector<UINT>{kForParent, kForNobody})) << "the child consumed the first";
    EXPECT_EQ(child.dispatched, (std::vector<UINT>{kForNobody})) << "consumed messages are not dispatched";
}

TEST(MessageLoop, ModelessDialogTakesItsDialogKeysFromTheLoop)
{
    CDialog dialog(IDD_MODELESS);
    ASSERT_TRUE(dialog.Create());
    HWND first = dialog.GetDlgItem(IDC_FIRST_EDIT);
    HWND second = dialog.GetDlgItem(IDC_SECOND_EDIT);
    SetFocus(first);
    ASSERT_EQ(GetFocus(), first);
    // A single-line edit ignores Tab; only the dialog manager moves the focus on.
    PostMessageW(first, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_TRUE(RunLoopUntil([&] { return GetFocus() == second; })) << "Tab did not reach the dialog";
    EXPECT_TRUE(dialog.DestroyWindow());
}

TEST(MessageLoop, ALoopInsideAnotherHandsQuitOnToIt)
{
    EXPECT_TRUE(CMessageLoop::RunUntil([] { return true; }));
    PostQuitMessage(9);
    EXPECT_FALSE(CMessageLoop::RunUntil([] { return false; }));
    MSG msg{};
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit is posted again";
    EXPECT_EQ(msg.wParam, 9u);
}
