#pragma once
// The device values that shape a calibration run, as Aimwell takes them from the device key.
// Only what the applet's Calibration page can store is taken; anything else (a value written
// by hand, a damaged key) takes the default, so no stored value reaches the layout arithmetic
// or the time-out unchecked.
#include <windows.h>

namespace calib {

constexpr int kDefaultCalibPoint = 1;       // "CalibPoint": margin in percent, 1..5
constexpr int kDefaultTimeoutSeconds = 10;  // "Calibration Timeout": seconds, 10..60
constexpr int kDefaultCalFlag = 9;          // "Calflag": 4, 9 or 25 points

int CalibPointOrDefault(DWORD stored);
int TimeoutOrDefault(DWORD stored);
int CalFlagOrDefault(DWORD stored);

}  // namespace calib
