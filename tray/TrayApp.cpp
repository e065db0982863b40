#include "TrayApp.h"

#include "NamedObjects.h"

bool CTrayApp::InitInstance()
{
    guard_ = std::make_unique<CSingleInstance>(kTrayMutex);
    if (guard_->AlreadyRunning())
        return false;
    tray_ = std::make_unique<CTrayMenuWnd>();
    if (!tray_->IsTrayEnabled())
        return false;
    tray_->CreateIcons();
    return true;
}

int CTrayApp::ExitInstance()
{
    // The tray object stops its threads and removes its icons before the next copy may start.
    tray_.reset();
    guard_.reset();
    return 0;
}
