// Aimwell: calibrates one touch device. The command line after the program's path is the
// device's name; an empty one takes the device last selected in the control panel. The
// framework's entry point runs the application object below.
#include "CalibrationApp.h"

namespace {
CCalibrationApp theApp;
}
