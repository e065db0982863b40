#include "CalibrationApp.h"

#include "DisplayMode.h"

namespace {
constexpr wchar_t kMutexName[] = L"FerrinCalibrate";
}

// The whole command line after the program's path, blanks included, is the device's name.
bool CCalibrationApp::InitInstance() { return Start(CommandLine()); }

bool CCalibrationApp::Start(const std::wstring& deviceName)
{
    guard_ = std::make_unique<CSingleInstance>(kMutexName);
    if (guard_->AlreadyRunning())
        return false;

    DisplayState& display = ProgramDisplay();
    display.savedOrientation = 0;
    display.lastSeenOrientation = -1;
    DEVMODEW mode;
    if (calib::ReadCurrentDisplayMode(mode) && calib::PrepareNaturalOrientation(mode, display.savedOrientation))
        ChangeDisplaySettingsW(&mode, 0);

    calibrator_ = std::make_unique<CCalibrator>();
    return calibrator_->Start(Instance(), deviceName);
}

int CCalibrationApp::ExitInstance()
{
    if (calibrator_) {
        // Every way out of a run puts the display orientation back; after a normal end this
        // does nothing. The calibrator goes before the program ends: its workers are joined.
        RestoreDisplayOnce();
        calibrator_.reset();
    }
    return 0;
}
