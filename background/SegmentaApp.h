#pragma once
// Segmenta, the segment listener: a hidden window started at every logon. It takes no command
// line and runs until its window is closed (the uninstaller posts WM_CLOSE).
#include "SegmentaWindow.h"
#include "WinApp.h"

class CSegmentaApp : public CWinApp {
public:
    // Creates the window and sends the current orientation; false (exit code 0) when the window
    // cannot be created.
    bool InitInstance() override;

private:
    CSegmentaWindow window_;
};
