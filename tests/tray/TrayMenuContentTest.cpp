// The tray program's icons and menu in the test process, with a private registry: the icon record
// (tooltip, showing, removing, the window its messages go to) and what the menu holds when it
// opens (titles, device items and their ids, check marks by command).
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "DeviceKeyFixture.h"
#include "DeviceKeys.h"
#include "Equipment.h"
#include "ModeSwitch.h"
#include "TestProcess.h"
#include "TestWindows.h"
#include "TrayMenuWnd.h"
#include "TrayRun.h"

using namespace testsupport;
using traytest::IconPresent;

namespace {
class CTestIcon : public CTrayIcon {
public:
    LRESULT OnTrayNotification(WPARAM, LPARAM lp) override
    {
        lastMouse = LOWORD(lp);
        return 1;
    }
    UINT lastMouse = 0;
};

HICON AnyIcon() { return LoadIconW(nullptr, MAKEINTRESOURCEW(32516)); }   // IDI_INFORMATION

// One item of a menu as the menu holds it.
struct Item {
    UINT id;
    std::wstring text;
    UINT state;
    HMENU sub;
};

std::vector<Item> Items(HMENU menu)
{
    std::vector<Item> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[128] = L"";
        GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
        items.push_back({GetMenuItemID(menu, i), text, GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION),
                         GetSubMenu(menu, i)});
    }
    return items;
}

// What the menu held while it was open.
struct Snapshot {
    std::vector<Item> top, enabled, calibrate, modes;
};

// Opens the tray object's menu on this thread and reads it from a second one while it is open.
Snapshot OpenAndRead(CTrayMenuWnd& tray)
{
    Snapshot seen;
    std::atomic<bool> read{false};
    std::thread reader([&] {
        HWND menuWindow = WaitForWindow(L"#32768", L"", kDefaultDeadlineMs, GetCurrentProcessId());
        if (!menuWindow)
            return;
        HMENU menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, 0x01E1 /* MN_GETHMENU */, 0, 0));
        seen.top = Items(menu);
        if (seen.top.size() == 14) {
            seen.enabled = Items(seen.top[2].sub);
            seen.calibrate = Items(seen.top[4].sub);
            seen.modes = Items(seen.top[9].sub);
        }
        read = true;
        PostMessageW(menuWindow, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    tray.ShowPopupMenu();
    reader.join();
    EXPECT_TRUE(read) << "the menu did not open";
    return seen;
}

class TrayMenuContent : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQUIPMENT(standin::Running() && standin::Reset(), "the stand-in drivers");
        for (const traytest::TestDevice& d : traytest::kDevices) {
            DeviceRow row = d.driver == standin::Driver::Rilo ? Serial(d.instance, d.name) : Usb(d.instance, d.name);
            row.controllerEnabled = d.enabled;
            row.primaryMode = d.primaryMode;
            AddDevice(reg, row);
        }
        // A key without a name lists nothing.
        reg.SetDword(SerialKey(5), L"Controller Enabled", 1);
        reg.SetDword(kProductKeyPath, L"System Tray Icons", 1);
        reg.SetString(kProductKeyPath, L"Device Name", L"Front Panel");
        reg.SetString(kProductKeyPath, L"Beaconet XML File Path",
                      traytest::WriteLabelFile({{L"DEVICE_MANAGER", L"Geräte"},
                                                {L"TAP_LEFT", L"Antippen"},
                                                {L"HELP", L""},
                                                {L"SYS_TRAY_TOOLTIP", L"Touch settings"}}));
    }
    ScratchRegistry reg;
};

TEST(TrayIcon, TheTooltipIsCutTo127Characters)
{
    CTestIcon icon;
    const std::wstring tip = std::wstring(100, L'a') + std::wstring(100, L'b');
    ASSERT_TRUE(icon.Create(nullptr, 0x800A, tip, AnyIcon(), 77));
    EXPECT_EQ(icon.Tooltip(), tip.substr(0, 127));
    EXPECT_TRUE(IconPresent(icon.m_hWnd, 77));
}

