#pragma once
// Finding and driving windows of other processes (or of this one) from a test.
#include <windows.h>
#include <string>
#include <vector>

#include "TestProcess.h"

namespace testsupport {

// A top-level window by class and/or title (either may be empty = any); optionally only of one process.
HWND FindTopWindow(const std::wstring& className, const std::wstring& title, DWORD pid = 0);
HWND WaitForWindow(const std::wstring& className, const std::wstring& title, DWORD deadlineMs = kDefaultDeadlineMs,
                   DWORD pid = 0);
bool WaitWindowGone(HWND window, DWORD deadlineMs = kDefaultDeadlineMs);

// Makes a window of this thread the foreground window in place of `previous` (a window of another
// thread or process) and returns once that change has reached the X server and `previous`'s
// thread. Wine sends the X focus request only when this thread next talks to the server, and the
// other thread reads the focus loss only when it next looks for messages: either one, coming late,
// would take the foreground from a window brought to the front after this.
bool TakeForegroundFrom(HWND mine, HWND previous, DWORD deadlineMs = kDefaultDeadlineMs);

std::wstring WindowText(HWND window);                 // WM_GETTEXT, works across processes
std::wstring ControlText(HWND parent, int controlId);
std::wstring ClassNameOf(HWND window);
std::vector<HWND> ChildWindows(HWND parent);

// Posts BM_CLICK: returns at once, so a click that opens a modal dialog does not block the test.
void ClickControl(HWND parent, int controlId);
// Sends BM_CLICK and waits until the click has been handled.
void ClickControlSync(HWND parent, int controlId);

struct MessageBoxInfo {
    HWND window = nullptr;
    std::wstring caption;
    std::wstring text;
    explicit operator bool() const { return window != nullptr; }
};
// Waits for a message box (class #32770 with a static text 0xFFFF); optionally of one process.
// Its texts are read once the box's thread answers, even when it was busy for long before.
MessageBoxInfo WaitForMessageBox(DWORD deadlineMs = kDefaultDeadlineMs, DWORD pid = 0);
// Presses a button of the box (IDOK, IDYES, IDNO, ...) and waits until the box has gone.
bool DismissMessageBox(const MessageBoxInfo& box, int buttonId);

}  // namespace testsupport
