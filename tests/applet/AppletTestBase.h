#pragma once
// Base of the in-process applet tests of the Advanced page and the sheet.
#include <windows.h>
#include <commctrl.h>

#include "SheetTest.h"
#include "StandinClient.h"
#include "resource.h"

namespace applettest {

// The controls are named by the applet's resource ids (resource.h).
class AppletTest : public SheetTest {
protected:
    int SliderPos(int id) const { return static_cast<int>(SendMessageW(Control(id), TBM_GETPOS, 0, 0)); }
    bool Enabled(int id) const { return IsWindowEnabled(Control(id)) != FALSE; }
    DWORD DeviceValue(const DeviceRow& device, const wchar_t* name) const
    {
        return registry.Read(DeviceKeyPath(device), name).AsDword();
    }
};

}  // namespace applettest

// Opens the sheet on the Advanced page (by CPL_DBLCLK, or by another opening message).
#define OPEN_ADVANCED_PAGE() OPEN_SHEET(IDC_ADV_SAMPLE_RATE_SLIDER)
#define OPEN_ADVANCED_PAGE_WITH(openMessage) OPEN_SHEET_WITH(IDC_ADV_SAMPLE_RATE_SLIDER, openMessage)
