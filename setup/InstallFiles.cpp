#include "InstallFiles.h"

#include <windows.h>

#include "InstallLog.h"
#include "SetupState.h"

namespace setup {

namespace {
struct FileRow {
    const wchar_t* source;   // %L: the language word
    const wchar_t* target;   // below the install folder or the Windows folder; %L as above
};

constexpr FileRow kProgramFiles[] = {
    {L"setup\\exes\\RenkaCPL.exe", L"RenkaCPL.exe"},
    {L"setup\\exes\\Gesturo.exe", L"Gesturo.exe"},
    {L"setup\\exes\\Beaconet.exe", L"Beaconet.exe"},
    {L"setup\\exes\\Aimwell.exe", L"Aimwell.exe"},
    {L"setup\\exes\\Segmenta.exe", L"Segmenta.exe"},
    {L"setup\\exes\\Chimer.exe", L"Chimer.exe"},
    {L"setup\\help\\MAVOHelp%L.chm", L"help\\MAVOHelp%L.chm"},
    {L"setup\\xml\\Beaconet%LLabels.xml", L"XML\\Beaconet%LLabels.xml"},
    {L"setup\\xml\\Calib%LLabels.xml", L"XML\\Calib%LLabels.xml"},
    {L"setup\\xml\\MAVO%LLabels.xml", L"XML\\MAVO%LLabels.xml"},
    {L"setup\\xml\\GX%LLabels.xml", L"XML\\GX%LLabels.xml"},
    {L"setup\\wave\\default.wav", L"wave\\default.wav"},
    {L"setup\\uninstall\\uninstall.exe", L"uninstall\\uninstall.exe"},
    {L"setup\\uninstall\\Sweepo.exe", L"uninstall\\Sweepo.exe"},
    {L"setup\\uninstall\\UnInstallMAVO%L.xml", L"uninstall\\UnInstallMAVO.xml"},
    {L"setup\\uninstall\\devcon.exe", L"uninstall\\devcon.exe"},
};

constexpr FileRow kSystemFiles[] = {
    {L"setup\\cpl\\Tunora.cpl", L"system32\\Tunora.cpl"},
    {L"setup\\help\\MAVOHelp%L.chm", L"system32\\Tunora.chm"},
    {L"setup\\sys\\rilo.sys", L"system32\\drivers\\rilo.sys"},
    {L"setup\\sys\\meka.sys", L"system32\\drivers\\meka.sys"},
    {L"setup\\inf\\meka.inf", L"inf\\meka.inf"},
};

std::wstring WithLanguage(const wchar_t* pattern, const std::wstring& word)
{
    std::wstring text = pattern;
    size_t pos = text.find(L"%L");
    if (pos != std::wstring::npos)
        text.replace(pos, 2, word);
    return text;
}

template <size_t N>
std::vector<InstallFile> Expand(const FileRow (&rows)[N], const std::wstring& folder, const std::wstring& word)
{
    std::vector<InstallFile> files;
    for (const FileRow& row : rows)
        files.push_back({WithLanguage(row.source, word), folder + L"\\" + WithLanguage(row.target, word)});
    return files;
}

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

std::vector<InstallFile> ProgramFiles(const std::wstring& installFolder, const std::wstring& languageWord)
{
    return Expand(kProgramFiles, installFolder, languageWord);
}

std::vector<InstallFile> SystemFiles(const std::wstring& windowsFolder, const std::wstring& languageWord)
{
    return Expand(kSystemFiles, windowsFolder, languageWord);
}

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
    for (const wchar_t* sub : {L"\\wave", L"\\help", L"\\xml", L"\\uninstall"})
        MakeFolder(installFolder + sub, log);
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
