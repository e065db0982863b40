#include "UninstallSteps.h"

#include <shlwapi.h>

#include "DeviceKeys.h"
#include "KeyHandle.h"
#include "LogonEntries.h"
#include "ModuleName.h"
#include "RegistryKey.h"

namespace purge {

namespace {
constexpr DWORD kValueBytes = 1000;
constexpr wchar_t kSerialServicePath[] = L"SYSTEM\\CurrentControlSet\\Services\\RILO";


// The full, long form of a path, so that two spellings of one file compare equal.
std::wstring Canonical(const std::wstring& path)
{
    wchar_t full[MAX_PATH * 2] = {};
    DWORD n = GetFullPathNameW(path.c_str(), MAX_PATH * 2, full, nullptr);
    if (n == 0 || n >= MAX_PATH * 2)
        return path;
    wchar_t longer[MAX_PATH * 2] = {};
    n = GetLongPathNameW(full, longer, MAX_PATH * 2);
    return n == 0 || n >= MAX_PATH * 2 ? std::wstring(full) : std::wstring(longer);
}

std::wstring WithoutTrailingBlanks(std::wstring text)
{
    while (!text.empty() && (text.back() == L' ' || text.back() == L'\t' || text.back() == L'\r' ||
                             text.back() == L'\n'))
        text.pop_back();
    return text;
}

}  // namespace

std::wstring OwnProgramPath() { return ModulePath(nullptr); }

void SetCleanup(UninstallPlan& plan, const std::wstring& tempFolder)
{
    plan.cleanupFolder = tempFolder.empty() ? std::wstring(L"C:") : tempFolder;
    plan.cleanupProgram = plan.cleanupFolder + L"\\Sweepo.exe";
    plan.cleanupCommand = plan.cleanupProgram + L" " + plan.installFolder;
}

UninstallPlan ReadPlan()
{
    UninstallPlan plan;
    CRegistryKey registry;
    std::wstring temp;
    CKeyHandle environment;
    if (registry.OpenForRead(kSessionEnvironmentPath, environment.Receive()) == ERROR_SUCCESS) {
        registry.Attach(environment.Get());
        std::wstring raw;
        if (registry.ReadString(L"TEMP", raw, kValueBytes)) {
            wchar_t expanded[MAX_PATH + 1] = {};
            DWORD n = ExpandEnvironmentStringsW(raw.c_str(), expanded, MAX_PATH + 1);
            if (n > 0 && n <= MAX_PATH + 1)
                temp = expanded;
        }
    }
    CKeyHandle product;
    if (registry.Open(kProductKeyPath, product.Receive()) == ERROR_SUCCESS) {
        registry.Attach(product.Get());
        std::wstring folder;
        if (registry.ReadString(L"Tiven Installed Path", folder, kValueBytes))
            plan.installFolder = WithoutTrailingBlanks(folder);
        registry.ReadString(L"RootKeyName", plan.startMenuName, kValueBytes);
    }
    registry.Attach(nullptr);
    SetCleanup(plan, temp);
    return plan;
}

bool IsOwnInstallFolder(const std::wstring& installFolder, const std::wstring& ownProgram)
{
    if (installFolder.empty() || PathIsRelativeW(installFolder.c_str()))
        return false;
    return SameFileText(Canonical(installFolder + L"\\uninstall\\uninstall.exe"), Canonical(ownProgram));
}

bool IsPlainFolderName(const std::wstring& name)
{
    return !name.empty() && name != L"." && name != L".." && name.find_first_of(L"\\/:") == std::wstring::npos;
}

std::optional<std::wstring> UserinitAfterUninstall(const std::optional<std::wstring>& current,
                                                   const std::wstring& installFolder,
                                                   const std::wstring& systemUserinit)
{
    if (!current)
        return std::nullopt;
    bool found = false;
    std::wstring rest = UserinitWithoutChimer(*current, installFolder, &found);
    if (!found)
        return std::nullopt;
    if (!UserinitStartsLogonProgram(rest))
        return systemUserinit;
    return rest;
}

void RemoveRegistryEntries(const UninstallPlan& plan)
{
    CRegistryKey registry;
    for (const wchar_t* path :
         {kProductKeyPath, kSerialParametersPath, kUsbParametersPath, kSerialServicePath, kUninstallPath})
        registry.DeleteKey(path);

    // Winlogon keeps what others put there; only the suite's own entries go. The product key's
    // saved copy is never written back: anyone may write that key.
    CKeyHandle winlogon;
    if (registry.Open(kWinlogonPath, winlogon.Receive()) == ERROR_SUCCESS) {
        registry.Attach(winlogon.Get());
        std::optional<std::wstring> current;
        std::wstring text;
        if (registry.ReadString(L"Userinit", text, kUserinitBufferBytes))
            current = text;
        std::optional<std::wstring> next = UserinitAfterUninstall(current, plan.installFolder, SystemUserinit());
        if (next)
            registry.WriteString(L"Userinit", next->c_str(), CRegistryKey::TextType::Plain);
    }

    CKeyHandle run;
    if (registry.Open(kRunPath, run.Receive()) == ERROR_SUCCESS) {
        registry.Attach(run.Get());
        // The install folder's copy goes with the folder before the next logon: the cleanup runs
        // from a copy of its own, and is named in the Run value only once that copy is there.
        const std::wstring installed = plan.installFolder + L"\\uninstall\\Sweepo.exe";
        if (CopyFileW(installed.c_str(), plan.cleanupProgram.c_str(), FALSE))
            registry.WriteString(kCleanupRunValue, plan.cleanupCommand.c_str());
        for (const wchar_t* name : {kSoundRunValue, kSegmentRunValue, kTrayRunValue})
            RegDeleteValueW(run.Get(), name);
    }
    registry.Attach(nullptr);
}

}  // namespace purge
