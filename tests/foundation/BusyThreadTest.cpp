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
// Keeps the box's thread busy for a moment after the box has been shown, before its own loop
// reads the queue.
LRESULT CALLBACK HoldActivation(int code, WPARAM wp, LPARAM lp)
{
    if (code == HCBT_ACTIVATE && ClassNameOf(reinterpret_cast<HWND>(wp)) == L"#32770")
        Sleep(1000);
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
    std::thread shower([] {
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);   // the thread's queue, read once
        Sleep(5500);
        HHOOK hook = SetWindowsHookExW(WH_CBT, HoldActivation, nullptr, GetCurrentThreadId());
        MessageBoxW(nullptr, L"Busy for long", L"Late box", MB_OK);
        UnhookWindowsHookEx(hook);
    });
    MessageBoxInfo box = WaitForMessageBox(kDefaultDeadlineMs, GetCurrentProcessId());
    EXPECT_TRUE(box);
    EXPECT_EQ(box.caption, L"Late box");
    EXPECT_EQ(box.text, L"Busy for long");
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
        Sleep(1000);   // still busy when the click is sent
        while (MsgWaitForMultipleObjects(1, done.Slot(), FALSE, kDefaultDeadlineMs, QS_ALLINPUT) == WAIT_OBJECT_0 + 1)
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&msg);
        DestroyWindow(window);
    });
    EXPECT_EQ(WaitForSingleObject(busyLong.Get(), kDefaultDeadlineMs), static_cast<DWORD>(WAIT_OBJECT_0));
    ClickControlSync(parent, 7);
    EXPECT_EQ(g_clicks.load(), 1) << "the click was not handled before the call returned";
    SetEvent(done.Get());
    owner.join();
}
