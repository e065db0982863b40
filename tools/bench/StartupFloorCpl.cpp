// The start-up floor of the Control Panel applet (tools/bench-startup.sh): a Control Panel
// applet built like Tunora.cpl whose opening loads the label file the product key names ("XML
// File Path", as the applet's does) and shows the empty dialog until it is closed.
#include <windows.h>
#include <cpl.h>

#include <string>

#include "DeviceKeys.h"
#include "FloorParts.h"
#include "RegistryKey.h"
#include "ScopedAttach.h"
#include "WinApp.h"

namespace {
CWinApp theApp(L"StartupFloor");

void Open()
{
    std::wstring labels;
    CRegistryKey key;
    if (CScopedAttach product{key, kProductKeyPath})
        key.ReadString(L"XML File Path", labels, 1000);
    benchfloor::LoadLabels(labels);
    benchfloor::ShowEmptyDialog();
}
}  // namespace

extern "C" LONG CALLBACK CPlApplet(HWND, UINT msg, LPARAM, LPARAM lParam2)
{
    switch (msg) {
    case CPL_INIT:
        return 1;
    case CPL_GETCOUNT:
        return 1;
    case CPL_NEWINQUIRE: {
        auto* info = reinterpret_cast<NEWCPLINFOW*>(lParam2);
        if (info) {
            info->dwSize = sizeof *info;
            info->hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
            ::lstrcpynW(info->szName, L"Start-up floor", ARRAYSIZE(info->szName));
            info->szInfo[0] = L'\0';
            info->szHelpFile[0] = L'\0';
        }
        return 0;
    }
    case CPL_DBLCLK:
        Open();
        return 0;
    case CPL_STARTWPARMSW:
        Open();
        return 1;
    }
    return 0;
}
