#pragma once
// The Start-menu folder of the product in the all-users Programs folder, with five shortcuts:
// the mode selector, the settings launcher, the calibration program, the help file and the
// uninstaller.
#include <string>

namespace setup {

class CInstallLog;

struct MenuNames {
    std::wstring folder;        // label "TIVEN_MAVO"
    std::wstring selector;      // label "GESTURO"
    std::wstring settings;      // label "ADJUST_SETTINGS"
    std::wstring calibration;   // label "CALIBRATE"
    std::wstring help;          // label "HELP"
    std::wstring uninstall;     // label "UNINSTALL"
};

// Links open their target with no arguments, in the working folder "c:\", with the target's
// own icon. False when COM cannot start (then nothing is made).
bool CreateProgramMenus(const MenuNames& names, const std::wstring& installFolder, const std::wstring& languageWord,
                        CInstallLog& log);

}  // namespace setup
