#pragma once
// Base of the in-process applet tests: a private HKLM, the stand-in drivers reset, and the
// applet loaded and opened after the test has filled the registry.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "AppletFixture.h"
#include "AppletSession.h"
#include "ScratchRegistry.h"
#include "StandinClient.h"

namespace applettest {

constexpr int kSampleRateSlider = 1019;
constexpr int kTouchdownSlider = 1013;
constexpr int kDeglitchSlider = 1014;
constexpr int kSampleRateText = 1016;
constexpr int kTouchdownText = 1017;
constexpr int kDeglitchText = 1018;
constexpr int kEnabledCheck = 1015;
constexpr int kSoundList = 1001;
constexpr int kWaveFileEdit = 1020;
constexpr int kBrowseButton = 1022;
constexpr int kDeviceList = 1045;
constexpr int kDefaultsButton = 1057;
constexpr int kApplyButton = 0x3021;
constexpr int kCalibrateButton = 1022;

class AppletTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(standin::Reset()) << "the stand-in drivers do not answer"; }

    // Loads the applet, opens its sheet and activates the Advanced page.
    void OpenAdvancedPage(UINT openMessage = CPL_DBLCLK)
    {
        session = std::make_unique<AppletSession>();
        ASSERT_TRUE(session->Loaded());
        session->OpenAsync(openMessage);
        sheet = session->WaitSheet();
        ASSERT_NE(sheet, nullptr) << "the sheet did not open";
        page = SelectPageWithControl(sheet, kSampleRateSlider);
        ASSERT_NE(page, nullptr) << "no Advanced page";
    }

    HWND Control(int id) const { return GetDlgItem(page, id); }
    int SliderPos(int id) const { return static_cast<int>(SendMessageW(Control(id), TBM_GETPOS, 0, 0)); }
    bool Enabled(int id) const { return IsWindowEnabled(Control(id)) != FALSE; }
    DWORD DeviceValue(const DeviceRow& device, const wchar_t* name) const
    {
        return registry.Read(DeviceKeyPath(device), name).AsDword();
    }

    testsupport::ScratchRegistry registry;
    std::unique_ptr<AppletSession> session;   // destroyed before the registry
    HWND sheet = nullptr;
    HWND page = nullptr;
};

}  // namespace applettest
