#include "HardwareTestBase.h"

#include <windows.h>
#include <commctrl.h>

#include "AppletSession.h"
#include "Equipment.h"

using namespace testsupport;

namespace applettest {

namespace {
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
    InstallKeys({controllerKind, kInstallDir, WriteLabelFile(labels), device.name}, {device});
    if (!ports.empty())
        SetPorts(ports);
}

void HardwareTest::OpenHardwarePage(const char* file, int line)
{
    // Its tab is found by its caption without the blanks the template indents it with.
    ASSERT_NO_FATAL_FAILURE(OpenSheetOnTab(L"Hardware", file, line));
    ASSERT_TRUE(IsHardwarePage(page)) << "the Hardware tab does not show the Hardware page";
}

std::wstring HardwareTest::ComboSelectionText(HWND parent, int id) const
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
