// The logon cleanup's one application object; the framework's narrow entry point runs it.
#include "SweepoApp.h"

CSweepoApp theApp;
