// Not a check: shows the Devices page and both new-device dialogs one after the other for
// screenshots (take-shots.sh runs it). For each view it creates "<name>.ready" in the folder
// named by TIVEN_SHOT_DIR and goes on when "<name>.done" appears there.
#include "DevicesTestBase.h"

#include <commctrl.h>

#include "Shots.h"

using namespace applettest;
using namespace devicestest;
using namespace testsupport;

class DevicesShots : public DevicesTest {};

TEST_F(DevicesShots, DISABLED_DevicesPageAndNewDeviceDialogs)
{
    ASSERT_FALSE(ShotDir().empty()) << "TIVEN_SHOT_DIR is not set";
    DeviceRow longName = Usb(1, L"Conference Room Left Wall Touch Panel 01");
    Install({Serial(1, L"Front Panel"), longName, Usb(2, L"Desk Pad")}, longName.name);
    registry.SetDword(DeviceKeyPath(longName), L"Logical Desktop Segment", 3);
    registry.SetDword(DeviceKeyPath(Usb(2, L"")), L"Logical Desktop Segment", 12);
    OPEN_DEVICES_PAGE();
    WaitIdle();
    ASSERT_TRUE(Shoot(L"devices-page", {sheet}));

    HWND type = StartAdd(page);
    ASSERT_NE(type, nullptr);
    WaitIdle();
    ASSERT_TRUE(Shoot(L"new-device-type", {sheet, type}));
    HWND name = NextToNameDialog(type);
    ASSERT_NE(name, nullptr);
    WaitIdle();
    ASSERT_TRUE(Shoot(L"new-device-name", {sheet, name}));
    ClickControl(name, IDCANCEL);
    ASSERT_TRUE(DialogDone(name));

    ASSERT_NE(ShowPage(IDC_ST_LIST), nullptr);
    WaitIdle();
    ASSERT_TRUE(Shoot(L"status-page", {sheet}));
    Close(IDCANCEL);
}
