#pragma once
// Loads Tunora.cpl into the test process and opens it the way the Control Panel does, on a
// thread of its own, so the test thread can drive the sheet through messages. The applet reads
// the registry at load time, so create the ScratchRegistry (and its rows) before the session.
#include <windows.h>
#include <cpl.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "TabControlId.h"
#include "TestProcess.h"
#include "TestWindows.h"

namespace applettest {

using CplEntry = LONG(CALLBACK*)(HWND, UINT, LPARAM, LPARAM);

class AppletSession {
public:
    AppletSession();
    ~AppletSession();   // closes a sheet still open, then unloads the applet
    AppletSession(const AppletSession&) = delete;
    AppletSession& operator=(const AppletSession&) = delete;

    bool Loaded() const { return entry_ != nullptr; }
    // CPlApplet on the calling thread.
    LONG Send(UINT msg, LPARAM param1 = 0, LPARAM param2 = 0);
    // CPlApplet(msg) on the opening thread; it returns when the sheet has closed.
    void OpenAsync(UINT msg = CPL_DBLCLK);
    // The open sheet of this process, or null at the deadline.
    HWND WaitSheet(DWORD deadlineMs = testsupport::kDefaultDeadlineMs);
    // Waits until the opening thread has returned; its CPlApplet result goes to `result`.
    bool WaitClosed(LONG* result = nullptr, DWORD deadlineMs = testsupport::kDefaultDeadlineMs);
    // Presses a button of the sheet (IDOK or IDCANCEL) and waits until the opening returned.
    bool Close(int button = IDCANCEL);
    HWND Sheet() const { return sheet_; }

private:
    HMODULE module_ = nullptr;
    CplEntry entry_ = nullptr;
    std::thread opener_;
    HANDLE openerDone_ = nullptr;
    std::atomic<LONG> openResult_{-1};
    HWND sheet_ = nullptr;
};

// Sheet and page helpers; they work on windows of this or another process.
HWND FindSheet(DWORD pid);                 // a visible property sheet (it has the tab control)
HWND CurrentPage(HWND sheet);
// A visible dialog of this process, other than `other`, that has a control with this id (the
// dialogs and caption-less prompts a page opens), or null.
HWND FindDialogWithControl(int controlId, HWND other = nullptr);
// The same, waited for; null at the deadline.
HWND WaitDialogWith(int controlId, HWND other = nullptr, DWORD deadlineMs = testsupport::kDefaultDeadlineMs);
// The next message box of this process with its caption and text (empty at the deadline).
testsupport::MessageBoxInfo WaitMessageBox(DWORD deadlineMs = testsupport::kDefaultDeadlineMs);
// The next message box of this process: checks its caption and text, then presses `button`.
// Use through EXPECT_BOX, which reports the caller's line.
void ExpectMessageBox(const char* file, int line, const std::wstring& caption, const std::wstring& text,
                      int button = IDOK, DWORD deadlineMs = testsupport::kDefaultDeadlineMs);
int CurrentPageIndex(HWND sheet);
// The captions of the sheet's tabs, in order.
std::vector<std::wstring> TabCaptions(HWND sheet);
// Activates, by index, the first page that has a control with this id; its window or null.
HWND SelectPageWithControl(HWND sheet, int controlId);
void PressKey(HWND control, UINT virtualKey);   // WM_KEYDOWN and WM_KEYUP, sent
bool ApplyEnabled(HWND sheet);
// Selects an item of a combo box on the page and tells the page as the user's choice would.
void ChooseComboItem(HWND page, int comboId, int index);
// Clicks a check box or button of the page and waits until the click has been handled.
void Click(HWND parent, int controlId);

}  // namespace applettest

#define EXPECT_BOX(...) ::applettest::ExpectMessageBox(__FILE__, __LINE__, __VA_ARGS__)
