#pragma once
// The General page: three suite-wide options of the product key (whether the tray program shows
// its icons, whether the calibration program asks for a check after a calibration, whether it
// beeps at each target) and the two support functions, Copy of Settings (the clone files) and
// Dump settings (the settings dump; its button is created hidden and nothing shows it). OK or
// Apply writes the options and tells the tray program through the "TivenTrayIcons" event, or
// starts it when its icons are wanted and it is not running.
#include "Button.h"
#include "DevicePage.h"
#include "ProductSchema.h"

class CGeneralPage : public CDevicePage {
public:
    CGeneralPage();

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;
    bool OnSetActive() override;
    void OnOK() override;
    bool OnButtonClicked(int id) override;

    void OnCopyOfSettings();
    void OnDumpSettings();

private:
    // The three options in the order they are read and written: check box and product-key value
    // (REG_DWORD, 1 = on; a missing value takes the value's default).
    struct Option {
        CButton CGeneralPage::*check;
        ProductValueId value;
    };
    static const Option kOptions[3];

    void SetLabels();
    void LoadSettings();
    void SaveSettings();
    void TellTrayProgram();
    void DisableSupportWithoutWriteAccess();
    void MarkChanged();

    CButton showIconsCheck_;
    CButton checkCalibrationCheck_;
    CButton beepsCheck_;
    CButton copyButton_;
    CButton dumpButton_;
    bool changed_ = false;
};
