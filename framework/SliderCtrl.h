#pragma once
// A trackbar by its handle.
#include <windows.h>
#include <commctrl.h>

#include "Wnd.h"

class CSliderCtrl : public CWnd {
public:
    int GetPos() const { return static_cast<int>(SendMessage(TBM_GETPOS)); }
    void SetPos(int position) { SendMessage(TBM_SETPOS, TRUE, position); }
    void SetRange(int low, int high, bool redraw = false) { SendMessage(TBM_SETRANGE, redraw, MAKELPARAM(low, high)); }
    int GetRangeMin() const { return static_cast<int>(SendMessage(TBM_GETRANGEMIN)); }
    int GetRangeMax() const { return static_cast<int>(SendMessage(TBM_GETRANGEMAX)); }
};
