// Test equipment: stands in for a background program of the suite while the uninstaller stops
// it. Its part comes from its own file name, as the tests copy it over the installed program:
//   Segmenta.exe, Chimer.exe  a hidden top-level window of the class "SEGMENTA" or "CHIMER" that
//                             ends the program on WM_CLOSE (with "stay" on the command line it
//                             ignores WM_CLOSE, as a program that hangs would)
//   Beaconet.exe              the mutex "System Tray Application" and the event "TivenTrayIcons";
//                             at each signal it reads "System Tray Icons" from the product key and
//                             ends unless it is 1
// Any other name ends at once with exit code 2.
#include <windows.h>

#include <cwchar>
#include <string>

#include "NamedObjects.h"

namespace {
bool g_stay = false;

LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_CLOSE && g_stay)
        return 0;
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, msg, wp, lp);
}

int RunWindow(HINSTANCE instance, const wchar_t* className, const wchar_t* title)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = className;
    if (!RegisterClassW(&wc))
        return 3;
    if (!CreateWindowW(className, title, WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, instance, nullptr))
        return 4;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
    return 0;
}

bool TrayIconsOn()
{
    DWORD value = 0, bytes = sizeof value;
    return RegGetValueW(HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Services\\Tiven", L"System Tray Icons",
                        RRF_RT_REG_DWORD, nullptr, &value, &bytes) == ERROR_SUCCESS &&
           value == 1;
}

int RunTray()
{
    HANDLE mutex = CreateMutexW(nullptr, TRUE, kTrayMutex);
    if (!mutex || GetLastError() == ERROR_ALREADY_EXISTS)
        return 0;
    if (!TrayIconsOn())
        return 0;
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, kTrayIconsEvent);
    if (!event)
        return 5;
    while (WaitForSingleObject(event, INFINITE) == WAIT_OBJECT_0) {
        if (!TrayIconsOn())
            break;
        ResetEvent(event);
    }
    return 0;
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int)
{
    g_stay = commandLine && std::wcsstr(commandLine, L"stay") != nullptr;
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name = path;
    name = name.substr(name.find_last_of(L'\\') + 1);
    if (lstrcmpiW(name.c_str(), L"Segmenta.exe") == 0)
        return RunWindow(instance, L"SEGMENTA", L"Segmenta");
    if (lstrcmpiW(name.c_str(), L"Chimer.exe") == 0)
        return RunWindow(instance, L"CHIMER", L"Chimer");
    if (lstrcmpiW(name.c_str(), L"Beaconet.exe") == 0)
        return RunTray();
    return 2;
}
