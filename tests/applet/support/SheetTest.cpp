#include "SheetTest.h"

#include <commctrl.h>

#include "Equipment.h"
#include "StandinClient.h"

using namespace testsupport;

namespace applettest {

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

std::wstring WithoutSurroundingBlanks(std::wstring text)
{
    text.erase(0, text.find_first_not_of(L' '));
    text.erase(text.find_last_not_of(L' ') + 1);
    return text;
}
}  // namespace

void SheetTest::SetUp() { ASSERT_EQUIPMENT(standin::Reset(), "the stand-in drivers"); }

void SheetTest::InstallKeys(const ProductKeyRow& product, const std::vector<DeviceRow>& devices)
{
    AddProduct(registry, product);
    for (const DeviceRow& device : devices)
        AddDevice(registry, device);
}

void SheetTest::Install(const std::vector<DeviceRow>& devices, const std::wstring& current, DWORD controllerKind,
                        const Labels& labels)
{
    Labels withOne = labels;
    withOne.push_back({L"LUNUSED", L"unused"});
    InstallKeys({controllerKind, kInstallDir, WriteLabelFile(withOne), current}, devices);
}

void SheetTest::SetPorts(const std::vector<std::wstring>& ports)
{
    registry.DeleteTree(kSerialPortMap);
    registry.CreateKey(kSerialPortMap);
    for (size_t i = 0; i < ports.size(); ++i)
        registry.SetString(kSerialPortMap, L"\\Device\\Serial" + std::to_wstring(i), ports[i]);
}

void SheetTest::OpenSheet(int pageControlId, const char* file, int line, UINT openMessage)
{
    ::testing::ScopedTrace trace(file, line, "opening the sheet");
    if (!session)
        session = std::make_unique<AppletSession>();
    ASSERT_TRUE(session->Loaded()) << "Tunora.cpl did not load";
    session->OpenAsync(openMessage);
    sheet = session->WaitSheet();
    ASSERT_NE(sheet, nullptr) << "the sheet did not open";
    page = SelectPageWithControl(sheet, pageControlId);
    ASSERT_NE(page, nullptr) << "no page has control " << pageControlId;
}

void SheetTest::OpenSheetOnTab(const std::wstring& caption, const char* file, int line)
{
    ::testing::ScopedTrace trace(file, line, "showing a page");
    ASSERT_NO_FATAL_FAILURE(OpenSheet(IDC_DEV_LIST, file, line));
    const int index = TabIndex(caption);
    ASSERT_GE(index, 0) << "no tab is captioned " << ::testing::PrintToString(caption);
    SendMessageW(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
    page = CurrentPage(sheet);
    ASSERT_EQ(CurrentPageIndex(sheet), index) << "the page refused to show";
    ASSERT_NE(page, nullptr);
}

HWND SheetTest::ShowPage(int controlId)
{
    page = SelectPageWithControl(sheet, controlId);
    return page;
}

int SheetTest::TabIndex(const std::wstring& caption) const
{
    const std::vector<std::wstring> captions = TabCaptions(sheet);
    for (size_t i = 0; i < captions.size(); ++i)
        if (WithoutSurroundingBlanks(captions[i]) == caption)
            return static_cast<int>(i);
    return -1;
}

void SheetTest::Close(int button)
{
    ASSERT_TRUE(session->Close(button)) << "the sheet did not close";
    sheet = nullptr;
    page = nullptr;
}

bool SheetTest::ApplySync()
{
    // A question during the apply would keep the click from returning: that is a failure.
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(GetDlgItem(sheet, IDC_SHEET_APPLY), BM_CLICK, 0, 0, SMTO_NORMAL, kDefaultDeadlineMs,
                               &ignored) != 0;
}

bool SheetTest::DialogDone(HWND dialog)
{
    if (!WaitWindowGone(dialog))
        return false;
    WaitIdle();
    return true;
}

void SheetTest::WaitIdle(HWND window) const
{
    // Sent messages are handled only when the window's thread waits for messages again.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window ? window : sheet, WM_NULL, 0, 0, SMTO_NORMAL, kDefaultDeadlineMs, &ignored);
}

int SheetTest::SliderPos(int id) const { return static_cast<int>(SendMessageW(Control(id), TBM_GETPOS, 0, 0)); }

std::vector<std::wstring> SheetTest::ComboItems(HWND parent, int id) const
{
    std::vector<std::wstring> items;
    HWND combo = GetDlgItem(parent, id);
    const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&text[0]));
        text.resize(static_cast<size_t>(length > 0 ? length : 0));
        items.push_back(text);
    }
    return items;
}

int SheetTest::ComboSelection(int id) const { return static_cast<int>(SendMessageW(Control(id), CB_GETCURSEL, 0, 0)); }

void SheetTest::ChooseDevice(int listId, const std::wstring& name)
{
    const std::vector<std::wstring> items = ComboItems(listId);
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i] == name) {
            ChooseComboItem(page, listId, static_cast<int>(i));
            return;
        }
    }
    ADD_FAILURE() << "no device " << ::testing::PrintToString(name) << " in the list";
}

std::vector<ListRow> SheetTest::Rows(int listId) const
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

std::vector<std::wstring> SheetTest::Names(int listId) const
{
    std::vector<std::wstring> names;
    for (const ListRow& row : Rows(listId))
        names.push_back(row.cells.size() > 1 ? row.cells[1] : L"");
    return names;
}

void SheetTest::SelectRow(int listId, int row)
{
    HWND list = GetDlgItem(CurrentPage(sheet), listId);
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

int SheetTest::SelectedRow(int listId) const
{
    HWND list = GetDlgItem(CurrentPage(sheet), listId);
    return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

DWORD SheetTest::DeviceValue(const DeviceRow& device, const wchar_t* name) const
{
    return registry.Read(DeviceKeyPath(device), name).AsDword();
}

std::wstring SheetTest::ProductValue(const wchar_t* name) const
{
    return registry.Read(kProductKeyPath, name).AsString();
}

DWORD SheetTest::ProductDword(const wchar_t* name) const { return registry.Read(kProductKeyPath, name).AsDword(); }

}  // namespace applettest
