// Gesturo: the button-mode selector. The framework's entry point runs the application object
// below; the program takes no command line.
#include "SelectorApp.h"

namespace {
CSelectorApp theApp;
}
