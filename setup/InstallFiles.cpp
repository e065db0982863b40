#include "InstallFiles.h"

#include <windows.h>

#include "InstallLog.h"
#include "SetupState.h"

namespace setup {

namespace {
void Copy(const std::wstring& setupFolder, const std::vector<InstallFile>& files, CInstallLog& log)
{
    for (const InstallFile& file : files) {
        std::wstring source = setupFolder + L"\\" + file.source;
        if (!CopyFileW(source.c_str(), file.target.c_str(), FALSE))
            log.Fail(L"Cannot copy " + source + L" to " + file.target + L" (error " +
                     std::to_wstring(GetLastError()) + L")");
    }
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

void CopyProgramFiles(const std::wstring& setupFolder, const std::wstring& installFolder, bool folderBrowsed,
                      const std::wstring& languageWord, CInstallLog& log)
{
    if (!folderBrowsed)
        MakeFolder(kDefaultInstallParent, log);
    MakeFolder(installFolder, log);
    for (const wchar_t* sub : kInstallSubfolders)
        MakeFolder(installFolder + L"\\" + sub, log);
    Copy(setupFolder, ProgramFiles(installFolder, languageWord), log);
}

void CopySystemFiles(const std::wstring& setupFolder, const std::wstring& languageWord, CInstallLog& log)
{
    wchar_t windows[MAX_PATH + 1] = {};
    UINT n = GetWindowsDirectoryW(windows, MAX_PATH + 1);
    if (n == 0 || n > MAX_PATH) {
        log.Fail(L"Cannot find the Windows folder");
        return;
    }
    Copy(setupFolder, SystemFiles(windows, languageWord), log);
}

}  // namespace setup
