#include "MachineRights.h"

#include <windows.h>

#include "Privilege.h"
#include "RegistryKey.h"

namespace {
constexpr wchar_t kProbePath[] = L"SYSTEM\\CurrentControlSet\\Services\\mavomavo";
}  // namespace

bool MayWriteMachineRegistry()
{
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kProbePath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, &disposition) !=
        ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    if (disposition == REG_CREATED_NEW_KEY) {
        CRegistryKey registry;
        registry.DeleteKey(kProbePath);
    }
    return true;
}

void RestartWindows()
{
    EnablePrivilege(SE_SHUTDOWN_NAME);
    ExitWindowsEx(EWX_REBOOT | EWX_FORCE, 0);
}
