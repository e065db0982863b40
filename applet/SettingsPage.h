#pragma once
// The Settings page: the five timing values of the current device (click time, tap time,
// lift-off time, stabilization, averaging). The three times sit on reversed sliders, so moving
// a thumb to the right shortens the time. Edits go straight into the current device's record
// (timing group); OK or Apply writes the whole collection.
#include "Button.h"
#include "ComboBox.h"
#include "DevicePage.h"
#include "ValueSlider.h"

class CSettingsPage : public CDevicePage {
public:
    CSettingsPage();

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnSetActive() override { return ActivateWithDeviceList(deviceList_); }
    void OnOK() override { ApplyDeviceChanges(); }
    bool OnCommand(int id, int code, HWND control) override;
    bool OnButtonClicked(int id) override;
    bool OnHScroll(int code, int position, HWND scrollBar) override;

protected:
    void LoadDeviceValues() override;

private:
    void SetLabels();
    void MarkTimingChanged();
    void UpdateDefaultsButton();
    void OnDefaults();

    CRecordSliders sliders_;   // click, tap, lift-off, stabilization, averaging
    CButton defaultsButton_;
    CComboBox deviceList_;
};
