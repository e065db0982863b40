#pragma once
// An up-down control by its handle. With UDS_SETBUDDYINT it writes its position into its buddy
// window as a number and reads the buddy's number back as its position before every step.
#include <windows.h>
#include <commctrl.h>

#include "Wnd.h"

class CSpinButtonCtrl : public CWnd {
public:
    void SetRange(int low, int high) { SendMessage(UDM_SETRANGE32, static_cast<WPARAM>(low), high); }
    void GetRange(int& low, int& high) const
    {
        SendMessage(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
    }
    int GetPos() const { return static_cast<int>(SendMessage(UDM_GETPOS32)); }
    void SetPos(int position) { SendMessage(UDM_SETPOS32, 0, position); }
    void SetBuddy(HWND buddy) { SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy)); }
};
