#include "CleanupTakeback.h"

#include <windows.h>

#include <vector>

#include "CleanupFolders.h"
#include "FileIdentity.h"
#include "InstallLog.h"
#include "InstallManifest.h"
#include "KeyHandle.h"
#include "LogonEntries.h"
#include "PendingRemovals.h"
#include "RegistryKey.h"

namespace setup {

namespace {
// Every place the setup puts something, located once.
std::vector<PathLocation> SetupPlaces(const std::wstring& installFolder, const std::wstring& windowsFolder)
{
    std::vector<std::wstring> paths = {installFolder};
    for (const wchar_t* sub : kInstallSubfolders)
        paths.push_back(installFolder + L"\\" + sub);
    for (const std::wstring& target : InstalledProgramTargetsOfEveryLanguage(installFolder))
        paths.push_back(target);
    for (DWORD language = 0; language < kLanguageCount; ++language) {
        for (const InstalledFile& file : InstalledSystemFiles(windowsFolder, LanguageWord(language)))
            paths.push_back(file.target);
    }
    std::vector<PathLocation> places;
    for (const std::wstring& path : WithPartialCopies(paths))
        places.push_back(LocatePath(path));
    return places;
}

void TakeBackCleanupRunValue(const std::wstring& installFolder, CInstallLog& log)
{
    CRegistryKey registry;
    CKeyHandle run;
    if (registry.Open(kRunPath, run.Receive()) != ERROR_SUCCESS)
        return;
    registry.Attach(run.Get());
    std::wstring command;
    const LONG read = registry.ReadFullString(kCleanupRunValue, command);
    registry.Attach(nullptr);
    if (read != ERROR_SUCCESS)
        return;
    const CleanupCommandParts parts = SplitCleanupCommand(command);
    if (parts.folder.empty() || !SameLocation(parts.folder, installFolder))
        return;   // the cleanup of another folder
    const size_t slash = parts.program.find_last_of(L'\\');
    const std::wstring copyFolder = slash == std::wstring::npos ? std::wstring() : parts.program.substr(0, slash);
    if (!copyFolder.empty() && IsOwnCleanupFolder(copyFolder) && !RemoveCleanupFolder(copyFolder))
        log.Fail(L"Cannot remove the logon cleanup's copy in " + copyFolder);
    const LONG deleted = RegDeleteValueW(run.Get(), kCleanupRunValue);
    if (deleted != ERROR_SUCCESS && deleted != ERROR_FILE_NOT_FOUND)
        log.Fail(L"Cannot take back the logon cleanup \"" + command + L"\" (error " + std::to_wstring(deleted) + L")");
}
}  // namespace

void TakeBackPendingCleanup(const std::wstring& installFolder, const std::wstring& windowsFolder, CInstallLog& log)
{
    const std::vector<PathLocation> places = SetupPlaces(installFolder, windowsFolder);
    const bool taken = TakeBackPendingRemovals([&](const std::wstring& path) {
        const PathLocation location = LocatePath(path);
        for (const PathLocation& place : places) {
            if (SameLocation(location, place))
                return true;
        }
        return false;
    });
    if (!taken)
        log.Fail(L"Cannot take back the removals of the setup's files that wait for the next restart");
    TakeBackCleanupRunValue(installFolder, log);
}

}  // namespace setup
