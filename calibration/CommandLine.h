#pragma once
#include <string>

namespace calib {
// What follows the program's own path on a command line: the path is skipped (quoted or up to
// the first blank), then the blanks after it; the rest, blanks included and untrimmed, is the
// name of the device to calibrate.
std::wstring DeviceNameFromCommandLine(const wchar_t* commandLine);
}  // namespace calib
