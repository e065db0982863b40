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
    // A dialog that could not be made (no window at all) is a failed run, not a closed one.
    if (dialog.DoModal() == -1)
        quitCode_ = 1;
    SetMainWindow(nullptr);
    return false;
}

