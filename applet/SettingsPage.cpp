#include "SettingsPage.h"

#include "AppletGlobals.h"
#include "ControlLabels.h"
#include "DataExchange.h"
#include "LabelKeys.h"
#include "resource.h"

namespace {
const ControlLabel kLabels[] = {
    {IDC_SET_CLICK_LABEL, LabelKey::LSET_CLICK_TIME},
    {IDC_SET_TAP_LABEL, LabelKey::LSET_TAP_TIME},
    {IDC_SET_LIFT_OFF_LABEL, LabelKey::LSET_LIFT_OFF_TIME},
    {IDC_SET_STABILIZATION_LABEL, LabelKey::LSET_STABILIZATION},
    {IDC_SET_AVERAGING_LABEL, LabelKey::LSET_AVERAGING},
    {IDC_SET_SETTINGS_FOR, LabelKey::LSET_SETTINGS_FOR},
    {IDC_SET_DEFAULTS, LabelKey::LDEFAULTS},
};
}  // namespace

CSettingsPage::CSettingsPage()
    : CDevicePage(IDD_SETTINGS),
      sliders_({
          {{IDC_SET_CLICK_SLIDER, IDC_SET_CLICK_VALUE, 1, 20, true, 9}, &CDeviceSettings::dwClickTime},
          {{IDC_SET_TAP_SLIDER, IDC_SET_TAP_VALUE, 1, 20, true, 9}, &CDeviceSettings::dwTapTime},
          {{IDC_SET_LIFT_OFF_SLIDER, IDC_SET_LIFT_OFF_VALUE, 0, 80, true, 5}, &CDeviceSettings::dwLiftOffTime},
          {{IDC_SET_STABILIZATION_SLIDER, IDC_SET_STABILIZATION_VALUE, 0, 40, false, 0},
           &CDeviceSettings::dwStabilization},
          {{IDC_SET_AVERAGING_SLIDER, IDC_SET_AVERAGING_VALUE, 0, 40, false, 0}, &CDeviceSettings::dwAveraging},
      })
{
    Psp().dwFlags |= PSP_HASHELP;
}

void CSettingsPage::DoDataExchange(CDataExchange& dx)
{
    CPropertyPage::DoDataExchange(dx);
    sliders_.Exchange(dx);
    DDX_Control(dx, IDC_SET_DEVICE, deviceList_);
    DDX_Control(dx, IDC_SET_DEFAULTS, defaultsButton_);
}

bool CSettingsPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    SetLabels();
    sliders_.SetRange();
    return true;
}

void CSettingsPage::SetLabels()
{
    ApplyControlLabels(m_hWnd, Applet().labelStore, kLabels);
    UpdateData(false);
}

void CSettingsPage::LoadDeviceValues()
{
    CDeviceSettings* device = Applet().currentDevice;
    if (!device)
        return;
    // A stored value outside the slider's range is brought into it and written back at the
    // next Apply.
    const bool corrected = sliders_.Load(*device);
    if (corrected || device->bSettingsChanged)
        MarkTimingChanged();
    UpdateData(false);
    UpdateDefaultsButton();
}

void CSettingsPage::MarkTimingChanged()
{
    MarkChanged(&CDeviceSettings::bSettingsChanged);
    UpdateDefaultsButton();
}

void CSettingsPage::UpdateDefaultsButton()
{
    const CDeviceSettings* device = Applet().currentDevice;
    const bool atDefaults = device && sliders_.AtDefaults(*device);
    defaultsButton_.EnableWindow(!atDefaults);
}

bool CSettingsPage::OnCommand(int id, int code, HWND control)
{
    if (id == IDC_SET_DEVICE && code == CBN_SELCHANGE) {
        OnSelchangeDevice(deviceList_);
        return true;
    }
    return CDevicePage::OnCommand(id, code, control);
}

bool CSettingsPage::OnButtonClicked(int id)
{
    switch (id) {
    case IDC_SET_DEFAULTS:
        OnDefaults();
        return true;
    }
    return CDevicePage::OnButtonClicked(id);
}

bool CSettingsPage::OnHScroll(int, int, HWND scrollBar)
{
    CDeviceSettings* device = Applet().currentDevice;
    if (sliders_.TakeScroll(scrollBar, *this, device) && device)
        MarkTimingChanged();
    return false;   // the default handling goes on
}

void CSettingsPage::OnDefaults()
{
    CDeviceSettings* device = Applet().currentDevice;
    if (!device)
        return;
    sliders_.SetDefaults(*device);
    MarkTimingChanged();
    UpdateData(false);
}
