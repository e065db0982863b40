#pragma once
// A static control by its handle.
#include <windows.h>

#include "Wnd.h"

class CStatic : public CWnd {
public:
    HICON SetIcon(HICON icon) { return reinterpret_cast<HICON>(SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(icon))); }
};
