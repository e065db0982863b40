#pragma once
// A framework sheet run modally on a thread of its own, so the test thread drives it through
// its window, and readers of the sheet window's state.
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <thread>

#include "PropertySheet.h"

namespace frameworktest {

// The sheet's own buttons (common-control ids, not resources of the tests).
constexpr int kApplyButton = 0x3021;
constexpr int kBackButton = 0x3023;
constexpr int kNextButton = 0x3024;
constexpr int kFinishButton = 0x3025;

// Runs DoModal on its own thread; a sheet still open at the end is cancelled.
class SheetThread {
public:
    explicit SheetThread(CPropertySheet& sheet) : done_(CreateEventW(nullptr, TRUE, FALSE, nullptr))
    {
        thread_ = std::thread([this, &sheet] {
            result = sheet.DoModal();
            SetEvent(done_);
        });
    }
    ~SheetThread()
    {
        if (!Done() && window)
            PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
        thread_.join();
        CloseHandle(done_);
    }
    SheetThread(const SheetThread&) = delete;
    SheetThread& operator=(const SheetThread&) = delete;

    bool Done(DWORD waitMs = 0) const { return WaitForSingleObject(done_, waitMs) == WAIT_OBJECT_0; }

    HWND window = nullptr;
    std::atomic<INT_PTR> result{0};

private:
    HANDLE done_;
    std::thread thread_;
};

// The page the sheet shows; null once the sheet has finished (or its window is gone).
inline HWND CurrentPage(HWND sheet)
{
    return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

inline bool Enabled(HWND sheet, int id) { return IsWindowEnabled(GetDlgItem(sheet, id)) != FALSE; }

}  // namespace frameworktest
