#pragma once
// The setup's command line: nothing (the wizard), or
//   -s  -en|-ja|-tch|-sch|-kr  -eig|-fiv  [-usb|-ser filename]
// Anything else is a usage error.
#include <windows.h>

#include <string>

namespace setup {

inline constexpr char kUsageLine[] = "Usage: setup [-s] [-en|-ja|-tch|-sch|-kr] [-eig|-fiv] [-usb|-ser filename]";

struct CommandLineOptions {
    bool silent = false;
    DWORD languageIndex = 0;
    DWORD wireType = 0;
    std::wstring usbClonePath;
    std::wstring serialClonePath;
    bool usbRestorePending = false;
    bool serialRestorePending = false;
};

// The command line as 8-bit text, one byte per UTF-16 unit (its low byte). A command line of
// 999 units or more gives an empty text.
std::string NarrowCommandLine(const std::wstring& commandLine);

// Splits at runs of blanks (tabs are no separators) and reads up to five tokens: exactly three,
// or five and more (the sixth on are ignored). Switches are compared without regard to case.
// False on a usage error; `options` is then unchanged.
bool ParseCommandLine(const std::string& text, CommandLineOptions& options);

}  // namespace setup
