#pragma once
// Provisa, the suite's setup: checks that the machine part of the registry can be written,
// reads the command line, then runs the wizard or the unattended install, and offers a restart.
#include "WinApp.h"

class CProvisaApp : public CWinApp {
public:
    CProvisaApp();

    bool InitInstance() override;
    int ExitInstance() override { return exitCode_; }

private:
    int RunSilent();
    int RunWizard();

    int exitCode_ = 0;
};
