#pragma once
// The suite-wide button-mode switch that the tray program and the mode selector share: the
// product-key value "Gesturo" (0 = every device uses its primary button mode, 1 = its secondary
// mode), the named events through which the two programs and the drivers tell one another that
// it changed (their names are in NamedObjects.h), and the requests that make every installed
// device follow it.
#include <windows.h>

class CRegistryKey;

namespace tray {

constexpr DWORD kPrimaryMode = 0;
constexpr DWORD kSecondaryMode = 1;

// A manual-reset event, not set, without security attributes (null when it cannot be created).
HANDLE CreateModeEvent(const wchar_t* name);
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
