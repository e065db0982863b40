#include "SelectorApp.h"

#include "ModeSelectorDlg.h"
#include "SingleInstance.h"

namespace {
constexpr wchar_t kMutexName[] = L"Gesturo Application";
}

bool CSelectorApp::InitInstance()
{
    CSingleInstance guard(kMutexName);
    if (guard.AlreadyRunning())
        return false;
    CModeSelectorDlg dialog;
    SetMainWindow(&dialog);
    dialog.DoModal();
    SetMainWindow(nullptr);
    return false;
}

int CSelectorApp::ExitInstance() { return 0; }
