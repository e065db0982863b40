#include "StatusPage.h"

#include <vector>

#include "AppletGlobals.h"
#include "ControlLabels.h"
#include "DataExchange.h"
#include "DeviceAccess.h"
#include "resource.h"
#include "DriverProtocol.h"
#include "ImageList.h"
#include "LabelKeys.h"
#include "WinApp.h"

namespace {
constexpr size_t kColumnNameChars = 255;
constexpr int kColumnCount = 4;
constexpr int kStateImageWidth = 16;
const wchar_t kNotAvailable[] = L"NA";

// Column headings; the label setter replaces them for as long as the applet is loaded.
std::wstring StatusColumnNames[kColumnCount] = {L"#", L"Device", L"Comms Errors", L"Sync Errors"};
const wchar_t* const kColumnKeys[kColumnCount] = {LabelKey::LDEV_DEVICE, LabelKey::LDEV_SL_NO,
                                                  LabelKey::LST_COMM_ERRORS, LabelKey::LST_SYNC_ERRORS};

const ControlLabel kLabels[] = {
    {IDC_ST_HEADING, LabelKey::LST_STATUS_HEADING},
    {IDC_ST_LIST_LABEL, LabelKey::LSTATUS_PAGE},
    {IDC_ST_REINITIALIZE, LabelKey::LST_REINITIALIZE},
};

// The row picture of a device state: 0 not active, 1 active; a state past the pictures shows none.
int StateImage(DWORD state) { return state > 0x7FFF ? 0x7FFF : static_cast<int>(state); }
}  // namespace

CStatusPage::CStatusPage() : CDevicePage(IDD_STATUS) { Psp().dwFlags |= PSP_HASHELP; }

void CStatusPage::DoDataExchange(CDataExchange& dx)
{
    DDX_Control(dx, IDC_ST_LIST, list_);
    DDX_Control(dx, IDC_ST_REINITIALIZE, reinitializeButton_);
}

void CStatusPage::SetLabels()
{
    const CLabelStore& labels = Applet().labelStore;
    ApplyControlLabels(m_hWnd, labels, kLabels);
    for (int i = 0; i < kColumnCount; ++i) {
        std::wstring text = labels.Lookup(kColumnKeys[i]);
        if (!text.empty())
            StatusColumnNames[i] = text.substr(0, kColumnNameChars);
    }
}

bool CStatusPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    list_.SubclassWindow(list_.m_hWnd);
    SetLabels();
    for (int i = 0; i < kColumnCount; ++i)
        list_.InsertColumn(i, StatusColumnNames[i], LVCFMT_LEFT);
    list_.SetColumnWidth(0, LVSCW_AUTOSIZE);
    // The list (without LVS_SHAREIMAGELISTS) destroys its image lists with its window, so it
    // takes this one over; a list it gives back is ours again.
    CImageList images;
    images.Create(CWinApp::ResourceInstance(), IDB_STATUS_STATES, kStateImageWidth, RGB(255, 255, 255));
    if (HIMAGELIST previous = list_.SetImageList(images.Detach(), LVSIL_SMALL))
        ImageList_Destroy(previous);
    list_.AutoSizeColumns();
    return true;
}

void CStatusPage::OnOK() { CPropertyPage::OnOK(); }

bool CStatusPage::OnSetActive()
{
    if (RedirectWhenNoControllerLeft())
        return false;
    if (list_.GetSelectedCount() == 0)
        reinitializeButton_.EnableWindow(false);
    list_.DeleteAllItems();
    Refresh();
    return CPropertyPage::OnSetActive();
}

void CStatusPage::Refresh()
{
    std::vector<CDeviceSettings*> records;
    Applet().deviceCollection.GetDevices(records);
    for (size_t i = 0; i < records.size(); ++i) {
        CDeviceSettings* record = records[i];
        if (record->bRemoved)
            continue;
        const int position = static_cast<int>(i);
        CloseDeviceHandle(record);
        record->hDevice = INVALID_HANDLE_VALUE;
        if (!IsValidDeviceHandle(GetDeviceHandle(record))) {
            AddStatusRow(record->Str_DeviceName, position, 0, 0, 0);
            continue;
        }
        DeviceStateReply reply{};
        if (DeviceIoctl(record, IOCTL_DEVICE_STATE, nullptr, 0, &reply, sizeof reply)) {
            AddStatusRow(record->Str_DeviceName, position, reply.commErrors, reply.syncErrors, reply.state);
            record->bActive = reply.state != 0;
        } else {
            AppMessageBox(L"Status failed from the Driver");
            AddStatusRow(record->Str_DeviceName, position, 0, 0, 0);
        }
    }
    ::SetFocus(list_.m_hWnd);
    list_.SelectRow(list_.FindRowByName(L""));
}

void CStatusPage::AddStatusRow(const std::wstring& name, int position, DWORD commErrors, DWORD syncErrors,
                               DWORD state)
{
    int row = list_.InsertRow(position, L"", StateImage(state));
    if (row < 0)
        return;
    list_.SetRowName(row, name);
    list_.SetCellText(row, 2, state != 0 ? std::to_wstring(commErrors) : kNotAvailable);
    list_.SetCellText(row, 3, state != 0 ? std::to_wstring(syncErrors) : kNotAvailable);
    list_.AutoSizeColumns();
}

bool CStatusPage::OnButtonClicked(int id)
{
    if (id == IDC_ST_REINITIALIZE) {
        OnReinitialize();
        return true;
    }
    return CPropertyPage::OnButtonClicked(id);
}

bool CStatusPage::OnNotify(NMHDR* header, LRESULT& result)
{
    if (header->idFrom == IDC_ST_LIST && header->code == LVN_ITEMCHANGED) {
        OnItemChanged(*reinterpret_cast<NMLISTVIEW*>(header));
        result = 0;
        return true;
    }
    return CPropertyPage::OnNotify(header, result);
}

void CStatusPage::OnItemChanged(const NMLISTVIEW& change)
{
    // Only a row that became selected makes its device current (see the Devices page).
    if ((change.uChanged & LVIF_STATE) && (change.uNewState & LVIS_SELECTED) && change.iItem >= 0)
        Applet().SelectDevice(list_.GetRowName(change.iItem));
    reinitializeButton_.EnableWindow(list_.GetSelectedCount() > 0);
}

void CStatusPage::OnReinitialize()
{
    int row = list_.GetSelectedRow();
    if (row < 0)
        return;
    // The device of the selected row; none when its record has gone.
    CDeviceSettings* device = Applet().deviceCollection.FindActiveByName(list_.GetRowName(row));
    if (!device)
        return;
    CloseDeviceHandle(device);
    device->hDevice = INVALID_HANDLE_VALUE;
    if (IsValidDeviceHandle(GetDeviceHandle(device)))
        DeviceIoctl(device, IOCTL_REINITIALIZE_DEVICE);
    list_.DeleteAllItems();
    Refresh();
}
