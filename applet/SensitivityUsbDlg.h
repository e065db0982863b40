#pragma once
// "Sensitivity adjust" for a USB controller: the same functions as the serial dialog, asked of
// the controller through its driver with the sensitivity requests (UsbSensitivity.h). The
// dialog keeps no controller state; every press asks the driver.
#include <windows.h>

#include <cstdint>

#include "SensitivityDialog.h"

class CSensitivityUsbDlg : public CSensitivityDialog {
public:
    CSensitivityUsbDlg();

    bool OnInitDialog() override;
    bool OnButtonClicked(int id) override;

    // Display Sensitivity: 1 when the driver reported a value (shown unless out of range), else 0.
    int ReadSensitivity();

private:
    // One step: command 3 (more sensitive) from the Sensitive button, 2 (duller) from Dull.
    void Step(CButton& button, uint16_t command, int sliderEnd);
    void AutoAdjust();
    // Shows 1000 - raw, or says that the value is out of range.
    void ShowRawValue(uint16_t raw);
    // The number, prefixed with "  Finished  " once after an automatic adjustment.
    void ShowUsbNumber(int shown);
    void EndWithDisable();

    bool finished_ = false;
};
