// Not a check: shows Beaconet's menu with its Calibrate submenu and Gesturo's dialog in its
// picture sizes one after the other for screenshots (take-shots.sh runs it). For each view it
// creates "<view>.ready" in the folder named by TIVEN_SHOT_DIR and goes on when "<view>.done"
// appears.
#include <gtest/gtest.h>

#include "Shots.h"
#include "TestWindows.h"
#include "TrayRun.h"

using namespace testsupport;
using namespace traytest;

namespace {
int VisibleMenus()
{
    int menus = 0;
    for (HWND w = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); w; w = FindWindowExW(nullptr, w, L"#32768", nullptr))
        menus += IsWindowVisible(w) ? 1 : 0;
    return menus;
}

class TrayShots : public TrayTest {
protected:
    // Gesturo's dialog alone.
    bool ShootSelector(const wchar_t* name)
    {
        RECT window{};
        GetWindowRect(GesturoWindow(), &window);
        return Shoot(name, {GesturoWindow()}, &window);
    }
};

TEST_F(TrayShots, DISABLED_MenuAndSelector)
{
    ASSERT_FALSE(ShotDir().empty()) << "TIVEN_SHOT_DIR is not set";
    ASSERT_TRUE(StartBeaconet());
    ASSERT_TRUE(WaitBeaconetReady());
    HWND menu = OpenMenu();
    ASSERT_NE(menu, nullptr);
    // The Calibrate item (seventh from the end) with its submenu open.
    for (int i = 0; i < 7; ++i)
        PostMessageW(menu, WM_KEYDOWN, VK_UP, 0);
    PostMessageW(menu, WM_KEYDOWN, VK_RIGHT, 0);
    ASSERT_TRUE(WaitUntil([] { return VisibleMenus() == 2; }));
    ASSERT_TRUE(Shoot(L"tray-menu", {menu}));
    PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(WaitWindowGone(menu));

    ASSERT_TRUE(StartGesturo());
    ASSERT_TRUE(ShootSelector(L"gesturo-large"));   // primary mode
    ASSERT_TRUE(ClickPicture());
    ASSERT_TRUE(SysCommand(1010));
    ASSERT_TRUE(ShootSelector(L"gesturo-small"));   // secondary mode
    ASSERT_TRUE(SysCommand(1013));
    ASSERT_TRUE(ShootSelector(L"gesturo-text"));    // secondary mode
    ASSERT_TRUE(SysCommand(1012));
}

}  // namespace
