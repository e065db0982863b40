#pragma once
// The worked-out 9- and 25-point cases (GridCalibrationCases.inc), shared by the table tests
// and the end-to-end runs.
#include <cstdint>
#include <vector>

#include "TargetLayout.h"

struct GridCase {
    const char* name;
    int points;
    int calibPoint;
    bool bow;
    std::vector<calib::IntPoint> raw;
    bool computable;
    std::vector<int32_t> record;
};

const std::vector<GridCase>& GridCases();
// The case of this name and point count; null when there is none.
const GridCase* FindGridCase(const char* name, int points);
