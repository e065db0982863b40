#include "PagesTestBase.h"

#include <commctrl.h>

namespace pagestest {

void PagesTest::Install(const std::vector<DeviceRow>& devices, const std::wstring& current, DWORD controllerKind,
                        const Labels& labels)
{
    Labels withOne = labels;
    withOne.push_back({L"LUNUSED", L"unused"});   // a label file with at least one entry
    AddProduct(registry, {controllerKind, kInstallDir, WriteLabelFile(withOne), current});
    for (const DeviceRow& device : devices)
        AddDevice(registry, device);
}

void PagesTest::ShowPage(const std::wstring& caption, const char* file, int line)
{
    ::testing::ScopedTrace trace(file, line, "showing a page");
    OPEN_SHEET(IDC_DEV_LIST);
    const std::vector<std::wstring> captions = TabCaptions();
    int index = -1;
    for (size_t i = 0; i < captions.size() && index < 0; ++i)
        if (captions[i] == caption)
            index = static_cast<int>(i);
    ASSERT_GE(index, 0) << "no tab is captioned " << ::testing::PrintToString(caption);
    SendMessageW(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
    page = CurrentPage(sheet);
    ASSERT_EQ(CurrentPageIndex(sheet), index) << "the page refused to show";
    ASSERT_NE(page, nullptr);
}

std::vector<std::wstring> PagesTest::TabCaptions() const { return applettest::TabCaptions(sheet); }

void PagesTest::ChooseDevice(int listId, const std::wstring& name)
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

std::vector<std::wstring> PagesTest::ComboItems(int id) const
{
    std::vector<std::wstring> items;
    HWND combo = Control(id);
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

int PagesTest::ComboSelection(int id) const { return static_cast<int>(SendMessageW(Control(id), CB_GETCURSEL, 0, 0)); }

std::vector<uint8_t> ModeBytes(DWORD primaryCode, DWORD secondaryCode, BYTE click, BYTE tap, BYTE liftOff)
{
    std::vector<uint8_t> bytes;
    for (DWORD code : {primaryCode, secondaryCode})
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<uint8_t>(code >> shift));
    bytes.insert(bytes.end(), {click, tap, liftOff, 0});
    return bytes;
}

std::vector<uint8_t> BitmapBits(HBITMAP bitmap)
{
    BITMAP info{};
    if (!bitmap || !GetObjectW(bitmap, sizeof info, &info))
        return {};
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = info.bmWidth;
    format.bmiHeader.biHeight = info.bmHeight;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<uint8_t> bits(static_cast<size_t>(info.bmWidth) * static_cast<size_t>(info.bmHeight) * 4);
    HDC screen = GetDC(nullptr);
    const int lines = GetDIBits(screen, bitmap, 0, static_cast<UINT>(info.bmHeight), bits.data(), &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (lines != info.bmHeight)
        return {};
    return bits;
}

std::vector<uint8_t> AppletBitmapBits(int id)
{
    HBITMAP bitmap = LoadBitmapW(GetModuleHandleW(L"Tunora.cpl"), MAKEINTRESOURCEW(id));
    std::vector<uint8_t> bits = BitmapBits(bitmap);
    if (bitmap)
        DeleteObject(bitmap);
    return bits;
}

}  // namespace pagestest
