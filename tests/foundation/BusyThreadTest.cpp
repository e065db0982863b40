// Windows of a thread that had not read its queue for longer than five seconds (the system then
// counts it as hung until it does), driven from another thread: a message box's caption and
// text are read once the box's thread answers, and a click sent to wait for its handling is
// handled, not dropped.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <thread>

#include "Handle.h"
#include "TestWindows.h"

using namespace testsupport;

namespace {
// Keeps the calling thread busy, without reading its queue, until another thread's sent message
// waits in it or the deadline passes; true when one came. A wait on the queue itself
// (MsgWaitForMultipleObjects) would end the thread's hung state, so the queue's status is polled.
bool StayBusyUntilSentTo(DWORD deadlineMs)
{
    const DWORD start = GetTickCount();
    while (!(HIWORD(GetQueueStatus(QS_SENDMESSAGE)) & QS_SENDMESSAGE)) {
        if (GetTickCount() - start > deadlineMs)
            return false;
        Sleep(1);
    }
    return true;
}

// Whether the box's thread still counted as hung when the texts were asked for.
std::atomic<bool> g_boxHungWhenAsked{false};

// Keeps the box's thread busy once the box is shown (visible, so the test finds it), until the
// test's request for its texts waits in the queue.
LRESULT CALLBACK HoldShownBox(int code, WPARAM wp, LPARAM lp)
{
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lp);
    if (code == HC_ACTION && call->message == WM_WINDOWPOSCHANGED &&
        (reinterpret_cast<const WINDOWPOS*>(call->lParam)->flags & SWP_SHOWWINDOW) &&
        ClassNameOf(call->hwnd) == L"#32770")
        g_boxHungWhenAsked = StayBusyUntilSentTo(kDefaultDeadlineMs) && IsHungAppWindow(call->hwnd);
    return CallNextHookEx(nullptr, code, wp, lp);
}

std::atomic<int> g_clicks{0};

LRESULT CALLBACK CountClicks(HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED)
        ++g_clicks;
    return DefWindowProcW(window, msg, wp, lp);
}
}  // namespace

TEST(BusyThread, MessageBoxTextsAreReadOnceItsThreadAnswers)
{
    g_boxHungWhenAsked = false;
    std::thread shower([] {
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);   // the thread's queue, read once
        Sleep(5500);
        HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROCRET, HoldShownBox, nullptr, GetCurrentThreadId());
        MessageBoxW(nullptr, L"Busy for long", L"Late box", MB_OK);
        UnhookWindowsHookEx(hook);
    });
    MessageBoxInfo box = WaitForMessageBox(kDefaultDeadlineMs, GetCurrentProcessId());
    EXPECT_TRUE(box);
    EXPECT_EQ(box.caption, L"Late box");
    EXPECT_EQ(box.text, L"Busy for long");
    EXPECT_TRUE(g_boxHungWhenAsked) << "the box's thread did not count as hung when its texts were asked for";
    if (box) {
        EXPECT_TRUE(DismissMessageBox(box, IDOK));
    }
    shower.join();
}

TEST(BusyThread, ASyncClickIsHandledOnceTheThreadReadsItsQueue)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = CountClicks;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TivenBusyClickParent";
    RegisterClassW(&wc);
    CHandle busyLong(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    CHandle done(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    std::atomic<HWND> parent{nullptr};
    std::atomic<bool> hungWhenClicked{false};
    g_clicks = 0;
    std::thread owner([&] {
        HWND window = CreateWindowW(wc.lpszClassName, L"", WS_POPUP, 0, 0, 100, 50, nullptr, nullptr, wc.hInstance,
                                    nullptr);
        CreateWindowW(L"BUTTON", L"Press", WS_CHILD | WS_VISIBLE, 0, 0, 80, 30, window,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(7)), wc.hInstance, nullptr);
        parent = window;
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
        Sleep(5500);
        SetEvent(busyLong.Get());
        hungWhenClicked = StayBusyUntilSentTo(kDefaultDeadlineMs) && IsHungAppWindow(window);
        // The queue's status was read while busy, so what waits in it is no longer new: without
        // MWMO_INPUTAVAILABLE the wait would not wake for the click already there.
        while (MsgWaitForMultipleObjectsEx(1, done.Slot(), kDefaultDeadlineMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE) ==
               WAIT_OBJECT_0 + 1)
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&msg);
        DestroyWindow(window);
    });
    EXPECT_EQ(WaitForSingleObject(busyLong.Get(), kDefaultDeadlineMs), static_cast<DWORD>(WAIT_OBJECT_0));
    ClickControlSync(parent, 7);
    EXPECT_EQ(g_clicks.load(), 1) << "the click was not handled before the call returned";
    SetEvent(done.Get());
    owner.join();
    EXPECT_TRUE(hungWhenClicked) << "the window's thread did not count as hung when the click was sent";
}
