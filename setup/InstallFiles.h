#pragma once
// The two copy steps of the install, over the table of installed files (InstallManifest.h).
#include <string>
#include <vector>

#include "InstallManifest.h"

namespace setup {

class CInstallLog;

using InstallFile = InstalledFile;

// Files 1 to 16: the programs, help, labels, sound and uninstaller, into `installFolder`.
inline std::vector<InstallFile> ProgramFiles(const std::wstring& installFolder, const std::wstring& languageWord)
{
    return InstalledProgramFiles(installFolder, languageWord);
}
// Files 17 to 21: the applet, its help and the drivers, into the Windows folder.
inline std::vector<InstallFile> SystemFiles(const std::wstring& windowsFolder, const std::wstring& languageWord)
{
    return InstalledSystemFiles(windowsFolder, languageWord);
}

// The Windows folder; empty when it cannot be read.
std::wstring WindowsFolder();

// White space trimmed from both ends.
std::wstring Trimmed(const std::wstring& text);

// The targets whose new copy is whole in its place.
using InstalledTargets = std::vector<std::wstring>;
bool WasInstalled(const InstalledTargets& installed, const std::wstring& target);

// Creates the install folder and its subfolders (and, for the default folder, its parent), then
// copies the program files from `setupFolder`. Every copy overwrites its target, and only once
// it is whole (PartialCopyName): a copy that fails leaves the target as it was.
InstalledTargets CopyProgramFiles(const std::wstring& setupFolder, const std::wstring& installFolder,
                                  bool folderBrowsed, const std::wstring& languageWord, CInstallLog& log);
InstalledTargets CopySystemFiles(const std::wstring& setupFolder, const std::wstring& languageWord, CInstallLog& log);

}  // namespace setup