TEST(TrayIcon, ShowingTwiceLeavesOneIconAndRemovingTakesIt)
{
    CTestIcon icon;
    ASSERT_TRUE(icon.Create(nullptr, 0x800A, L"tip", AnyIcon(), 78));
    icon.ShowIcon();
    icon.ShowIcon();
    EXPECT_TRUE(IconPresent(icon.m_hWnd, 78));
    EXPECT_TRUE(icon.RemoveIcon());
    EXPECT_FALSE(IconPresent(icon.m_hWnd, 78));
    EXPECT_TRUE(icon.RemoveIcon()) << "still absent";
    // A new taskbar does not bring back an icon that was removed on purpose.
    SendMessageW(icon.m_hWnd, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_FALSE(IconPresent(icon.m_hWnd, 78));
    icon.ShowIcon();
    EXPECT_TRUE(IconPresent(icon.m_hWnd, 78));
}

TEST(TrayIcon, MessagesGoToTheParentWhenItHasAWindowElseToTheIcon)
{
    CTestIcon parent;
    ASSERT_TRUE(parent.Create(nullptr, 0x800A, L"parent", AnyIcon(), 80));
    CTestIcon child;
    ASSERT_TRUE(child.Create(&parent, 0x800A, L"child", AnyIcon(), 81));
    EXPECT_TRUE(IconPresent(parent.m_hWnd, 81));
    EXPECT_FALSE(IconPresent(child.m_hWnd, 81));

    CWnd noWindow;
    CTestIcon own;
    ASSERT_TRUE(own.Create(&noWindow, 0x800A, L"own", AnyIcon(), 82));
    EXPECT_TRUE(IconPresent(own.m_hWnd, 82));
    SendMessageW(own.m_hWnd, 0x800A, 82, WM_RBUTTONUP);
    EXPECT_EQ(own.lastMouse, static_cast<UINT>(WM_RBUTTONUP));
}

TEST_F(TrayMenuContent, ListsDevicesWithTheirIdsAndMarksByCommand)
{
    CTrayMenuWnd tray;
    tray.CreateIcons();
    EXPECT_EQ(tray.Tooltip(), L"Touch settings");
    const Snapshot seen = OpenAndRead(tray);
    ASSERT_EQ(seen.top.size(), 14u);
    EXPECT_EQ(seen.top[0].id, 0u);
    EXPECT_TRUE(seen.top[0].state & MF_OWNERDRAW);
    EXPECT_TRUE(seen.top[0].state & MF_DISABLED);
    const wchar_t* texts[] = {L"", L"", L"Enabled", L"", L"Calibrate", L"", L"Adjust Settings", L"Gesturo", L"",
                              L"Button Modes", L"", L"Help", L"About", L"Close"};
    const UINT ids[] = {0, 0, UINT(-1), 0, UINT(-1), 0, 32774, 32775, 0, UINT(-1), 0, 32777, 32778, 32779};
    for (size_t i = 1; i < 14; ++i) {
        EXPECT_EQ(seen.top[i].text, texts[i]) << i;
        EXPECT_EQ(seen.top[i].id, ids[i]) << i;
    }
    for (size_t i : {1u, 3u, 5u, 8u, 10u})
        EXPECT_TRUE(seen.top[i].state & MF_SEPARATOR) << i;

    ASSERT_EQ(seen.calibrate.size(), 3u);
    ASSERT_EQ(seen.enabled.size(), 3u);
    for (UINT i = 0; i < 3; ++i) {
        EXPECT_EQ(seen.calibrate[i].text, traytest::kDevices[i].name);
        EXPECT_EQ(seen.calibrate[i].id, 32800 + i);
        EXPECT_EQ(seen.enabled[i].text, traytest::kDevices[i].name);
        EXPECT_EQ(seen.enabled[i].id, 32925 + i);
        EXPECT_EQ((seen.enabled[i].state & MF_CHECKED) != 0, traytest::kDevices[i].enabled == 1) << i;
    }
    // "Front Panel" uses primary mode 5: the fifth name alone is marked; the label renamed the sixth.
    ASSERT_EQ(seen.modes.size(), 13u);
    for (UINT i = 0; i < 13; ++i) {
        EXPECT_EQ(seen.modes[i].id, 32902 + i);
        EXPECT_EQ((seen.modes[i].state & MF_CHECKED) != 0, i == 4) << i;
    }
    EXPECT_EQ(seen.modes[4].text, L"Touchdown Double Click Right");
    EXPECT_EQ(seen.modes[5].text, L"Antippen");
    EXPECT_EQ(seen.modes[0].text, L"Touchdown Left");
}

TEST_F(TrayMenuContent, OpeningAgainListsEachDeviceOnceAndFollowsTheRegistry)
{
    CTrayMenuWnd tray;
    tray.CreateIcons();
    OpenAndRead(tray);
    // A device goes, the current device changes and the first one is disabled.
    reg.DeleteTree(SerialKey(1));
    reg.SetDword(UsbKey(1), L"Controller Enabled", 0);
    reg.SetString(kProductKeyPath, L"Device Name", L"Side Panel");
    const Snapshot seen = OpenAndRead(tray);
    ASSERT_EQ(seen.calibrate.size(), 2u);
    EXPECT_EQ(seen.calibrate[0].text, L"Side Panel");
    EXPECT_EQ(seen.calibrate[0].id, 32800u);
    EXPECT_EQ(seen.calibrate[1].text, L"Desk Pad");
    ASSERT_EQ(seen.enabled.size(), 2u);
    EXPECT_FALSE(seen.enabled[0].state & MF_CHECKED);
    EXPECT_FALSE(seen.enabled[1].state & MF_CHECKED);
    ASSERT_EQ(seen.modes.size(), 13u);
    for (UINT i = 0; i < 13; ++i)
        EXPECT_EQ((seen.modes[i].state & MF_CHECKED) != 0, i == 2) << i;

    // A current device that does not exist marks no mode.
    reg.SetString(kProductKeyPath, L"Device Name", L"Gone");
    const Snapshot none = OpenAndRead(tray);
    for (const Item& item : none.modes)
        EXPECT_FALSE(item.state & MF_CHECKED);
}

}  // namespace
