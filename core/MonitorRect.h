#pragma once
#include <windows.h>

// Which monitor FindMonitorRect looks for.
constexpr int kPrimaryMonitor = 1;
constexpr int kSecondaryMonitor = 2;   // the first monitor in enumeration order that is not primary

// The monitor's full rectangle in virtual-screen coordinates (the primary monitor's top-left
// is 0,0). Returns false when no such monitor exists or the system has no multi-monitor
// functions; the rectangle is then that of the last monitor enumerated, if any. The monitor
// functions are bound at run time. Not re-entrant: call from one thread.
bool FindMonitorRect(int which, RECT* rect);
