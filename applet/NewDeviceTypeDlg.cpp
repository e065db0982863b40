#include "NewDeviceTypeDlg.h"

#include "AppletGlobals.h"
#include "ControlLabels.h"
#include "DataExchange.h"
#include "DeviceKeys.h"
#include "resource.h"
#include "LabelBoxes.h"
#include "LabelKeys.h"

namespace {
const wchar_t kCom2[] = L"COM2";
const wchar_t kNoCom2[] = L"No COM2";

const ControlLabel kLabels[] = {
    {IDC_NDT_TYPE_LABEL, LabelKey::LDEV_SELECT_CONTROLLER_FROM_LIST},
    {IDC_NDT_PORT_LABEL, LabelKey::LDEV_SELECT_COM_PORT},
    {IDC_NDT_NEXT, LabelKey::LNEXT},
    {IDCANCEL, LabelKey::LCANCEL},
};
}  // namespace

CNewDeviceTypeDlg::CNewDeviceTypeDlg(HWND parent) : CDialog(IDD_NEW_DEVICE_TYPE, parent) {}

void CNewDeviceTypeDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Control(dx, IDC_NDT_TYPE_LIST, controllerList_);
    DDX_Control(dx, IDC_NDT_PORT_LIST, portList_);
    DDX_Control(dx, IDC_NDT_NEXT, nextButton_);
}

void CNewDeviceTypeDlg::SetLabels()
{
    const CLabelStore& labels = Applet().labelStore;
    std::wstring title = labels.Lookup(LabelKey::LDEV_NEW_POINTER_DEVICE);
    if (!title.empty())
        SetWindowText(title);
    ApplyControlLabels(m_hWnd, labels, kLabels);
}

void CNewDeviceTypeDlg::FillPorts()
{
    const std::vector<std::wstring>& ports = Applet().serialPorts;
    if (ports.empty()) {
        portList_.AddString(kNoCom2);
        noSerialPort_ = true;
        nextButton_.EnableWindow(false);
    } else {
        for (const std::wstring& port : ports) {
            if (port == kCom2) {
                portList_.AddString(port);
                com2Found_ = true;
                break;
            }
        }
    }
    if (!noSerialPort_ && !com2Found_) {
        portList_.AddString(kNoCom2);
        nextButton_.EnableWindow(false);
    }
    portList_.SetCurSel(0);
}

bool CNewDeviceTypeDlg::OnInitDialog()
{
    noSerialPort_ = false;
    com2Found_ = false;
    CDialog::OnInitDialog();
    SetLabels();
    FillPorts();
    const CNameTable& names = Applet().ControllerTypeNames;
    for (size_t i = 0; i < names.Count(); ++i)
        controllerList_.AddString(names.Name(i));
    controllerList_.SetCurSel(0);
    return true;
}

bool CNewDeviceTypeDlg::OnCommand(int id, int code, HWND control)
{
    if (id == IDC_NDT_TYPE_LIST && code == LBN_SELCHANGE) {
        OnSelchangeType();
        return true;
    }
    return CDialog::OnCommand(id, code, control);
}

bool CNewDeviceTypeDlg::OnButtonClicked(int id)
{
    if (id == IDC_NDT_NEXT) {
        OnNext();
        return true;
    }
    return CDialog::OnButtonClicked(id);
}

void CNewDeviceTypeDlg::OnOK()
{
    if (nextButton_.IsWindowEnabled())
        OnNext();
}

void CNewDeviceTypeDlg::OnSelchangeType()
{
    int selected = controllerList_.GetCurSel();
    if (selected == LB_ERR)
        return;
    const bool serial = selected == 0;
    portList_.EnableWindow(serial);
    if (!Com2Available())
        nextButton_.EnableWindow(!serial);
}

void CNewDeviceTypeDlg::OnNext()
{
    int selected = controllerList_.GetCurSel();
    if (selected == LB_ERR) {
        LabelErrorBox(Applet().labelStore, m_hWnd, MessageKey::LERR_SELECT_ONE_CONTROLLER,
                      MessageKey::LPOINTER_DEVICE_PROPERTIES, L"Select atleast one Controller",
                      kPropertiesCaption);
        return;
    }
    // The registry's controller type, whatever text the list shows.
    controllerType_ = selected == 0 ? kSerialControllerType : kUsbControllerType;
    int port = portList_.GetCurSel();
    if (port != CB_ERR)
        port_ = portList_.GetLBText(port);
    EndDialog(IDOK);
}
