#include "DevicesPage.h"

#include <memory>

#include "AppletGlobals.h"
#include "ControlLabels.h"
#include "DataExchange.h"
#include "DeviceKeys.h"
#include "LabelBoxes.h"
#include "LabelKeys.h"
#include "NewDeviceNameDlg.h"
#include "NewDeviceTypeDlg.h"
#include "RegistryKey.h"
#include "resource.h"

namespace {
constexpr size_t kColumnNameChars = 259;
constexpr int kColumnCount = 4;
// Shown when a new device's key cannot be created; its settings stay unapplied.
constexpr wchar_t kNotSavedKey[] = L"LERR_DEVICE_NOT_SAVED";
constexpr wchar_t kNotSavedText[] = L"The new device could not be saved in the registry";

// Column headings; the label setter replaces them for as long as the applet is loaded.
std::wstring DeviceColumnNames[kColumnCount] = {L"#", L"Device", L"Segment", L"Controller"};
const wchar_t* const kColumnKeys[kColumnCount] = {LabelKey::LDEV_DEVICE, LabelKey::LDEV_SL_NO,
                                                  LabelKey::LDEV_SEGMENT, LabelKey::LDEV_CONTROLLER};

const ControlLabel kLabels[] = {
    {IDC_DEV_HEADING, LabelKey::LDEV_DEVICE_HEADING},
    {IDC_DEV_ADD, LabelKey::LDEV_ADD},
    {IDC_DEV_MODIFY, LabelKey::LDEV_MODIFY},
    {IDC_DEV_REMOVE, LabelKey::LDEV_REMOVE},
};
}  // namespace

CDevicesPage::CDevicesPage() : CDevicePage(IDD_DEVICES) { Psp().dwFlags |= PSP_HASHELP; }

void CDevicesPage::DoDataExchange(CDataExchange& dx)
{
    DDX_Control(dx, IDC_DEV_LIST, list_);
    DDX_Control(dx, IDC_DEV_REMOVE, removeButton_);
    DDX_Control(dx, IDC_DEV_MODIFY, modifyButton_);
}

void CDevicesPage::SetLabels()
{
    const CLabelStore& labels = Applet().labelStore;
    ApplyControlLabels(m_hWnd, labels, kLabels);
    for (int i = 0; i < kColumnCount; ++i) {
        std::wstring text = labels.Lookup(kColumnKeys[i]);
        if (!text.empty())
            DeviceColumnNames[i] = text.substr(0, kColumnNameChars);
    }
}

bool CDevicesPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    list_.SubclassWindow(list_.m_hWnd);
    SetLabels();
    for (int i = 0; i < kColumnCount; ++i)
        list_.InsertColumn(i, DeviceColumnNames[i], LVCFMT_LEFT);
    list_.SetColumnWidth(0, LVSCW_AUTOSIZE);
    // Until rows arrive the other columns are as wide as their headings.
    for (int i = 1; i < kColumnCount; ++i)
        list_.SetColumnWidth(i, LVSCW_AUTOSIZE_USEHEADER);
    removeButton_.EnableWindow(false);
    modifyButton_.EnableWindow(false);
    return true;
}

bool CDevicesPage::OnSetActive()
{
    list_.DeleteAllItems();
    nextRowNumber_ = 1;
    FillList();
    return CPropertyPage::OnSetActive();
}

bool CDevicesPage::OnApply()
{
    CPropertyPage::OnApply();
    if (applied_)
        return true;
    // The sheet stays open; Cancel takes the device back.
    LabelErrorBox(Applet().labelStore, m_hWnd, kNotSavedKey, MessageKey::LPOINTER_DEVICE_PROPERTIES, kNotSavedText,
                  kPropertiesCaption);
    return false;
}

void CDevicesPage::OnOK()
{
    applied_ = Applet().deviceCollection.ApplyChanges();
    CPropertyPage::OnOK();
}

void CDevicesPage::OnCancel()
{
    CPropertyPage::OnCancel();
    // Deletes the keys of the devices added since the last apply, then puts the collection back
    // to what the registry holds, so a later apply in this process cannot act on a cancelled
    // rename, segment change or removal, and the product key names the current device as
    // stored again.
    Applet().CancelChanges();
}

