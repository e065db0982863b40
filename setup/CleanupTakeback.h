#pragma once
// What an uninstall leaves for the next restart and logon would remove what a new install puts
// into the same folder: the removals waiting for the restart, and the logon cleanup named by the
// Run value "TivenMAVO". The install takes them back before it copies anything.
#include <string>

namespace setup {

class CInstallLog;

// Takes back the restart's removals of the setup's files and folders (the install folder with its
// subfolders and the files of every language, the system files) and, when "TivenMAVO" starts a
// cleanup of this install folder, that value with the folder of the cleanup's copy. A cleanup of
// another folder stays. What cannot be taken back is logged.
void TakeBackPendingCleanup(const std::wstring& installFolder, const std::wstring& windowsFolder, CInstallLog& log);

}  // namespace setup
