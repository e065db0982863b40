#include "InstallFiles.h"

#include <windows.h>

#include "InstallLog.h"
#include "ModuleName.h"
#include "SetupState.h"

namespace setup {

namespace {
std::wstring WithError(const std::wstring& text, DWORD error)
{
    return text + L" (error " + std::to_wstring(error) + L")";
}

// Copies to the partial name beside the target, then puts the whole copy in the target's place:
// a full disk or a cut-off copy never leaves part of a file under its real name, and a whole
// file of an earlier install stays when the new copy fails.
bool CopyWhole(const std::wstring& source, const std::wstring& target, CInstallLog& log)
{
    const std::wstring partial = PartialCopyName(target);
    if (!CopyFileW(source.c_str(), partial.c_str(), FALSE)) {
        const DWORD error = GetLastError();
        DeleteFileW(partial.c_str());
        log.Fail(WithError(L"Cannot copy " + source + L" to " + target, error));
        return false;
    }
    if (!MoveFileExW(partial.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        DeleteFileW(partial.c_str());
        log.Fail(WithError(L"Cannot put the copy of " + source + L" in place of " + target, error));
        return false;
    }
    return true;
}

InstalledTargets Copy(const std::wstring& setupFolder, const std::vector<InstallFile>& files, CInstallLog& log)
{
    InstalledTargets installed;
    for (const InstallFile& file : files) {
        if (CopyWhole(setupFolder + L"\\" + file.source, file.target, log))
            installed.push_back(file.target);
    }
    return installed;
}

// One level; an existing folder is fine.
void MakeFolder(const std::wstring& path, CInstallLog& log)
{
    if (!CreateDirectoryW(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        log.Fail(L"Cannot create the folder " + path + L" (error " + std::to_wstring(GetLastError()) + L")");
}
}  // namespace

std::wstring Trimmed(const std::wstring& text)
{
    const wchar_t* blanks = L" \t\r\n";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::wstring::npos)
        return std::wstring();
    size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

InstalledTargets CopyProgramFiles(const std::wstring& setupFolder, const std::wstring& installFolder,
                                  bool folderBrowsed, const std::wstring& languageWord, CInstallLog& log)
{
    if (!folderBrowsed)
        MakeFolder(kDefaultInstallParent, log);
    MakeFolder(installFolder, log);
    for (const wchar_t* sub : kInstallSubfolders)
        MakeFolder(installFolder + L"\\" + sub, log);
    return Copy(setupFolder, ProgramFiles(installFolder, languageWord), log);
}

std::wstring WindowsFolder()
{
    wchar_t windows[MAX_PATH + 1] = {};
    UINT n = GetWindowsDirectoryW(windows, MAX_PATH + 1);
    return n == 0 || n > MAX_PATH ? std::wstring() : std::wstring(windows);
}

InstalledTargets CopySystemFiles(const std::wstring& setupFolder, const std::wstring& languageWord, CInstallLog& log)
{
    const std::wstring windows = WindowsFolder();
    if (windows.empty()) {
        log.Fail(L"Cannot find the Windows folder");
        return {};
    }
    return Copy(setupFolder, SystemFiles(windows, languageWord), log);
}

bool WasInstalled(const InstalledTargets& installed, const std::wstring& target)
{
    for (const std::wstring& path : installed) {
        if (SameFileText(path, target))
            return true;
    }
    return false;
}

}  // namespace setup