void CDevicesPage::FillList()
{
    CAppletContext& ctx = Applet();
    std::vector<CDeviceSettings*> records;
    ctx.deviceCollection.GetDevices(records);
    if (records.empty())
        return;
    // Without redraw while the rows go in: otherwise every row updates the scroll bar and
    // repaints, which made the opening with many devices several times slower. AutoSizeColumns
    // turns it on again. The rows go in past the list's hook too (CBulkUpdate); it is back
    // before the focus moves to the list.
    {
        CReportListCtrl::CBulkUpdate bulk(list_);
        list_.SendMessage(WM_SETREDRAW, FALSE);
        for (CDeviceSettings* record : records)
            if (!record->bRemoved)
                InsertDeviceRow(*record, nextRowNumber_++);
        list_.AutoSizeColumns();
    }
    ::SetFocus(list_.m_hWnd);
    list_.SelectRow(list_.FindRowByName(L""));
}

void CDevicesPage::InsertDeviceRow(const CDeviceSettings& record, int number)
{
    const CAppletContext& ctx = Applet();
    int row = list_.InsertRow(number, std::to_wstring(number));
    if (row < 0)
        return;
    list_.SetRowName(row, record.Str_DeviceName);
    list_.SetCellText(row, 2, ctx.SegmentNames.Name(record.Str_DesktopSegment));
    list_.SetCellText(row, 3, ctx.ControllerTypeNames.Name(record.ControllerProtocol == kSerialControllerType ? 0 : 1));
}

bool CDevicesPage::OnButtonClicked(int id)
{
    switch (id) {
    case IDC_DEV_ADD:
        OnAdd();
        return true;
    case IDC_DEV_MODIFY:
        OnModify();
        return true;
    case IDC_DEV_REMOVE:
        OnRemove();
        return true;
    }
    return CPropertyPage::OnButtonClicked(id);
}

bool CDevicesPage::OnNotify(NMHDR* header, LRESULT& result)
{
    if (header->idFrom == IDC_DEV_LIST && header->code == LVN_ITEMCHANGED) {
        OnItemChanged(*reinterpret_cast<NMLISTVIEW*>(header));
        result = 0;
        return true;
    }
    return CPropertyPage::OnNotify(header, result);
}

void CDevicesPage::OnItemChanged(const NMLISTVIEW& change)
{
    // Only a row that became selected makes its device current: the list may report the new
    // selection before it reports the old row losing it.
    if ((change.uChanged & LVIF_STATE) && (change.uNewState & LVIS_SELECTED) && change.iItem >= 0)
        Applet().SelectDevice(list_.GetRowName(change.iItem));
    UpdateButtons();
}

void CDevicesPage::UpdateButtons()
{
    bool selected = list_.GetSelectedCount() > 0;
    removeButton_.EnableWindow(selected);
    modifyButton_.EnableWindow(selected);
}

CDeviceSettings* CDevicesPage::SelectedDevice(int& row) const
{
    row = list_.GetSelectedRow();
    if (row < 0)
        return nullptr;
    return Applet().deviceCollection.FindActiveByName(list_.GetRowName(row));
}

bool CDevicesPage::NameInList(const std::wstring& name, int exceptRow) const
{
    for (int row = 0, count = list_.GetItemCount(); row < count; ++row)
        if (row != exceptRow && list_.GetRowName(row) == name)
            return true;
    return false;
}

void CDevicesPage::ShowNameError(bool duplicate)
{
    const CLabelStore& labels = Applet().labelStore;
    if (duplicate)
        LabelErrorBox(labels, m_hWnd, MessageKey::LERR_DEVICE_EXISTS, MessageKey::LPOINTER_DEVICE_PROPERTIES,
                      L"DeviceName Already existed enter other name", kPropertiesCaption);
    else
        LabelErrorBox(labels, m_hWnd, MessageKey::LERR_DEVICE_NAME_SHOULD_NOT_BE_BLANK,
                      MessageKey::LPOINTER_DEVICE_PROPERTIES, L"Device name should not be blank", kPropertiesCaption);
}

void CDevicesPage::OnAdd()
{
    // The dialogs are owned by the sheet, which stays disabled while they are open.
    CNewDeviceTypeDlg typeDlg(m_hWnd);
    CNewDeviceNameDlg nameDlg(m_hWnd);
    if (typeDlg.DoModal() != IDOK) {
        ::SetFocus(list_.m_hWnd);
        return;
    }

    std::wstring type = typeDlg.GetControllerType();
    std::wstring name;
    std::wstring port;
    DWORD instance = 0;
    CRegistryKey registry;
    if (IsControllerType(type, kSerialControllerType)) {
        instance = registry.NextFreeSerialInstance();
        name = L"RILO Device-" + std::to_wstring(instance);
        port = typeDlg.GetPort();
    } else if (IsControllerType(type, kUsbControllerType)) {
        instance = registry.NextFreeUsbInstance();
        name = L"MEKA Device-" + std::to_wstring(instance);
    }

    for (;;) {
        nameDlg.SetName(name);
        if (nameDlg.DoModal() != IDOK)
            return;
        name = nameDlg.GetName();
        if (NameInList(name, -1)) {
            ShowNameError(true);
        } else if (name.empty()) {
            ShowNameError(false);
        } else {
            AddDevice(name, type, nameDlg.GetSegment(), std::to_wstring(instance), port);
            return;
        }
    }
}

