#include "CalibrationApp.h"

#include "DisplayMode.h"
#include "resource.h"

namespace {
constexpr wchar_t kMutexName[] = L"FerrinCalibrate";
}

int CCalibrationApp::Start(const std::wstring& deviceName)
{
    // The mutex stays open, and owned, until the process ends.
    CreateMutexW(nullptr, TRUE, kMutexName);
    if (GetLastError() == ERROR_ALREADY_EXISTS)
        return 0;

    DisplayState& display = ProgramDisplay();
    display.savedOrientation = 0;
    display.lastSeenOrientation = -1;
    DEVMODEW mode;
    if (calib::ReadCurrentDisplayMode(mode) && calib::PrepareNaturalOrientation(mode, display.savedOrientation))
        ChangeDisplaySettingsW(&mode, 0);

    RegisterWindowClass();
    calibrator_.Start(instance_, deviceName);
    return 1;
}

void CCalibrationApp::RegisterWindowClass()
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = CalibrateWndProc;
    wc.hInstance = instance_;
    wc.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(IDI_AIMWELL));
    wc.hIconSm = LoadIconW(instance_, MAKEINTRESOURCEW(IDI_AIMWELL));
    wc.hCursor = nullptr;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszMenuName = nullptr;
    wc.lpszClassName = kCalibrateWindowClass;
    RegisterClassExW(&wc);
}
