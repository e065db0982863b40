#pragma once
// Base of the in-process applet tests of the Advanced page and the sheet.
#include <windows.h>
#include <commctrl.h>

#include <cwctype>
#include <string>
#include <vector>

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

// The requests that reached one device since the log was cleared (optionally of one code).
inline std::vector<standin::LoggedRequest> Requests(const DeviceRow& device, DWORD code = 0)
{
    return standin::Select(standin::ReadLog(), device.serial ? standin::Driver::Rilo : standin::Driver::Meka,
                           static_cast<unsigned>(device.instance), code);
}

// A text's letters and digits, for the name of a parameterised test ("Tap Time" -> "TapTime").
inline std::string AsciiName(const wchar_t* text)
{
    std::string name;
    for (const wchar_t* p = text; *p; ++p)
        if (iswalnum(*p) && *p < 0x80)
            name += static_cast<char>(*p);
    return name;
}

inline std::vector<DWORD> Codes(const std::vector<standin::LoggedRequest>& log)
{
    std::vector<DWORD> codes;
    for (const auto& request : log)
        codes.push_back(request.code);
    return codes;
}

}  // namespace applettest

// Opens the sheet on the Advanced page (by CPL_DBLCLK, or by another opening message).
#define OPEN_ADVANCED_PAGE() OPEN_SHEET(IDC_ADV_SAMPLE_RATE_SLIDER)
#define OPEN_ADVANCED_PAGE_WITH(openMessage) OPEN_SHEET_WITH(IDC_ADV_SAMPLE_RATE_SLIDER, openMessage)
