#pragma once
// The mode selector: one copy at a time (a second one ends at once, without a message), showing
// its dialog until it is closed. It always ends with code 0.
#include "WinApp.h"

class CSelectorApp : public CWinApp {
public:
    bool InitInstance() override;
    int ExitInstance() override;
};
