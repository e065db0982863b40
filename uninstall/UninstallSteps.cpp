#include "UninstallSteps.h"

#include <objbase.h>
#include <shlwapi.h>

#include <cwchar>

#include "CleanupFolders.h"
#include "DeviceKeys.h"
#include "FileIdentity.h"
#include "KeyHandle.h"
#include "LogonEntries.h"
#include "ModuleName.h"
#include "PathText.h"
#include "ProcessLauncher.h"
#include "ProductSchema.h"
#include "ProgramImage.h"
#include "RegistryKey.h"

namespace purge {

namespace {
constexpr DWORD kValueBytes = 1000;
constexpr wchar_t kSerialServicePath[] = L"SYSTEM\\CurrentControlSet\\Services\\RILO";


std::wstring WithoutTrailingBlanks(std::wstring text)
{
    while (!text.empty() && (text.back() == L' ' || text.back() == L'\t' || text.back() == L'\r' ||
                             text.back() == L'\n'))
        text.pop_back();
    return text;
}

}  // namespace

std::wstring OwnProgramPath() { return ModulePath(nullptr); }

void SetCleanupFolder(UninstallPlan& plan, const std::wstring& tempFolder)
{
    plan.cleanupFolder = tempFolder.empty() ? std::wstring(L"C:") : tempFolder;
}

std::wstring CleanupCommand(const std::wstring& program, const std::wstring& installFolder)
{
    return ProgramCommandLine(program, installFolder);
}

std::wstring CopyCleanupProgram(const std::wstring& source, const std::wstring& parent)
{
    // A program cut off by a full disk would fail at every logon: only a whole one is copied.
    if (!IsWholeProgramFile(source))
        return std::wstring();
    // A folder that already exists is never used, whoever made it: only one this call creates
    // is known to hold nothing planted. The names start at a random point.
    GUID random{};
    CoCreateGuid(&random);
    DWORD number = random.Data1 ^ GetTickCount() ^ (GetCurrentProcessId() << 16);
    for (int attempt = 0; attempt < 100; ++attempt, number = number * 1664525u + 1013904223u) {
        wchar_t name[16] = {};
        swprintf(name, 16, L"%08X", static_cast<unsigned>(number));
        const std::wstring folder = parent + L"\\" + kCleanupFolderStem + name;
        if (!CreateDirectoryW(folder.c_str(), nullptr)) {
            if (GetLastError() == ERROR_ALREADY_EXISTS)
                continue;
            return std::wstring();
        }
        const std::wstring copy = folder + L"\\Sweepo.exe";
        if (CopyFileW(source.c_str(), copy.c_str(), TRUE) && IsWholeProgramFile(copy))
            return copy;
        DeleteFileW(copy.c_str());   // a copy that failed halfway
        RemoveDirectoryW(folder.c_str());
        return std::wstring();
    }
    return std::wstring();
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
        if (ReadProductText(registry, ProductValueId::InstallFolder, folder))
            plan.installFolder = WithoutTrailingBlanks(folder);
        ReadProductText(registry, ProductValueId::ProductName, plan.startMenuName);
    }
    registry.Attach(nullptr);
    SetCleanupFolder(plan, temp);
    return plan;
}

bool IsOwnInstallFolder(const std::wstring& installFolder, const std::wstring& ownProgram)
{
    if (NormalisedFolder(installFolder).empty())
        return false;
    return SameLocation(installFolder + L"\\uninstall\\uninstall.exe", ownProgram);
}

std::wstring ResolvedFolder(const std::wstring& installFolder)
{
    const PathLocation location = LocatePath(installFolder);
    return location.found && location.missing.empty() ? location.existing.finalPath : std::wstring();
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

RegistryRemoval RemoveRegistryEntries(const UninstallPlan& plan)
{
    RegistryRemoval removal;
    CRegistryKey registry;

    // First the cleanup that finishes the removal at the next logon, so that whatever cuts this
    // run off later, the files go then. The cleanup runs from a copy of its own (the install
    // folder's goes at the restart) and is named in the Run value only once that copy is whole.
    // Copies of earlier runs that were cut off (one that nothing names, or one named by a value
    // this run replaces) go first.
    CKeyHandle run;
    if (registry.Open(kRunPath, run.Receive()) == ERROR_SUCCESS) {
        registry.Attach(run.Get());
        RemoveCleanupFoldersIn(plan.cleanupFolder);
        removal.cleanupProgram = CopyCleanupProgram(plan.installFolder + L"\\uninstall\\Sweepo.exe", plan.cleanupFolder);
        if (!removal.cleanupProgram.empty() &&
            !registry.WriteString(kCleanupRunValue, CleanupCommand(removal.cleanupProgram, plan.installFolder).c_str())) {
            // Never started, so never removed by itself: the copy and its folder go now.
            RemoveCleanupFolder(removal.cleanupProgram.substr(0, removal.cleanupProgram.rfind(L'\\')));
            removal.cleanupProgram.clear();
        }
        registry.Attach(nullptr);
    }

    // Winlogon keeps what others put there; only the suite's own entries go. The product key's
    // saved copy is never written back: anyone may write that key. The value is read at its
    // real size and written back with its own type.
    CKeyHandle winlogon;
    LONG opened = registry.Open(kWinlogonPath, winlogon.Receive());
    if (opened == ERROR_SUCCESS) {
        UserinitValue current;
        LONG read = ReadUserinit(winlogon.Get(), current);
        if (read == ERROR_SUCCESS) {
            std::optional<std::wstring> next = UserinitAfterUninstall(current.text, plan.installFolder, SystemUserinit());
            if (next && !WriteUserinit(winlogon.Get(), UserinitValue{*next, current.type}))
                removal.userinitDone = false;
        } else if (read != ERROR_FILE_NOT_FOUND && read != ERROR_DATATYPE_MISMATCH) {
            // No value, or one that is no text, starts nothing; one that cannot be read may.
            removal.userinitDone = false;
        }
    } else if (opened != ERROR_FILE_NOT_FOUND) {
        removal.userinitDone = false;
    }
    if (run) {
        for (const wchar_t* name : {kSoundRunValue, kSegmentRunValue, kTrayRunValue})
            RegDeleteValueW(run.Get(), name);
    }

    // The product key goes last, with the uninstall entry just before it: until then a run that
    // was cut off can be started again, and it finds its folder there.
    for (const wchar_t* path :
         {kSerialParametersPath, kUsbParametersPath, kSerialServicePath, kUninstallPath, kProductKeyPath})
        registry.DeleteKey(path);
    return removal;
}

}  // namespace purge
