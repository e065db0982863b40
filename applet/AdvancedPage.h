#pragma once
// The Advanced page: for the current device, the three packet-filter values (sample rate,
// touchdown filter, deglitch), whether the controller is enabled, and the touch sound with its
// wave file. Every edit goes straight into the current device's record and sets its change
// flags; OK or Apply writes the whole collection.
#include <string>

#include "Button.h"
#include "ComboBox.h"
#include "DevicePage.h"
#include "Edit.h"
#include "ValueSlider.h"

class CAdvancedPage : public CDevicePage {
public:
    CAdvancedPage();

    // The page's caption buffer holds 129 characters and the terminator; a longer text is cut.
    static constexpr size_t kMaxCaption = 129;
    void SetCaption(const std::wstring& caption) override { CPropertyPage::SetCaption(caption.substr(0, kMaxCaption)); }
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
    // An edit of the advanced group, which the Defaults button follows.
    void MarkAdvancedChanged();
    void UpdateDefaultsButton();
    std::wstring DefaultWavePath() const;

    void OnBrowse();
    void OnDefaults();
    void OnEnabled();
    void OnSelchangeSound();

    CComboBox soundList_;
    CRecordSliders sliders_;   // sample rate, touchdown filter, deglitch
    CComboBox deviceList_;
    CButton enabledCheck_;
    CButton defaultsButton_;
    CEdit waveFileEdit_;

    std::wstring waveFile_;
    std::wstring defaultWavePath_;
};
