#pragma once
// The tray program: one copy at a time (a second one ends at once, touching nothing). Every start
// sets the button-mode switch back to primary and sends the primary request to every device;
// the program then stays only while "System Tray Icons" is 1, with its two icons, until it is
// closed from its menu or told to quit through "TivenTrayIcons". It always ends with code 0.
#include <memory>

#include "SingleInstance.h"
#include "TrayMenuWnd.h"
#include "WinApp.h"

class CTrayApp : public CWinApp {
public:
    bool InitInstance() override;
    int ExitInstance() override;

private:
    std::unique_ptr<CSingleInstance> guard_;
    std::unique_ptr<CTrayMenuWnd> tray_;
};
