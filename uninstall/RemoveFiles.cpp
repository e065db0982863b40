// Removing the installed files: now, or at the next restart what is still in use.
#include "UninstallSteps.h"

#include <shlobj.h>

#include "FileRemoval.h"
#include "InstallManifest.h"
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

void RemoveProgramFiles(const std::wstring& installFolder)
{
    // The uninstall folder first: the running uninstaller is removed at the restart, the folder
    // right after it. The pending removals are carried out in the order they were recorded, so
    // files always go before their folders.
    for (const wchar_t* sub : {L"uninstall", L"wave", L"help", L"xml"}) {
        const std::wstring folder = installFolder + L"\\" + sub;
        ForEachMatchingFile(folder + L"\\*.*", [](const std::wstring& path) { RemoveFileNowOrAtRestart(path); });
        RemoveFolderNowOrAtRestart(folder);
    }
    // The programs directly in the install folder; the language does not change their names.
    for (const InstalledFile& file : InstalledProgramFiles(installFolder, LanguageWord(0))) {
        if (FolderOf(file.target) == installFolder)
            RemoveFileNowOrAtRestart(file.target);
    }
    RemoveFolderNowOrAtRestart(installFolder);
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
