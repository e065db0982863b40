#pragma once
// Sweepo finishes an uninstall at the first logon after it: started once through the Run value
// "TivenMAVO" with the install folder as its command line, it deletes what was still in use
// during the uninstall, removes the emptied folders and its own Run value, and ends. It has no
// window and shows nothing. Its texts are in the system code page.
#include <string>

#include "WinApp.h"

class CSweepoApp : public CWinApp {
public:
    CSweepoApp();

    bool InitInstance() override;
    int ExitInstance() override { return 0; }
};

namespace sweep {
// The whole cleanup for the install folder (when it is empty, or one no install may use, only
// the Run value and "C:\Sweepo.exe" go). `ownProgram` is the running program's path: when the Run value started
// it, its own file is removed at the next restart, since a running program cannot delete itself.
void Cleanup(const std::string& installFolder, const std::string& ownProgram);
// The command line without blanks around it.
std::string Trimmed(const std::string& text);
}  // namespace sweep
