#pragma once
// The files the setup installs, in copy order, and the two copy steps. Sources are relative to
// the setup folder, which holds a folder "setup" with the subfolders exes, help, xml, wave,
// uninstall, cpl, sys and inf.
#include <string>
#include <vector>

namespace setup {

class CInstallLog;

struct InstallFile {
    std::wstring source;   // relative to the setup folder
    std::wstring target;   // full path
};

// Files 1 to 16: the programs, help, labels, sound and uninstaller, into `installFolder`.
std::vector<InstallFile> ProgramFiles(const std::wstring& installFolder, const std::wstring& languageWord);
// Files 17 to 21: the applet, its help and the drivers, into the Windows folder.
std::vector<InstallFile> SystemFiles(const std::wstring& windowsFolder, const std::wstring& languageWord);

// White space trimmed from both ends.
std::wstring Trimmed(const std::wstring& text);

// Creates the install folder and its subfolders (and, for the default folder, its parent), then
// copies the program files from `setupFolder`. Every copy overwrites its target.
void CopyProgramFiles(const std::wstring& setupFolder, const std::wstring& installFolder, bool folderBrowsed,
                      const std::wstring& languageWord, CInstallLog& log);
void CopySystemFiles(const std::wstring& setupFolder, const std::wstring& languageWord, CInstallLog& log);

}  // namespace setup
