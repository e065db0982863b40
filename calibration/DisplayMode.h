#pragma once
// Display orientation handling around a calibration run: the targets are shown in the display's
// natural orientation, and the orientation found at start (or the one the product key asks
// for) is put back at the end.
#include <windows.h>

namespace calib {

// The current mode through a zero-filled DEVMODEW of the classic 220-byte size.
bool ReadCurrentDisplayMode(DEVMODEW& mode);

// Start of a run: when the mode is rotated, returns true with `mode` turned to orientation 0
// (width and height swapped when the height was the larger) and `savedOrientation` set to the
// orientation found; false when the mode is already in orientation 0.
bool PrepareNaturalOrientation(DEVMODEW& mode, int& savedOrientation);

// The orientation to put back: the product key's "Rotation" 10..13 asks for 0..3, any other
// value keeps the orientation saved at start.
int OrientationToRestore(DWORD rotationSetting, int savedOrientation);

// Sets `mode` to the orientation to put back: 1 and 3 swap width and height, values outside
// 0..3 give orientation 0.
void PrepareRestoredOrientation(DEVMODEW& mode, int orientation);

}  // namespace calib
