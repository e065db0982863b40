#pragma once
// The calibration program: one instance at a time, a display in its natural orientation, and
// the calibrator that runs the targets. The framework's entry point runs it: InitInstance
// starts the run, the message loop shows it, ExitInstance puts the display back. The program
// always ends with code 0 (the code a run's end posts with WM_QUIT is not passed on).
#include <windows.h>

#include <memory>
#include <string>

#include "Calibrator.h"
#include "SingleInstance.h"
#include "WinApp.h"

class CCalibrationApp : public CWinApp {
public:
    // False, with no window, when another calibration runs or the run could not start.
    bool InitInstance() override;
    int ExitInstance() override;

    // Starts the run for the device (an empty name: the product key's "Device Name").
    bool Start(const std::wstring& deviceName);

private:
    std::unique_ptr<CSingleInstance> guard_;   // held, and owned, until the process ends
    std::unique_ptr<CCalibrator> calibrator_;
};
