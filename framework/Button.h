#pragma once
// A button (push button, check box, radio button) by its handle.
#include <windows.h>

#include "Wnd.h"

class CButton : public CWnd {
public:
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int state) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(state)); }
    void Click() { SendMessage(BM_CLICK); }
};
