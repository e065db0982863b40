#pragma once
// What every device page of the applet's sheet does alike: an edit marks the current device
// changed, the device list selects the current device and switches to another, and while no
// controller is left (every device marked removed) the page refuses activation and the sheet
// goes back to its first page, where devices are defined. The pages without a device list
// (General, About) take the last two from here as well.
#include "PropertyPage.h"

class CComboBox;
class CDeviceSettings;

// A stored value the page cannot show is brought into low..high (unsigned) when the page loads
// it, and the device is marked changed, so the next Apply writes it back. True when corrected.
bool ClampValue(DWORD& value, DWORD low, DWORD high);

class CDevicePage : public CPropertyPage {
public:
    using CPropertyPage::CPropertyPage;

protected:
    // An edit of the current device: sets its flag of the edited group (bAdvancedChanged, ...),
    // enables the sheet's Apply button and makes it the page's default button, so Enter applies.
    // Without a current device only the buttons change.
    void MarkChanged(bool CDeviceSettings::*group);
    // The same for an edit of this record.
    void MarkChanged(CDeviceSettings* device, bool CDeviceSettings::*group);
    // Only the buttons: Apply enabled and made the page's default button.
    void MarkModified();

    // Fills the list with the names of the devices not marked removed and selects the current
    // device (the first one when there is no current name); the selection becomes current.
    void FillDeviceCombo(CComboBox& combo);
    // The user chose a device in the list: it becomes the current device of every page and the
    // product key's "Device Name". False (nothing changed) without a choice or a current device;
    // true, and the page shows the chosen device's values.
    bool SelectDeviceFromCombo(const CComboBox& combo);

    // For OnSetActive: true while no controller is left, after sending the sheet back to its
    // first page; the page then refuses activation (returns false).
    bool RedirectWhenNoControllerLeft();

    // The activation of a page with a device list: refused while no controller is left;
    // otherwise the list shows the current device and the page its values (LoadDeviceValues).
    bool ActivateWithDeviceList(CComboBox& deviceList);
    // The device list's selection changed: the chosen device becomes current and is shown.
    void OnSelchangeDevice(const CComboBox& deviceList);
    // OK or Apply of a device page: the whole collection is written (the first page to apply
    // writes everything; the others find nothing left).
    void ApplyDeviceChanges();
    // Shows the current device's values; nothing without a current device.
    virtual void LoadDeviceValues() {}
};
