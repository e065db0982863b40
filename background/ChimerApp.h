#pragma once
// Chimer, the touch sound program: started at every logon, it plays each touch device's sound
// on every touch until its hidden window is closed (the uninstaller posts WM_CLOSE). One runs at
// a time: a second start ends at once with exit code 0.
#include <memory>

#include "ChimerWindow.h"
#include "WinApp.h"

class CChimerApp : public CWinApp {
public:
    // The sound manager (false when another sound program runs), then the window.
    bool InitInstance() override;
    // Destroys the window and ends the sound manager's threads before the program ends.
    int ExitInstance() override;

private:
    std::unique_ptr<CChimerWindow> window_;
};
