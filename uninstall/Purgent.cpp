// The uninstaller's one application object; the framework's entry point runs it.
#include "PurgentApp.h"

CPurgentApp theApp;
