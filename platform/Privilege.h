#pragma once
// Turns on one privilege of the process token (SeBackupPrivilege, SeRestorePrivilege,
// SeShutdownPrivilege): OpenProcessToken, LookupPrivilegeValueW on the local system and
// AdjustTokenPrivileges with that one privilege enabled, leaving the others as they are. The
// privilege stays enabled for the rest of the process.
#include <windows.h>

// True only when the token now holds the privilege enabled: AdjustTokenPrivileges succeeds
// without assigning a privilege the token does not hold (ERROR_NOT_ALL_ASSIGNED), so that is
// checked too.
bool EnablePrivilege(const wchar_t* name);
