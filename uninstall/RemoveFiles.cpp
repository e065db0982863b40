// Removing the installed files: now, or at the next restart what is still in use.
#include "UninstallSteps.h"

#include <shlobj.h>

#include <vector>

#include "FileRemoval.h"
#include "InstallFolderGuard.h"
#include "InstallManifest.h"
#include "ModuleName.h"
#include "PurgentApp.h"
#include "WinApp.h"

namespace purge {

namespace {
std::wstring WindowsFolder()
{
    wchar_t folder[MAX_PATH + 1] = {};
    UINT n = GetWindowsDirectoryW(folder, MAX_PATH + 1);
    return n == 0 || n > MAX_PATH ? std::wstring() : std::wstring(folder);
}

std::wstring FolderOf(const std::wstring& path)
{
    size_t slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}
}  // namespace

bool RemoveProgramFiles(const std::wstring& installFolder)
{
    if (IsUnsafeInstallFolder(installFolder))
        return false;
    const std::vector<InstalledFile> installed = InstalledProgramFiles(installFolder, LanguageWord(0));
    auto isIn = [](const InstalledFile& file, const std::wstring& folder) {
        return SameFileText(FolderOf(file.target), folder);
    };

    // The uninstall folder first, and of it only what the setup put there. The running
    // uninstaller and its label file stay until the restart, so that a second run before it
    // still shows its texts; the folder goes right after them. The system carries out pending
    // removals in the order they were recorded, so files always go before their folders.
    const std::wstring uninstall = installFolder + L"\\uninstall";
    const std::wstring ownFiles[] = {uninstall + L"\\uninstall.exe", uninstall + L"\\" + kLabelFileName};
    for (const std::wstring& own : ownFiles) {
        if (GetFileAttributesW(own.c_str()) != INVALID_FILE_ATTRIBUTES)
            RemoveAtRestart(own);
    }
    auto isOwn = [&](const std::wstring& path) {
        for (const std::wstring& own : ownFiles) {
            if (SameFileText(path, own))
                return true;
        }
        return false;
    };
    for (const InstalledFile& file : installed) {
        if (isIn(file, uninstall) && !isOwn(file.target))
            RemoveFileNowOrAtRestart(file.target);
    }
    RemoveFolderNowOrAtRestart(uninstall);

    // The folders of the help, label and sound files are emptied whole.
    for (const wchar_t* sub : {L"wave", L"help", L"xml"}) {
        const std::wstring folder = installFolder + L"\\" + sub;
        ForEachMatchingFile(folder + L"\\*.*", [](const std::wstring& path) { RemoveFileNowOrAtRestart(path); });
        RemoveFolderNowOrAtRestart(folder);
    }
    // The programs directly in the install folder; the language does not change their names.
    for (const InstalledFile& file : installed) {
        if (isIn(file, installFolder))
            RemoveFileNowOrAtRestart(file.target);
    }
    RemoveFolderNowOrAtRestart(installFolder);
    return true;
}

void RemoveSystemFiles()
{
    const std::wstring windows = WindowsFolder();
    if (windows.empty())
        return;
    for (const InstalledFile& file : InstalledSystemFiles(windows, LanguageWord(0)))
        RemoveFileNowOrAtRestart(file.target);
    // Made by the system from meka.inf when it installed the USB driver.
    RemoveFileNowOrAtRestart(windows + L"\\inf\\meka.pnf");
}

bool RemoveStartMenuFolder(const std::wstring& name)
{
    wchar_t programs[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, programs, CSIDL_COMMON_PROGRAMS, FALSE)) {
        AppMessageBox(L"Start Menu programs Failed..");
        return false;
    }
    if (!IsPlainFolderName(name))
        return true;
    const std::wstring folder = std::wstring(programs) + L"\\" + name;
    DeleteFolderFiles(folder);
    RemoveEmptyFolder(folder);
    return true;
}

}  // namespace purge
