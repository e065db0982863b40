#pragma once
// The calibration program: one instance at a time, a display in its natural orientation, and
// the calibrator that runs the targets.
#include <windows.h>

#include <string>

#include "Calibrator.h"

class CCalibrationApp {
public:
    explicit CCalibrationApp(HINSTANCE instance) : instance_(instance) {}

    // 0 when another calibration runs (nothing is shown), else 1.
    int Start(const std::wstring& deviceName);
    void RegisterWindowClass();

private:
    HINSTANCE instance_;
    CCalibrator calibrator_;
};
