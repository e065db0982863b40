#include "DevicePage.h"

#include "AppletGlobals.h"
#include "ComboBox.h"
#include "resource.h"

bool ClampValue(DWORD& value, DWORD low, DWORD high)
{
    if (value < low) {
        value = low;
        return true;
    }
    if (value > high) {
        value = high;
        return true;
    }
    return false;
}

void CDevicePage::MarkChanged(bool CDeviceSettings::*group) { MarkChanged(Applet().currentDevice, group); }

void CDevicePage::MarkChanged(CDeviceSettings* device, bool CDeviceSettings::*group)
{
    if (device)
        device->*group = true;
    MarkModified();
}

void CDevicePage::MarkModified()
{
    SetModified(true);
    SendMessage(DM_SETDEFID, IDC_SHEET_APPLY);
}

void CDevicePage::FillDeviceCombo(CComboBox& combo) { Applet().FillDeviceCombo(combo.m_hWnd); }

bool CDevicePage::SelectDeviceFromCombo(const CComboBox& combo)
{
    CAppletContext& ctx = Applet();
    const int selected = combo.GetCurSel();
    if (selected < 0 || !ctx.currentDevice)
        return false;
    ctx.SelectDevice(combo.GetLBText(selected));
    return true;
}

bool CDevicePage::RedirectWhenNoControllerLeft()
{
    if (!Applet().NoControllerLeft())
        return false;
    // Posted: the sheet is in the middle of changing pages. The first page itself has nowhere
    // to go; asking for it again would only come back here.
    HWND sheet = GetSheetWindow();
    if (sheet && ::SendMessageW(sheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(m_hWnd), 0) != 0)
        ::PostMessageW(sheet, PSM_SETCURSEL, 0, 0);
    UpdateData(false);
    return true;
}

bool CDevicePage::ActivateWithDeviceList(CComboBox& deviceList)
{
    if (RedirectWhenNoControllerLeft())
        return false;
    FillDeviceCombo(deviceList);
    LoadDeviceValues();
    return CPropertyPage::OnSetActive();
}

void CDevicePage::OnSelchangeDevice(const CComboBox& deviceList)
{
    if (SelectDeviceFromCombo(deviceList))
        LoadDeviceValues();
}

void CDevicePage::ApplyDeviceChanges()
{
    Applet().deviceCollection.ApplyChanges();
    CPropertyPage::OnOK();
}
