#include "SelectorApp.h"

#include "ModeSelectorDlg.h"
#include "NamedObjects.h"
#include "SingleInstance.h"

bool CSelectorApp::InitInstance()
{
    CSingleInstance guard(kSelectorMutex);
    if (guard.AlreadyRunning())
        return false;
    CModeSelectorDlg dialog;
    SetMainWindow(&dialog);
    dialog.DoModal();
    SetMainWindow(nullptr);
    return false;
}

int CSelectorApp::ExitInstance() { return 0; }
