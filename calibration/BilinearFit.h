#pragma once
// The bilinear maps of the 9- and 25-point calibration: X = a u + b v + c u v + d (and Y the
// same) through four corner points, solved in single precision and stored as scaled integers.
#include <cstdint>

#include "DriverProtocol.h"
#include "TargetLayout.h"

namespace calib {

// What the four corners map to: X is xRight - xSpan on the left corners and xRight on the right
// ones; Y is yBottom - ySpan on the top corners and yBottom on the bottom ones. k scales a, b
// and d, kc scales c.
struct FitTargets {
    float xRight;
    float xSpan;
    float yBottom;
    float ySpan;
    int32_t k;
    int32_t kc;
};

// False when the corners admit no map (a zero or non-finite determinant) or a coefficient does
// not fit a 32-bit integer; `out` is then unspecified.
bool FitBilinear(const IntPoint& tl, const IntPoint& tr, const IntPoint& bl, const IntPoint& br, const FitTargets& t,
                 BilinearMap& out);

// Applies an integer map: ((u A + v B + D + (u v C) / 128) / k, likewise for Y), all divisions
// truncating toward zero. Computed in 64 bits, so wide raw ranges cannot overflow. False when the
// result does not fit 32 bits.
bool ApplyMap(const BilinearMap& m, const IntPoint& p, int32_t k, IntPoint& out);

// Conversion of a floating value to a 32-bit integer, truncating toward zero; false for NaN,
// infinity and values out of range.
bool TruncToInt32(double v, int32_t& out);

}  // namespace calib
