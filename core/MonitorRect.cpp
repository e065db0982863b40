#include "MonitorRect.h"

namespace {
using GetMonitorInfoFn = BOOL(WINAPI*)(HMONITOR, LPMONITORINFO);
using EnumDisplayMonitorsFn = BOOL(WINAPI*)(HDC, LPCRECT, MONITORENUMPROC, LPARAM);

// State of the one running lookup.
int wantedMonitor = 0;
bool monitorFound = false;
GetMonitorInfoFn getMonitorInfo = nullptr;

BOOL CALLBACK MonitorEnumProc(HMONITOR monitor, HDC, LPRECT, LPARAM data)
{
    auto* info = reinterpret_cast<MONITORINFOEXW*>(data);
    if (!getMonitorInfo(monitor, info))
        return TRUE;
    bool primary = info->dwFlags == MONITORINFOF_PRIMARY;
    if ((wantedMonitor == kPrimaryMonitor && primary) || (wantedMonitor == kSecondaryMonitor && !primary)) {
        monitorFound = true;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

bool FindMonitorRect(int which, RECT* rect)
{
    HMODULE user32 = LoadLibraryW(L"user32.dll");
    if (!user32)
        return false;
    monitorFound = false;
    wantedMonitor = which;
    getMonitorInfo = reinterpret_cast<GetMonitorInfoFn>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetMonitorInfoW")));
    auto enumDisplayMonitors = reinterpret_cast<EnumDisplayMonitorsFn>(
        reinterpret_cast<void*>(GetProcAddress(user32, "EnumDisplayMonitors")));
    if (!getMonitorInfo || !enumDisplayMonitors) {
        FreeLibrary(user32);
        return false;
    }
    MONITORINFOEXW info{};
    info.cbSize = sizeof info;
    enumDisplayMonitors(nullptr, nullptr, MonitorEnumProc, reinterpret_cast<LPARAM>(&info));
    if (rect)
        *rect = info.rcMonitor;
    getMonitorInfo = nullptr;
    FreeLibrary(user32);
    return monitorFound;
}