void CDevicesPage::AddDevice(const std::wstring& name, const std::wstring& type, int segment,
                             const std::wstring& instance, const std::wstring& port)
{
    if (name.empty() || type.empty() || instance.empty())
        return;
    CAppletContext& ctx = Applet();
    auto record = std::make_unique<CDeviceSettings>();
    record->SetDefaults(ctx.installDir, ctx.controllerKind);
    record->bAdded = true;
    record->Str_SubKey = instance;
    record->Str_DeviceName = name;
    record->ControllerProtocol = type;
    record->Str_DesktopSegment = static_cast<DWORD>(segment < 0 ? 0 : segment);

    // The device key exists from now on; the apply writes its values, Cancel deletes it.
    DeviceFamily family;
    if (KeyFamilyOfType(type, family)) {
        if (family == DeviceFamily::Serial)
            record->Str_Port = port;
        HKEY key = nullptr;
        if (CRegistryKey().CreateSecuredKey(DeviceKeyPath(family, instance).c_str(), &key) == ERROR_SUCCESS)
            record->hSubKey.Reset(key);
    }
    CDeviceSettings* added = record.get();
    ctx.deviceCollection.Add(record.release());

    InsertDeviceRow(*added, nextRowNumber_++);
    list_.AutoSizeColumns();
    ctx.SelectDevice(name);
    list_.SelectRow(list_.FindRowByName(name));
    MarkChanged(added, &CDeviceSettings::bIdentityChanged);
}

void CDevicesPage::OnModify()
{
    int row = -1;
    CDeviceSettings* device = SelectedDevice(row);
    if (!device)
        return;
    CNewDeviceNameDlg dlg(m_hWnd);
    for (;;) {
        dlg.SetName(list_.GetRowName(row));
        dlg.SetSegment(static_cast<int>(device->Str_DesktopSegment));
        if (dlg.DoModal() != IDOK)
            return;
        std::wstring name = dlg.GetName();
        int segment = dlg.GetSegment();
        if (NameInList(name, row)) {
            ShowNameError(true);
        } else if (name.empty()) {
            ShowNameError(false);
        } else {
            if (segment != static_cast<int>(device->Str_DesktopSegment))
                device->bRecalibrate = true;
            ModifyDevice(name, segment, row, device);
            return;
        }
    }
}

void CDevicesPage::ModifyDevice(const std::wstring& name, int segment, int row, CDeviceSettings* device)
{
    if (name.empty() || !device)
        return;
    CAppletContext& ctx = Applet();
    list_.SetRowName(row, name);
    list_.SetCellText(row, 2, ctx.SegmentNames.Name(static_cast<size_t>(segment)));
    device->Str_DeviceName = name;
    device->Str_DesktopSegment = static_cast<DWORD>(segment);
    list_.AutoSizeColumns();
    list_.SelectRow(row);
    ::SetFocus(list_.m_hWnd);
    // The renamed device stays the current one, under its new name.
    ctx.SelectDevice(name);
    MarkChanged(device, &CDeviceSettings::bIdentityChanged);
}

void CDevicesPage::OnRemove()
{
    int row = -1;
    CDeviceSettings* device = SelectedDevice(row);
    if (!device)
        return;
    int answer = LabelQuestionBox(Applet().labelStore, m_hWnd, MessageKey::LMSG_DELETE_CONFIRMATION,
                                  MessageKey::LPOINTER_DEVICE_PROPERTIES,
                                  L"Are you sure you wish to remove the following\npointer device and controller "
                                  L"from this system",
                                  kPropertiesCaption);
    if (answer != IDYES)
        return;
    // Nothing leaves the registry or reaches the driver before the apply.
    device->bRemoved = true;
    list_.DeleteItem(row);
    MarkChanged(device, &CDeviceSettings::bIdentityChanged);
    // The removed name is no longer listed, so the first remaining row becomes current.
    list_.SelectRow(list_.FindRowByName(L""));
    UpdateButtons();
}
