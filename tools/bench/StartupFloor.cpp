// An empty program of each kind the suite's programs are, for the start-up benchmark
// (tools/bench-startup.sh). Built like the programs (the framework's entry point and
// application object, the core, the static runtime), it does only what a program of its kind
// must to be seen as started, so what a program needs beyond its floor is its own start-up work.
//   StartupFloor dialog [LABELS]      loads LABELS, shows the empty dialog
//   StartupFloor fullscreen [LABELS]  loads LABELS, shows a window over the whole screen
//   StartupFloor icon [LABELS]        loads LABELS, adds one notification icon (id 1) of a
//                                     hidden window
//   StartupFloorA hidden              (narrow entry) makes a hidden window, then sends one
//                                     request (IOCTL_DEVICE_STATE) to \\.\RILO1
//   StartupFloorA request             (narrow entry) the same request first, then the window
//                                     (as Chimer arms its devices before it makes its window)
//   StartupFloorA exit                (narrow entry) ends at once
// LABELS is a label file (the rest of the command line, as Aimwell takes its device name). The
// windows are of class "TivenStartupFloor"; each kind stays until it is ended.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "DriverProtocol.h"
#include "FloorParts.h"
#include "Handle.h"
#include "WinApp.h"
#include "WindowImpl.h"

namespace {
constexpr wchar_t kWindowClass[] = L"TivenStartupFloor";
constexpr UINT kIconId = 1;
constexpr UINT kIconMessage = WM_APP + 1;

// "MODE" or "MODE LABELS": the first word, and the rest of the line after its blanks.
void SplitCommandLine(const std::wstring& line, std::wstring& mode, std::wstring& rest)
{
    const size_t blank = line.find(L' ');
    mode = line.substr(0, blank);
    const size_t start = blank == std::wstring::npos ? blank : line.find_first_not_of(L' ', blank);
    rest = start == std::wstring::npos ? std::wstring() : line.substr(start);
}

class CFloorWindow : public CWindowImpl {
public:
    WindowClass GetWindowClass() const override
    {
        WindowClass c;
        c.name = kWindowClass;
        c.cursor = ::LoadCursorW(nullptr, IDC_ARROW);
        c.background = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        return c;
    }

    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override
    {
        if (msg == WM_DESTROY) {
            ::PostQuitMessage(0);
            result = 0;
            return true;
        }
        return CWindowImpl::OnMessage(msg, wp, lp, result);
    }
};

class CStartupFloorApp : public CWinApp {
public:
    bool InitInstance() override
    {
        std::wstring mode;
        std::wstring labels;
        SplitCommandLine(CommandLine(), mode, labels);
        if (mode == L"dialog") {
            benchfloor::LoadLabels(labels);
            benchfloor::ShowEmptyDialog();
            return false;
        }
        if (mode == L"fullscreen") {
            benchfloor::LoadLabels(labels);
            const RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
            return window_.Create(nullptr, screen, L"", WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST);
        }
        if (mode == L"icon") {
            benchfloor::LoadLabels(labels);
            return window_.Create(nullptr, RECT{0, 0, 0, 0}, L"", WS_POPUP) && AddIcon();
        }
        if (mode == L"hidden")
            return CreateHiddenWindow() && SendOneRequest();
        if (mode == L"request")
            return SendOneRequest() && CreateHiddenWindow();
        return false;   // "exit", or nothing known
    }

    int ExitInstance() override
    {
        if (iconAdded_) {
            NOTIFYICONDATAW data{};
            data.cbSize = NOTIFYICONDATAW_V2_SIZE;
            data.hWnd = window_.GetSafeHwnd();
            data.uID = kIconId;
            ::Shell_NotifyIconW(NIM_DELETE, &data);
        }
        return CWinApp::ExitInstance();
    }

private:
    bool AddIcon()
    {
        NOTIFYICONDATAW data{};
        data.cbSize = NOTIFYICONDATAW_V2_SIZE;
        data.hWnd = window_.GetSafeHwnd();
        data.uID = kIconId;
        data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        data.uCallbackMessage = kIconMessage;
        data.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
        ::lstrcpynW(data.szTip, L"Start-up floor", ARRAYSIZE(data.szTip));
        iconAdded_ = ::Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
        return iconAdded_;
    }

    bool CreateHiddenWindow()
    {
        return window_.Create(nullptr, CWindowImpl::DefaultRect(), L"", WS_OVERLAPPEDWINDOW);
    }

    static bool SendOneRequest()
    {
        CHandle device(::CreateFileA("\\\\.\\RILO1", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                     nullptr, OPEN_EXISTING, 0, nullptr));
        if (!device)
            return false;
        DeviceStateReply reply{};
        DWORD returned = 0;
        return ::DeviceIoControl(device.Get(), IOCTL_DEVICE_STATE, nullptr, 0, &reply, sizeof reply, &returned,
                                 nullptr) != FALSE;
    }

    CFloorWindow window_;
    bool iconAdded_ = false;
};

CStartupFloorApp theApp;
}  // namespace
