// Test and bench host for a Control Panel applet.
//   CplHost open CPL [dblclk|startw]  sends what the Control Panel sends (INIT, GETCOUNT, NEWINQUIRE,
//                                     the opening, STOP, EXIT); exit code = the opening's result
//   CplHost bench CPL                 opens the applet with CPL_DBLCLK, closes the sheet as soon as it
//                                     is visible and prints "load-ms open-ms" (DLL load, CPL_DBLCLK to
//                                     the sheet shown)
//   CplHost empty                     shows an empty dialog and ends as soon as it is visible (the
//                                     start-up baseline of a program built the same way)
//   CplHost select ID                 in the open sheet (of any process), activates the first page
//                                     that has a control with this id (for screenshots)
// With TIVEN_RECORD_ARGS set in the environment it only appends its command line to that file and
// ends: it then stands in for a program the applet starts.
#include <windows.h>
#include <commctrl.h>
#include <cpl.h>

#include <cstdio>
#include <string>

#include "TabControlId.h"

namespace {
using CplEntry = LONG(CALLBACK*)(HWND, UINT, LPARAM, LPARAM);

LARGE_INTEGER shownAt{};

double Ms(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(f.QuadPart);
}

BOOL CALLBACK FindShownDialog(HWND window, LPARAM lp)
{
    wchar_t cls[32] = L"";
    GetClassNameW(window, cls, 32);
    if (IsWindowVisible(window) && lstrcmpW(cls, L"#32770") == 0) {
        *reinterpret_cast<HWND*>(lp) = window;
        return FALSE;
    }
    return TRUE;
}

// Watches, from a thread of its own, for the first visible top-level dialog of the opening
// thread, notes when it appeared and ends it. A hook on the opening thread would see the
// moment exactly, but under Wine it makes every message the thread sends a server call, which
// slows the window it measures (the more the longer its lists); polling every millisecond costs
// the opening nothing and is late by at most that.
class ShowWatcher {
public:
    explicit ShowWatcher(DWORD threadId) : threadId_(threadId), stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr))
    {
        thread_ = CreateThread(nullptr, 0, Watch, this, 0, nullptr);
    }
    ~ShowWatcher()
    {
        SetEvent(stop_);
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
        CloseHandle(stop_);
    }

private:
    static DWORD WINAPI Watch(void* param)
    {
        auto* self = static_cast<ShowWatcher*>(param);
        while (WaitForSingleObject(self->stop_, 1) == WAIT_TIMEOUT) {
            HWND shown = nullptr;
            EnumThreadWindows(self->threadId_, FindShownDialog, reinterpret_cast<LPARAM>(&shown));
            if (shown) {
                QueryPerformanceCounter(&shownAt);
                PostMessageW(shown, WM_COMMAND, IDCANCEL, 0);
                break;
            }
        }
        return 0;
    }

    DWORD threadId_;
    HANDLE stop_;
    HANDLE thread_ = nullptr;
};

int RecordArgs(const wchar_t* file)
{
    HANDLE f = CreateFileW(file, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return 2;
    std::wstring line = std::wstring(GetCommandLineW()) + L"\n";
    DWORD written = 0;
    WriteFile(f, line.c_str(), static_cast<DWORD>(line.size() * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(f);
    return 0;
}

INT_PTR CALLBACK EmptyProc(HWND dlg, UINT msg, WPARAM wp, LPARAM)
{
    if (msg == WM_INITDIALOG)
        return TRUE;
    if (msg == WM_COMMAND && (LOWORD(wp) == IDCANCEL || LOWORD(wp) == IDOK)) {
        EndDialog(dlg, 0);
        return TRUE;
    }
    return FALSE;
}

BOOL CALLBACK FindSheetProc(HWND window, LPARAM lp)
{
    wchar_t cls[32] = L"";
    GetClassNameW(window, cls, 32);
    if (IsWindowVisible(window) && lstrcmpW(cls, L"#32770") == 0 && GetDlgItem(window, applettest::kTabControlId)) {
        *reinterpret_cast<HWND*>(lp) = window;
        return FALSE;
    }
    return TRUE;
}

int SelectPage(int controlId)
{
    HWND sheet = nullptr;
    EnumWindows(FindSheetProc, reinterpret_cast<LPARAM>(&sheet));
    if (!sheet)
        return 1;
    HWND tab = GetDlgItem(sheet, applettest::kTabControlId);
    int count = static_cast<int>(SendMessageW(tab, 0x1304 /* TCM_GETITEMCOUNT */, 0, 0));
    for (int i = 0; i < count; ++i) {
        SendMessageW(sheet, PSM_SETCURSEL, static_cast<WPARAM>(i), 0);
        HWND page = reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        if (page && GetDlgItem(page, controlId))
            return 0;
    }
    return 2;
}

int Empty()
{
    // A small in-memory template: a captioned, visible dialog without controls.
    struct alignas(4) {
        DLGTEMPLATE t;
        WORD menu, cls, title;
    } templ{};
    templ.t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME;
    templ.t.cx = 200;
    templ.t.cy = 100;
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    {
        ShowWatcher watcher(GetCurrentThreadId());
        DialogBoxIndirectParamW(GetModuleHandleW(nullptr), &templ.t, nullptr, EmptyProc, 0);
    }
    std::printf("0 %.1f\n", Ms(start, shownAt));
    return 0;
}
}  // namespace

int wmain(int argc, wchar_t** argv)
{
    wchar_t recordFile[MAX_PATH];
    if (GetEnvironmentVariableW(L"TIVEN_RECORD_ARGS", recordFile, MAX_PATH))
        return RecordArgs(recordFile);
    if (argc >= 2 && lstrcmpW(argv[1], L"empty") == 0)
        return Empty();
    if (argc >= 3 && lstrcmpW(argv[1], L"select") == 0)
        return SelectPage(_wtoi(argv[2]));
    if (argc < 3)
        return 64;

    const std::wstring mode = argv[1];
    LARGE_INTEGER beforeLoad, afterLoad;
    QueryPerformanceCounter(&beforeLoad);
    HMODULE module = LoadLibraryW(argv[2]);
    QueryPerformanceCounter(&afterLoad);
    if (!module)
        return 65;
    auto entry = reinterpret_cast<CplEntry>(reinterpret_cast<void*>(GetProcAddress(module, "CPlApplet")));
    if (!entry)
        return 66;

    entry(nullptr, CPL_INIT, 0, 0);
    entry(nullptr, CPL_GETCOUNT, 0, 0);
    NEWCPLINFOW info{};
    info.dwSize = sizeof info;
    entry(nullptr, CPL_NEWINQUIRE, 0, reinterpret_cast<LPARAM>(&info));

    LONG result = 0;
    if (mode == L"bench") {
        LARGE_INTEGER start;
        QueryPerformanceCounter(&start);
        {
            ShowWatcher watcher(GetCurrentThreadId());
            entry(nullptr, CPL_DBLCLK, 0, 0);
        }
        std::printf("%.1f %.1f\n", Ms(beforeLoad, afterLoad), shownAt.QuadPart ? Ms(start, shownAt) : -1.0);
    } else {
        bool startWithParams = argc >= 4 && lstrcmpW(argv[3], L"startw") == 0;
        result = entry(nullptr, startWithParams ? CPL_STARTWPARMSW : CPL_DBLCLK, 0, 0);
    }
    entry(nullptr, CPL_STOP, 0, 0);
    entry(nullptr, CPL_EXIT, 0, 0);
    FreeLibrary(module);
    return static_cast<int>(result);
}
