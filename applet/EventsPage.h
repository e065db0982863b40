#pragma once
// The Events page: the current device's primary and secondary button mode, what a touch means
// to the system. List index i of both mode lists stands for button-mode code i + 1; the record
// holds the index. Edits go into the record (button-mode group); OK or Apply writes the whole
// collection.
#include "ComboBox.h"
#include "DevicePage.h"

class CEventsPage : public CDevicePage {
public:
    CEventsPage();

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnSetActive() override { return ActivateWithDeviceList(deviceList_); }
    void OnOK() override { ApplyDeviceChanges(); }
    bool OnCommand(int id, int code, HWND control) override;

protected:
    void LoadDeviceValues() override;

private:
    void SetLabels();
    // A choice in one of the mode lists goes into this field of the current device.
    void OnSelchangeMode(const CComboBox& list, DWORD CDeviceSettings::*field);

    CComboBox deviceList_;
    CComboBox secondaryList_;
    CComboBox primaryList_;
};
