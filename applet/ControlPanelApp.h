#pragma once
// Tunora's application object: answers the Control Panel's CPlApplet messages and opens the
// property sheet, one at a time on the machine (mutex "TouchScreenControlPanelApp"). A second
// opening only brings the open sheet, found by the title kept in "Device Label", to the front.
#include <windows.h>
#include <cpl.h>

#include "WinApp.h"

class CDeviceControlUnitPropertySheet;

class CControlPanelApp : public CWinApp {
public:
    CControlPanelApp();
    ~CControlPanelApp() override;

    // The one instance, through which CPlApplet dispatches.
    static CControlPanelApp* Instance();

    LONG OnInit() { return 1; }
    LONG OnGetCount() { return 1; }
    LONG OnInquire(CPLINFO* info);
    LONG OnSelect() { return 1; }
    LONG OnDoubleClick();
    LONG OnStop() { return 1; }
    LONG OnExit() { return 0; }
    LONG OnNewInquire(NEWCPLINFOW* info);
    LONG OnStartWithParamsA() { return 1; }
    LONG OnStartWithParamsW();
    LONG OnOther() { return 1; }

    // Shows the sheet, or brings the open one to the front.
    void OnOpen();

private:
    void BringOpenSheetToFront();

    CDeviceControlUnitPropertySheet* sheet_ = nullptr;
};
