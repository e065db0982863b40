#pragma once
// The 4-, 9- and 25-point calibration computations: from the raw touches and the target
// geometry to the record the driver receives and the values stored in the device key, in the
// order they are written.
#include <windows.h>

#include <array>
#include <string>
#include <vector>

#include "DriverProtocol.h"
#include "TargetLayout.h"

namespace calib {

struct CalibrationGeometry {
    RECT desktopRect{};          // the desktop, or the monitor for the monitor segments
    TargetLayout layout;
    int targetWidth = 0;
    int targetHeight = 0;
    int segmentIndex = 0;
    int calibPoint = 1;
};

using RawPoints = std::array<IntPoint, 25>;   // in touch order

struct DwordValue {
    std::wstring name;
    DWORD value;
};
using DwordValues = std::vector<DwordValue>;

struct Calibration4 {
    CalibrationRecord4 record{};
    DwordValues values;
};

struct Calibration9 {
    CalibrationRecord9 record{};
    DwordValues values;
};

struct Calibration25 {
    CalibrationRecord25 record{};
    DwordValues values;
};

Calibration4 Compute4Point(const CalibrationGeometry& g, const RawPoints& raw);

// False for touches that admit no correction (coinciding or collinear points, zero divisors of
// the bow correction, values beyond 32 bits): the run must then store and send nothing.
bool Compute9Point(const CalibrationGeometry& g, const RawPoints& raw, bool bow, Calibration9& out);
bool Compute25Point(const CalibrationGeometry& g, const RawPoints& raw, bool bow, Calibration25& out);

// Size of a secondary monitor in percent of the primary one, rounded; missing primary sizes
// (0) count as 1024 x 768, and a result of 0 becomes 100.
struct SecondaryScale {
    int32_t secMouX;
    int32_t secMouY;
};
SecondaryScale ComputeSecondaryScale(DWORD width, DWORD height, DWORD priXmax, DWORD priYmax);

// The rotate value of the grid records, from the first and the last raw touch.
int32_t RotationOf(const IntPoint& first, const IntPoint& last);

}  // namespace calib
