#include "AppletSession.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <cpl.h>

#include "TestPaths.h"
#include "resource.h"

using namespace testsupport;

namespace applettest {

namespace {
// A search of the visible dialogs of one process for the first that `matches` accepts.
template <typename Match>
struct DialogSearch {
    DWORD pid;
    Match matches;
    HWND found;
};

template <typename Match>
BOOL CALLBACK FindDialogProc(HWND window, LPARAM lp)
{
    auto* search = reinterpret_cast<DialogSearch<Match>*>(lp);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->pid || !IsWindowVisible(window) || ClassNameOf(window) != L"#32770" ||
        !search->matches(window))
        return TRUE;
    search->found = window;
    return FALSE;
}

template <typename Match>
HWND FindDialog(DWORD pid, Match matches)
{
    DialogSearch<Match> search{pid, matches, nullptr};
    EnumWindows(FindDialogProc<Match>, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
}  // namespace

AppletSession::AppletSession()
{
    module_ = LoadLibraryW(BinPath(L"Tunora.cpl").c_str());
    if (module_)
        entry_ = reinterpret_cast<CplEntry>(reinterpret_cast<void*>(GetProcAddress(module_, "CPlApplet")));
    openerDone_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
}

AppletSession::~AppletSession()
{
    bool idle = true;
    if (opener_.joinable()) {
        if (WaitForSingleObject(openerDone_, 0) != WAIT_OBJECT_0) {
            HWND sheet = sheet_ ? sheet_ : FindSheet(GetCurrentProcessId());
            if (sheet)
                PostMessageW(sheet, WM_COMMAND, IDCANCEL, 0);
            idle = WaitClosed(nullptr);
        }
        if (idle)
            opener_.join();
        else
            opener_.detach();   // the applet is stuck in its sheet: leave it loaded rather than crash
    }
    if (module_ && idle) {
        entry_(nullptr, CPL_STOP, 0, 0);
        entry_(nullptr, CPL_EXIT, 0, 0);
        FreeLibrary(module_);
    }
    CloseHandle(openerDone_);
}

LONG AppletSession::Send(UINT msg, LPARAM param1, LPARAM param2) { return entry_(nullptr, msg, param1, param2); }

void AppletSession::OpenAsync(UINT msg)
{
    if (opener_.joinable())
        opener_.join();
    ResetEvent(openerDone_);
    sheet_ = nullptr;
    CplEntry entry = entry_;
    HANDLE done = openerDone_;
    opener_ = std::thread([this, entry, msg, done] {
        openResult_ = entry(nullptr, msg, 0, 0);
        SetEvent(done);
    });
}

HWND AppletSession::WaitSheet(DWORD deadlineMs)
{
    DWORD pid = GetCurrentProcessId();
    WaitUntil([&] { return (sheet_ = FindSheet(pid)) != nullptr; }, deadlineMs);
    return sheet_;
}

bool AppletSession::WaitClosed(LONG* result, DWORD deadlineMs)
{
    bool done = WaitUntil([&] { return WaitForSingleObject(openerDone_, 0) == WAIT_OBJECT_0; }, deadlineMs);
    if (done && result)
        *result = openResult_;
    return done;
}

bool AppletSession::Close(int button)
{
    if (sheet_)
        ClickControl(sheet_, button);
    bool closed = WaitClosed();
    if (closed && opener_.joinable())
        opener_.join();
    return closed;
}

HWND FindSheet(DWORD pid)
{
    return FindDialog(pid, [](HWND window) {
        HWND tab = GetDlgItem(window, kTabControlId);
        return tab && ClassNameOf(tab) == WC_TABCONTROLW;
    });
}

HWND FindDialogWithControl(int controlId, HWND other)
{
    return FindDialog(GetCurrentProcessId(),
                      [=](HWND window) { return window != other && GetDlgItem(window, controlId) != nullptr; });
}

HWND WaitDialogWith(int controlId, HWND other, DWORD deadlineMs)
{
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindDialogWithControl(controlId, other)) != nullptr; }, deadlineMs);
    return found;
}

MessageBoxInfo WaitMessageBox(DWORD deadlineMs) { return WaitForMessageBox(deadlineMs, GetCurrentProcessId()); }

void ExpectMessageBox(const char* file, int line, const std::wstring& caption, const std::wstring& text, int button,
                      DWORD deadlineMs)
{
    ::testing::ScopedTrace trace(file, line, "expected message box");
    MessageBoxInfo box = WaitMessageBox(deadlineMs);
    ASSERT_TRUE(box) << "no message box \"" << std::string(text.begin(), text.end()) << "\" came";
    EXPECT_EQ(box.caption, caption);
    EXPECT_EQ(box.text, text);
    EXPECT_TRUE(DismissMessageBox(box, button));
}

HWND CurrentPage(HWND sheet) { return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }

int CurrentPageIndex(HWND sheet)
{
    return static_cast<int>(SendMessageW(GetDlgItem(sheet, kTabControlId), TCM_GETCURSEL, 0, 0));
}

std::vector<std::wstring> TabCaptions(HWND sheet)
{
    std::vector<std::wstring> captions;
    HWND tab = GetDlgItem(sheet, kTabControlId);
    const int count = static_cast<int>(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[2048] = L"";   // room for captions longer than any the sheet should keep
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 2048;
        SendMessageW(tab, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        captions.push_back(item.pszText);   // the control may point it at its own copy instead
    }
    return captions;
}

HWND SelectPageWithControl(HWND sheet, int controlId)
{
    HWND page = CurrentPage(sheet);
    if (page && GetDlgItem(page, controlId))
        return page;
    int count = static_cast<int>(SendMessageW(GetDlgItem(sheet, kTabControlId), TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        SendMessageW(sheet, PSM_SETCURSEL, static_cast<WPARAM>(i), 0);
        page = CurrentPage(sheet);
        if (page && GetDlgItem(page, controlId))
            return page;
    }
    return nullptr;
}

void PressKey(HWND control, UINT virtualKey)
{
    SendMessageW(control, WM_KEYDOWN, virtualKey, 1);
    SendMessageW(control, WM_KEYUP, virtualKey, 0xC0000001);
}

bool ApplyEnabled(HWND sheet) { return IsWindowEnabled(GetDlgItem(sheet, IDC_SHEET_APPLY)) != FALSE; }

void ChooseComboItem(HWND page, int comboId, int index)
{
    HWND combo = GetDlgItem(page, comboId);
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void Click(HWND parent, int controlId) { ClickControlSync(parent, controlId); }

}  // namespace applettest
