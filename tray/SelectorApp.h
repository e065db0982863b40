#pragma once
// The mode selector: one copy at a time (a second one ends at once, without a message), showing
// its dialog until it is closed. It ends with code 0, or 1 when its dialog could not be made.
#include "WinApp.h"

class CSelectorApp : public CWinApp {
public:
    bool InitInstance() override;
};
