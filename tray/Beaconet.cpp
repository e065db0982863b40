// Beaconet: the notification-area program. The framework's entry point runs the application
// object below; the program takes no command line.
#include "TrayApp.h"

namespace {
CTrayApp theApp;
}
