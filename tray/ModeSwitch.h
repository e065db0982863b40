#pragma once
// The suite-wide button-mode switch that the tray program and the mode selector share: the
// product-key value "Gesturo" (0 = every device uses its primary button mode, 1 = its secondary
// mode), the named events through which the two programs and the drivers tell one another that
// it changed, and the requests that make every installed device follow it.
#include <windows.h>

class CRegistryKey;

namespace tray {

constexpr wchar_t kModeValue[] = L"Gesturo";     // the switch
constexpr wchar_t kHitOneValue[] = L"HitOne";    // 1 = the secondary mode holds for one touch
constexpr DWORD kPrimaryMode = 0;
constexpr DWORD kSecondaryMode = 1;

// Created by the tray program; the selector sets it after it changed the switch or HitOne, and
// that it can be opened tells the selector that the tray program runs.
constexpr wchar_t kTrayModeEvent[] = L"TrayGesturo";
// Created by the tray program and set by a driver when a one-touch secondary mode it asked for ends.
constexpr wchar_t kDriverModeEvent[] = L"TRAY_GESTURO";
// Created by the selector; set by the tray program after each change of the switch, and by a
// driver when a one-touch secondary mode the selector asked for ends.
constexpr wchar_t kDialogModeEvent[] = L"DialogGesturo";
// Created by the tray program; set by whoever changed "System Tray Icons".
constexpr wchar_t kTrayIconsEvent[] = L"TivenTrayIcons";

// A manual-reset event, not set, without security attributes (null when it cannot be created).
HANDLE CreateModeEvent(const wchar_t* name);
// Opens the event of another program, sets it and closes it again; false when it does not exist.
bool SetNamedEvent(const wchar_t* name);
// True when the event exists (its creator runs).
bool NamedEventExists(const wchar_t* name);

// "HitOne" as a request carries it: 1 stays 1, any other stored value counts as 0.
DWORD NormalisedHitOne(DWORD stored);

// Sends the switch to every device key, serial devices first, each driver's keys in enumeration
// order: mode 0 asks for the primary mode (IOCTL_USE_PRIMARY_MODE with 0), mode 1 for the
// secondary mode with the address of `eventVariable` and `hitOne`; any other mode sends nothing.
// Each device file is opened for its request and closed again; devices that are not connected
// are skipped. The Parameters keys are opened under `registry`'s root.
void SendModeToAllDevices(CRegistryKey& registry, DWORD mode, const HANDLE* eventVariable, DWORD hitOne);

}  // namespace tray
