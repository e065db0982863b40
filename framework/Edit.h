#pragma once
// An edit control by its handle.
#include <windows.h>

#include "Wnd.h"

class CEdit : public CWnd {
public:
    void SetReadOnly(bool readOnly = true) { SendMessage(EM_SETREADONLY, readOnly); }
    void SetLimitText(int limit) { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(limit)); }
};
