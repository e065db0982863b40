#include "EventsPage.h"

#include <initializer_list>

#include "AppletGlobals.h"
#include "ControlLabels.h"
#include "DataExchange.h"
#include "LabelKeys.h"
#include "resource.h"

namespace {
const ControlLabel kLabels[] = {
    {IDC_EV_PRIMARY_HEAD, LabelKey::LEV_PRIMARY},
    {IDC_EV_SECONDARY_HEAD, LabelKey::LEV_SECONDARY},
    {IDC_EV_EVENTS_FOR, LabelKey::LEV_EVENTS_FOR},
    {IDC_EV_DEFAULT_ROW, LabelKey::LDEFAULT},
};

// Indices a stored mode outside the table falls back to: Touchdown Left and Touchdown Right.
constexpr DWORD kDefaultPrimary = 0;
constexpr DWORD kDefaultSecondary = 1;
constexpr DWORD kLastMode = static_cast<DWORD>(kButtonModeCount - 1);
}  // namespace

CEventsPage::CEventsPage() : CDevicePage(IDD_EVENTS)
{
    Psp().dwFlags |= PSP_HASHELP;
}

void CEventsPage::DoDataExchange(CDataExchange& dx)
{
    CPropertyPage::DoDataExchange(dx);
    DDX_Control(dx, IDC_EV_DEVICE, deviceList_);
    DDX_Control(dx, IDC_EV_SECONDARY, secondaryList_);
    DDX_Control(dx, IDC_EV_PRIMARY, primaryList_);
}

bool CEventsPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    SetLabels();
    for (CComboBox* list : {&primaryList_, &secondaryList_})
        for (const std::wstring& name : Applet().ButtonModeNames.Names())
            list->AddString(name);
    UpdateData(false);
    return true;
}

void CEventsPage::SetLabels()
{
    ApplyControlLabels(m_hWnd, Applet().labelStore, kLabels);
    UpdateData(false);
}

void CEventsPage::LoadDeviceValues()
{
    CDeviceSettings* device = Applet().currentDevice;
    if (!device)
        return;
    // A stored code outside 1..13 (index above 12; code 0 reads as index -1) shows the default
    // mode and is written back at the next Apply.
    bool corrected = false;
    if (device->dwPrimaryButtonMode > kLastMode) {
        device->dwPrimaryButtonMode = kDefaultPrimary;
        corrected = true;
    }
    primaryList_.SetCurSel(static_cast<int>(device->dwPrimaryButtonMode));
    if (device->dwSecondaryButtonMode > kLastMode) {
        device->dwSecondaryButtonMode = kDefaultSecondary;
        corrected = true;
    }
    secondaryList_.SetCurSel(static_cast<int>(device->dwSecondaryButtonMode));
    if (corrected || device->bEventsChanged)
        MarkChanged(&CDeviceSettings::bEventsChanged);
}

bool CEventsPage::OnCommand(int id, int code, HWND control)
{
    if (code == CBN_SELCHANGE) {
        switch (id) {
        case IDC_EV_DEVICE:
            OnSelchangeDevice(deviceList_);
            return true;
        case IDC_EV_PRIMARY:
            OnSelchangeMode(primaryList_, &CDeviceSettings::dwPrimaryButtonMode);
            return true;
        case IDC_EV_SECONDARY:
            OnSelchangeMode(secondaryList_, &CDeviceSettings::dwSecondaryButtonMode);
            return true;
        }
    }
    return CDevicePage::OnCommand(id, code, control);
}

void CEventsPage::OnSelchangeMode(const CComboBox& list, DWORD CDeviceSettings::*field)
{
    CDeviceSettings* device = Applet().currentDevice;
    if (!device)
        return;
    const int selected = list.GetCurSel();
    if (selected >= 0)
        device->*field = static_cast<DWORD>(selected);
    MarkChanged(&CDeviceSettings::bEventsChanged);
}
