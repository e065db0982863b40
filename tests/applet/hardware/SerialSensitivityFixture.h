#pragma once
// The serial "Sensitivity adjust" dialog opened from the Hardware page of a one-sheet serial
// device on COM2, with helpers that read its number and slider and wait for its buttons.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "HardwareTestBase.h"

namespace applettest {

using Commands = std::vector<std::string>;
constexpr wchar_t kSensitivityTitle[] = L"Sensitivity adjust";

class SerialSensitivity : public SerialToolsTest {
protected:
    // Opens the dialog from the page's Sensitive button.
    void OpenDialog()
    {
        device = SerialDevice();
        Prepare(device, 3);
        OPEN_HARDWARE_PAGE();
        ASSERT_TRUE(standin::ClearLog());
        Press(page, IDC_HW_SENSITIVE);
        dialog = WaitDialog(kSensitivityTitle);
        ASSERT_NE(dialog, nullptr) << testsupport::SerialSim::Describe(sim.ReadLog());
        ASSERT_TRUE(WaitButtonsBack());
    }

    std::wstring Number() const { return ControlText(dialog, IDC_SENS_NUMBER); }
    int SliderPos() const
    {
        DWORD_PTR pos = 0;
        SendMessageTimeoutW(GetDlgItem(dialog, IDC_SENS_SLIDER), TBM_GETPOS, 0, 0, SMTO_NORMAL, 10000, &pos);
        return static_cast<int>(pos);
    }
    bool DialogEnabled(int id) const { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
    // The three value buttons come back 300 ms after a read or a step.
    bool WaitButtonsBack() const
    {
        return testsupport::WaitUntil([&] {
            return DialogEnabled(IDC_SENS_UP) && DialogEnabled(IDC_SENS_DOWN) && DialogEnabled(IDC_SENS_DISPLAY);
        });
    }
    void CloseDialog()
    {
        Press(dialog, IDOK);
        EXPECT_TRUE(testsupport::WaitWindowGone(dialog));
        EXPECT_TRUE(WaitToolsBack());
    }

    testsupport::DeviceRow device;
    HWND dialog = nullptr;
};

}  // namespace applettest
