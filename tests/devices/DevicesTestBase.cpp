#include "DevicesTestBase.h"

#include <commctrl.h>

using namespace applettest;
using namespace testsupport;

namespace devicestest {

namespace {
std::wstring ItemText(HWND list, int row, int column)
{
    wchar_t buffer[512] = L"";
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = 512;
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return buffer;
}
}  // namespace

std::vector<standin::LoggedRequest> Requests(DWORD code)
{
    std::vector<standin::LoggedRequest> found;
    for (const standin::LoggedRequest& request : standin::ReadLog())
        if (request.code == code)
            found.push_back(request);
    return found;
}

void DevicesTest::Install(const std::vector<DeviceRow>& devices, const std::wstring& current,
                          const std::vector<std::wstring>& ports, DWORD controllerKind)
{
    AddProduct(registry, {controllerKind, kInstallDir, WriteLabelFile({{L"LUNUSED", L"unused"}}), current});
    for (const DeviceRow& device : devices)
        AddDevice(registry, device);
    SetPorts(ports);
}

void DevicesTest::SetPorts(const std::vector<std::wstring>& ports)
{
    registry.DeleteTree(kSerialPortMap);
    registry.CreateKey(kSerialPortMap);
    for (size_t i = 0; i < ports.size(); ++i)
        registry.SetString(kSerialPortMap, L"\\Device\\Serial" + std::to_wstring(i), ports[i]);
}

void DevicesTest::Close(int button)
{
    ASSERT_TRUE(session->Close(button)) << "the sheet did not close";
    sheet = nullptr;
    page = nullptr;
}

int DevicesTest::TabIndex(const std::wstring& captionStart) const
{
    const std::vector<std::wstring> captions = TabCaptions(sheet);
    for (size_t i = 0; i < captions.size(); ++i)
        if (captions[i].compare(0, captionStart.size(), captionStart) == 0)
            return static_cast<int>(i);
    return -1;
}

HWND DevicesTest::ShowPage(int controlId)
{
    page = SelectPageWithControl(sheet, controlId);
    return page;
}

std::vector<ListRow> DevicesTest::Rows(int listId) const
{
    std::vector<ListRow> rows;
    HWND list = GetDlgItem(CurrentPage(sheet), listId);
    int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    int columns = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        ListRow entry;
        for (int column = 0; column < columns; ++column)
            entry.cells.push_back(ItemText(list, row, column));
        entry.selected = SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) != 0;
        LVITEMW item{};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        entry.image = item.iImage;
        rows.push_back(entry);
    }
    return rows;
}

std::vector<std::wstring> DevicesTest::Names(int listId) const
{
    std::vector<std::wstring> names;
    for (const ListRow& row : Rows(listId))
        names.push_back(row.cells.size() > 1 ? row.cells[1] : L"");
    return names;
}

void DevicesTest::SelectRow(int listId, int row)
{
    HWND list = GetDlgItem(CurrentPage(sheet), listId);
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

int DevicesTest::SelectedRow(int listId) const
{
    HWND list = GetDlgItem(CurrentPage(sheet), listId);
    return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

HWND DevicesTest::WaitDialogWith(int controlId, HWND other)
{
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindDialogWithControl(controlId, other)) != nullptr; });
    return found;
}

HWND DevicesTest::StartAdd()
{
    ClickControl(page, IDC_DEV_ADD);
    return WaitDialogWith(IDC_NDT_TYPE_LIST);
}

HWND DevicesTest::NextToNameDialog(HWND typeDialog)
{
    ClickControl(typeDialog, IDC_NDT_NEXT);
    EXPECT_TRUE(WaitWindowGone(typeDialog)) << "the type dialog stayed open";
    return WaitDialogWith(IDC_NDN_NAME);
}

void DevicesTest::AcceptName(HWND nameDialog, const std::wstring& name, int segment)
{
    SetDlgItemTextW(nameDialog, IDC_NDN_NAME, name.c_str());
    if (segment >= 0)
        SendDlgItemMessageW(nameDialog, IDC_NDN_SEGMENT, CB_SETCURSEL, static_cast<WPARAM>(segment), 0);
    ClickControl(nameDialog, IDOK);
}

MessageBoxInfo DevicesTest::WaitBox() { return WaitForMessageBox(kDefaultDeadlineMs, pid); }

bool DevicesTest::ApplySync()
{
    // A question during the apply would keep the click from returning: that is a failure.
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(GetDlgItem(sheet, IDC_SHEET_APPLY), BM_CLICK, 0, 0, SMTO_NORMAL, kDefaultDeadlineMs,
                               &ignored) != 0;
}

bool DevicesTest::DialogDone(HWND dialog)
{
    if (!WaitWindowGone(dialog))
        return false;
    WaitIdle();
    return true;
}

void DevicesTest::WaitIdle()
{
    // Sent messages are handled only when the sheet's thread waits for messages again.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(sheet, WM_NULL, 0, 0, SMTO_NORMAL, kDefaultDeadlineMs, &ignored);
}

std::wstring DevicesTest::ProductValue(const wchar_t* name) const
{
    return registry.Read(kProductKeyPath, name).AsString();
}

}  // namespace devicestest
