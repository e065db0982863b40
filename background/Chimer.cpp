// Chimer: plays the touch sound of every touch device. The framework's entry point (narrow
// build) runs the application object below.
#include "ChimerApp.h"

namespace {
CChimerApp theApp;
}
