#pragma once
// Waits for a state that another thread or process sets after the test's action has returned
// (a posted message, a worker thread, another program): each waits until the state holds or
// the deadline passes and returns a testing::AssertionResult, so the test still asserts the
// final state, e.g. EXPECT_TRUE(WaitEnabled(back, false)), and a failure is reported at the
// test's own line with what was seen at the deadline.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "TestProcess.h"

namespace testsupport {

// The window is enabled (or, with `enabled` false, disabled).
::testing::AssertionResult WaitEnabled(HWND window, bool enabled = true, DWORD deadlineMs = kDefaultDeadlineMs);
// The window is visible (or hidden).
::testing::AssertionResult WaitVisible(HWND window, bool visible = true, DWORD deadlineMs = kDefaultDeadlineMs);
// The window's text (WM_GETTEXT) is `text`.
::testing::AssertionResult WaitWindowText(HWND window, const std::wstring& text,
                                          DWORD deadlineMs = kDefaultDeadlineMs);

}  // namespace testsupport
