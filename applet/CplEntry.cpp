// The Control Panel's entry point of Tunora and its one application object.
#include <windows.h>
#include <cpl.h>

#include "ControlPanelApp.h"

namespace {
CControlPanelApp theApp;
}

// Exported by name through Tunora.def (undecorated on i686 too, as the Control Panel looks it up).
extern "C" LONG CALLBACK CPlApplet(HWND, UINT msg, LPARAM, LPARAM lParam2)
{
    CControlPanelApp* app = CControlPanelApp::Instance();
    if (!app)
        return 0;
    switch (msg) {
    case CPL_INIT:
        return app->OnInit();
    case CPL_GETCOUNT:
        return app->OnGetCount();
    case CPL_INQUIRE:
        return app->OnInquire(reinterpret_cast<CPLINFO*>(lParam2));
    case CPL_SELECT:
        return app->OnSelect();
    case CPL_DBLCLK:
        return app->OnDoubleClick();
    case CPL_STOP:
        return app->OnStop();
    case CPL_EXIT:
        return app->OnExit();
    case CPL_NEWINQUIRE:
        return app->OnNewInquire(reinterpret_cast<NEWCPLINFOW*>(lParam2));
    case CPL_STARTWPARMSA:
        return app->OnStartWithParamsA();
    case CPL_STARTWPARMSW:
        return app->OnStartWithParamsW();
    }
    return app->OnOther();
}
