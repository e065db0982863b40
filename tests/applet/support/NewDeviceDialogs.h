#pragma once
// Adding or renaming a device through the Devices page's two new-device dialogs (the type
// dialog, then the name dialog), for the tests of every page that change the devices this way.
#include <windows.h>

#include <string>

namespace applettest {

// Clicks the page's Add and waits for the type dialog; null when it does not come.
HWND StartAdd(HWND devicesPage);
// Presses Next in the type dialog, checks that it goes and waits for the name dialog.
HWND NextToNameDialog(HWND typeDialog);
// Fills the name dialog (a segment below 0 leaves the segment as it is) and presses OK; the
// dialog goes, or stays with the message box its checks show.
void AcceptName(HWND nameDialog, const std::wstring& name, int segment);

}  // namespace applettest
