// Message boxes read from another thread: their caption and text are read once the box's thread
// answers, also when that thread had not read its queue for longer than five seconds before it
// showed the box (the system then counts it as hung until it does).
#include <gtest/gtest.h>

#include <windows.h>

#include <thread>

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
}  // namespace

TEST(MessageBoxTexts, AreReadFromABoxWhoseThreadWasBusyForLong)
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
