#include "HardwareTestBase.h"

#include <windows.h>
#include <commctrl.h>

#include "AppletSession.h"
#include "Equipment.h"

using namespace testsupport;

namespace applettest {

namespace {
constexpr wchar_t kSerialCommKey[] = L"HARDWARE\\DEVICEMAP\\SERIALCOMM";

// Controls that only the Hardware page has all of.
const int kHardwarePageControls[] = {IDC_HW_ADVANCED, IDC_HW_TAB, IDC_HW_WRITE, IDC_HW_READ, IDC_HW_NO_SETTINGS};

bool IsHardwarePage(HWND page)
{
    if (!page)
        return false;
    for (int id : kHardwarePageControls)
        if (!GetDlgItem(page, id))
            return false;
    return true;
}

// The index of the tab captioned "Hardware" (the template caption is indented with blanks).
int HardwareTabIndex(HWND sheet)
{
    HWND tab = GetDlgItem(sheet, 0x3020);
    const int count = static_cast<int>(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[260] = L"";
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = ARRAYSIZE(text);
        SendMessageW(tab, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        std::wstring caption = text;
        caption.erase(0, caption.find_first_not_of(L' '));
        if (caption == L"Hardware")
            return i;
    }
    return -1;
}

BOOL CALLBACK FindTimedPromptProc(HWND window, LPARAM lp)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HWND button = GetDlgItem(window, IDOK);
    if (pid == GetCurrentProcessId() && IsWindowVisible(window) && button && !GetDlgItem(window, 0xFFFF) &&
        TextWithoutMessage(button) == L"Touch Here") {
        *reinterpret_cast<HWND*>(lp) = window;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

void HardwareTest::Prepare(const DeviceRow& device, DWORD controllerKind, const std::vector<std::wstring>& ports,
                           const Labels& labels)
{
    AddProduct(registry, {controllerKind, kInstallDir, WriteLabelFile(labels), device.name});
    AddDevice(registry, device);
    for (size_t i = 0; i < ports.size(); ++i)
        registry.SetString(kSerialCommKey, L"\\Device\\Serial" + std::to_wstring(i), ports[i]);
}

void HardwareTest::OpenHardwarePage(const char* file, int line)
{
    ::testing::ScopedTrace trace(file, line, "opening the Hardware page");
    if (!session)
        session = std::make_unique<AppletSession>();
    ASSERT_TRUE(session->Loaded()) << "Tunora.cpl did not load";
    session->OpenAsync(CPL_DBLCLK);
    sheet = session->WaitSheet();
    ASSERT_NE(sheet, nullptr) << "the sheet did not open";
    // Straight to the Hardware tab: a page activated on the way may mark changes of its own
    // (one that fills in missing values), and the tests here check what this page marks.
    const int index = HardwareTabIndex(sheet);
    ASSERT_GE(index, 0) << "the sheet has no Hardware tab";
    SendMessageW(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
    page = CurrentPage(sheet);
    ASSERT_TRUE(IsHardwarePage(page)) << "the Hardware tab does not show the Hardware page";
}

std::vector<std::wstring> HardwareTest::ComboItems(HWND parent, int id) const
{
    HWND combo = GetDlgItem(parent, id);
    std::vector<std::wstring> items;
    int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[256] = L"";
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

std::wstring HardwareTest::ComboSelection(HWND parent, int id) const
{
    HWND combo = GetDlgItem(parent, id);
    LRESULT selected = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR)
        return L"(none)";
    wchar_t text[256] = L"";
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(text));
    return text;
}

bool HardwareTest::WaitToolsBack() const
{
    // The page gives the four tools back one after another, the Advanced button last.
    return WaitUntil([&] {
        return Enabled(IDC_HW_SENSITIVE) && Enabled(IDC_HW_WRITE) && Enabled(IDC_HW_READ) && Enabled(IDC_HW_ADVANCED);
    });
}

void HardwareTest::ExpectBox(const char* file, int line, const std::wstring& caption, const std::wstring& text,
                             int button, DWORD deadlineMs) const
{
    ::testing::ScopedTrace trace(file, line, "expected message box");
    MessageBoxInfo box = WaitMessageBox(deadlineMs);
    ASSERT_TRUE(box) << "no message box \"" << std::string(text.begin(), text.end()) << "\" came";
    EXPECT_EQ(box.caption, caption);
    EXPECT_EQ(box.text, text);
    EXPECT_TRUE(DismissMessageBox(box, button));
}

MessageBoxInfo WaitMessageBox(DWORD deadlineMs) { return WaitForMessageBox(deadlineMs, GetCurrentProcessId()); }

HWND HardwareTest::WaitDialog(const std::wstring& title, DWORD deadlineMs) const
{
    return WaitForWindow(L"#32770", title, deadlineMs, GetCurrentProcessId());
}

HWND FindTimedPrompt()
{
    HWND found = nullptr;
    EnumWindows(FindTimedPromptProc, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::wstring TextWithoutMessage(HWND control)
{
    wchar_t text[256] = L"";
    InternalGetWindowText(control, text, 256);
    return text;
}

std::vector<standin::LoggedRequest> HardwareTest::Requests(const DeviceRow& device, DWORD code) const
{
    return standin::Select(standin::ReadLog(), device.serial ? standin::Driver::Rilo : standin::Driver::Meka,
                           static_cast<unsigned>(device.instance), code);
}

std::string HardwareTest::DisableEnableTrail(const DeviceRow& device) const
{
    std::string trail;
    for (const auto& request : Requests(device)) {
        if (request.code == standin::ioctl::kDisableDevice)
            trail += 'D';
        else if (request.code == standin::ioctl::kEnableDevice)
            trail += 'E';
    }
    return trail;
}

void SerialToolsTest::SetUp()
{
    HardwareTest::SetUp();
    ASSERT_EQUIPMENT(sim.Running() && sim.Reset(), "the simulated serial controller behind COM2");
}

DeviceRow SerialToolsTest::SerialDevice() const
{
    DeviceRow device = Serial(1, L"Front Panel");
    device.port = sim.Port();
    return device;
}

}  // namespace applettest
