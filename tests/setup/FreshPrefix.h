#pragma once
// Helpers of the install tests, which run in a fresh prefix of their own (tools/wine-fresh-run):
// the system state a Windows machine has and a fresh prefix lacks, and readers of what the
// install left behind.
#include <windows.h>

#include <string>

#include "ScratchRegistry.h"
#include "TestPaths.h"

namespace setuptest {

inline constexpr wchar_t kInstallFolder[] = L"C:\\Program Files\\Tiven\\Tiven MAVO";
inline constexpr wchar_t kProductKey[] = L"SYSTEM\\CurrentControlSet\\Services\\Tiven";
inline constexpr wchar_t kWinlogonKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
inline constexpr wchar_t kSerialParameters[] = L"SYSTEM\\CurrentControlSet\\Services\\RILO\\Parameters";
inline constexpr wchar_t kUsbParameters[] = L"SYSTEM\\CurrentControlSet\\Services\\MEKA\\Parameters";

using testsupport::SystemFolder;
using testsupport::WindowsFolder;
// "<system folder>\userinit.exe,", the value Windows has.
std::wstring SystemUserinit();

// Winlogon "Userinit" as REG_SZ (omitted when `text` is null) and the Mouclass Parameters key.
void PrepareWindowsState(testsupport::ScratchRegistry& registry, const wchar_t* userinit);

bool FileExists(const std::wstring& path);
std::string FileBytes(const std::wstring& path);

struct LinkInfo {
    bool loaded = false;
    std::wstring target, arguments, workingDirectory, iconPath;
    int iconIndex = -1;
};
LinkInfo ReadLink(const std::wstring& path);
// A shell link at `path` that opens `target`, as any program makes one.
bool WriteLink(const std::wstring& path, const std::wstring& target);

struct ServiceInfo {
    bool exists = false;
    DWORD type = 0, start = 0, errorControl = 0;
    std::wstring binaryPath, displayName;
};
ServiceInfo ReadService(const wchar_t* name);
// Registers a service as an earlier install or an uninstall waiting for its restart leaves it.
bool RegisterService(const wchar_t* name, DWORD start, const wchar_t* path);

}  // namespace setuptest
