#pragma once
// The orientation step of the segment listener: the current display orientation and resolution
// go to the current device (the product key's "Device Name") with IOCTL_DISPLAY_ORIENTATION.
#include <windows.h>

#include "DriverProtocol.h"

namespace segmenta {

// The product key's "Rotation": 0 (or missing) sends the display's orientation as it is, 1 swaps
// the 90 and 270 degree codes, any other value sends no orientation request at all.
constexpr DWORD kRotationAsReported = 0;
constexpr DWORD kRotationSwapped = 1;

bool RotationSendsOrientation(DWORD rotation);
// The orientation code sent for the display's orientation (DMDO_DEFAULT .. DMDO_270) under a
// sending "Rotation" value; an orientation above 3 keeps the code sent last.
DWORD OrientationCode(DWORD displayOrientation, DWORD rotation, DWORD lastCode);

// The current mode of the primary display (EnumDisplaySettingsA, ENUM_CURRENT_SETTINGS). When the
// query fails the mode stays zero-filled, so a request then carries 0 x 0.
DEVMODEA CurrentDisplayMode();

// Looks the current device up and, when "Rotation" allows it, sends it the orientation and
// resolution of `mode`. `request` is the program's one request buffer: its orientation keeps the
// code sent last. A device that is not found gets nothing. Always true.
bool ApplyRotation(const DEVMODEA& mode, DisplayOrientationRequest& request);

}  // namespace segmenta
