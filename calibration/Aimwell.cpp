// Aimwell: calibrates one touch device. The command line after the program's path is the
// device's name; an empty one takes the device last selected in the control panel.
#include <windows.h>

#include "CalibrationApp.h"
#include "CommandLine.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    CCalibrationApp app(instance);
    if (app.Start(calib::DeviceNameFromCommandLine(GetCommandLineW())) != 0) {
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        // Every way out puts the display orientation back; after a normal end this does nothing.
        RestoreDisplayOnce();
    }
    return 0;
}
