#pragma once
// Base of the in-process applet tests of the Advanced page and the sheet.
#include <windows.h>
#include <commctrl.h>

#include "SheetTest.h"
#include "StandinClient.h"
#include "resource.h"

namespace applettest {

constexpr int kSampleRateSlider = IDC_ADV_SAMPLE_RATE_SLIDER;
constexpr int kTouchdownSlider = IDC_ADV_TOUCHDOWN_SLIDER;
constexpr int kDeglitchSlider = IDC_ADV_DEGLITCH_SLIDER;
constexpr int kSampleRateText = IDC_ADV_SAMPLE_RATE_VALUE;
constexpr int kTouchdownText = IDC_ADV_TOUCHDOWN_VALUE;
constexpr int kDeglitchText = IDC_ADV_DEGLITCH_VALUE;
constexpr int kEnabledCheck = IDC_ADV_ENABLED;
constexpr int kSoundList = IDC_ADV_SOUND;
constexpr int kWaveFileEdit = IDC_ADV_WAVE_FILE;
constexpr int kBrowseButton = IDC_ADV_BROWSE;
constexpr int kDeviceList = IDC_ADV_DEVICE;
constexpr int kDefaultsButton = IDC_ADV_DEFAULTS;
constexpr int kApplyButton = IDC_SHEET_APPLY;
constexpr int kCalibrateButton = IDC_SHEET_CALIBRATE;

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
#define OPEN_ADVANCED_PAGE() OPEN_SHEET(kSampleRateSlider)
#define OPEN_ADVANCED_PAGE_WITH(openMessage) OPEN_SHEET_WITH(kSampleRateSlider, openMessage)
