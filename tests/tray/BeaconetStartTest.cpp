// Beaconet's start and end: one copy at a time, the switch set back to primary and sent to every
// device whether or not the icons are shown, "TivenTrayIcons", the re-created taskbar and the
// missing label file.
#include <gtest/gtest.h>

#include "DeviceKeys.h"
#include "NamedObjects.h"
#include "TestPaths.h"
#include "TestWindows.h"
#include "TrayRun.h"

using namespace testsupport;
using namespace traytest;

namespace {
struct StartCase {
    DWORD trayIcons;
    DWORD storedMode;
};

void PrintTo(const StartCase& c, std::ostream* out)
{
    *out << "System Tray Icons " << c.trayIcons << ", stored switch " << c.storedMode;
}

std::string Name(const testing::TestParamInfo<StartCase>& info)
{
    return std::string(info.param.trayIcons == 1 ? "IconsOn" : "IconsOff") + "Stored" +
           std::to_string(info.param.storedMode);
}

class BeaconetStart : public TrayTest, public testing::WithParamInterface<StartCase> {};

TEST_P(BeaconetStart, SetsTheSwitchToPrimaryAndSendsItToEveryDevice)
{
    const StartCase c = GetParam();
    SetProduct(L"System Tray Icons", c.trayIcons);
    SetProduct(L"Gesturo", c.storedMode);
    ASSERT_TRUE(StartBeaconet());
    if (c.trayIcons == 1) {
        ASSERT_TRUE(WaitBeaconetReady()) << "no icons";
    } else {
        DWORD code = 1234;
        ASSERT_TRUE(beaconet.WaitExit(code)) << "the tray program stays although its icons are off";
        EXPECT_EQ(code, 0u);
        EXPECT_TRUE(IconWindows(beaconet.Pid()).empty());
    }
    EXPECT_EQ(ProductDword(L"Gesturo"), 0u);
    // One primary request (byte 0) to each device, serial devices first, and nothing else.
    ExpectOnePrimaryEach();
}

INSTANTIATE_TEST_SUITE_P(Tray, BeaconetStart,
                         testing::Values(StartCase{1, 0}, StartCase{1, 1}, StartCase{0, 0}, StartCase{0, 1}), Name);

TEST_F(TrayTest, ASecondBeaconetEndsAtOnceAndTouchesNothing)
{
    ASSERT_TRUE(StartBeaconet());
    ASSERT_TRUE(WaitBeaconetReady());
    SetProduct(L"Gesturo", 1);
    ASSERT_TRUE(standin::ClearLog());
    TestProcess second;
    ASSERT_TRUE(second.Start(L"\"" + BinPath(L"Beaconet.exe") + L"\""));
    DWORD code = 1234;
    ASSERT_TRUE(second.WaitExit(code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(ProductDword(L"Gesturo"), 1u) << "the second copy reset the switch";
    EXPECT_TRUE(standin::ReadLog().empty()) << Log();
    EXPECT_TRUE(MainIconShown());
    EXPECT_TRUE(ModeIconShown());
    EXPECT_TRUE(beaconet.Running());
}

TEST_F(TrayTest, TrayIconsEventShowsTheIconsAgainOrQuits)
{
    ASSERT_TRUE(StartBeaconet());
    ASSERT_TRUE(WaitBeaconetReady());
    // Icons lost (another program removed them): the event with the option on brings both back.
    RemoveBothIcons();
    ASSERT_FALSE(MainIconShown());
    SignalTrayIcons();
    EXPECT_TRUE(WaitUntil([&] { return MainIconShown() && ModeIconShown(); })) << "the icons did not come back";
    // A second signal with both present leaves them shown (the listener takes the signal, then
    // shows them).
    HANDLE event = OpenEventW(EVENT_MODIFY_STATE | SYNCHRONIZE, FALSE, kTrayIconsEvent);
    ASSERT_NE(event, nullptr);
    SetEvent(event);
    EXPECT_TRUE(WaitUntil([&] { return WaitForSingleObject(event, 0) == WAIT_TIMEOUT; })) << "the signal stays set";
    CloseHandle(event);
    EXPECT_TRUE(WaitUntil([&] { return MainIconShown() && ModeIconShown(); }));

    // The option off: both icons go and the program ends with 0.
    DWORD code = 1234;
    ASSERT_TRUE(QuitBeaconet(&code));
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(MainIconShown());
    EXPECT_FALSE(ModeIconShown());
}

TEST_F(TrayTest, ANewTaskbarGetsBothIconsAgain)
{
    ASSERT_TRUE(StartBeaconet());
    ASSERT_TRUE(WaitBeaconetReady());
    // A restarted notification area knows no icon; the new taskbar announces itself.
    RemoveBothIcons();
    ASSERT_FALSE(ModeIconShown());
    const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    for (HWND window : {MainIconWindow(), ModeIconWindow()}) {
        DWORD_PTR result = 0;
        ASSERT_TRUE(SendMessageTimeoutW(window, taskbarCreated, 0, 0, SMTO_NORMAL, kDefaultDeadlineMs, &result));
    }
    EXPECT_TRUE(MainIconShown());
    EXPECT_TRUE(ModeIconShown());
}

TEST_F(TrayTest, AMissingLabelFileIsReportedOnceAndTheProgramGoesOn)
{
    reg.DeleteTree(kProductKeyPath);
    SetProduct(L"System Tray Icons", 1);
    SetProduct(L"Gesturo", 1);
    ASSERT_TRUE(StartBeaconet());
    MessageBoxInfo box = WaitForMessageBox(kDefaultDeadlineMs, beaconet.Pid());
    ASSERT_TRUE(box) << "no message";
    EXPECT_EQ(box.text, L"XML file path not found in the registry");
    EXPECT_EQ(box.caption, L"Tiven MAVO Properties");
    // The switch was reset and sent before the message.
    EXPECT_EQ(ProductDword(L"Gesturo"), 0u);
    EXPECT_TRUE(WaitEveryDevice(kUsePrimary, 1)) << Log();
    ASSERT_TRUE(DismissMessageBox(box, IDOK));
    ASSERT_TRUE(WaitBeaconetReady());
    EXPECT_FALSE(WaitForMessageBox(0, beaconet.Pid())) << "a second message";
}

TEST_F(TrayTest, AStoredSwitchOfTwoSendsNothingUntilTheNextClick)
{
    SetProduct(L"Gesturo", 2);
    ASSERT_TRUE(StartBeaconet());
    ASSERT_TRUE(WaitBeaconetReady());
    EXPECT_TRUE(standin::ReadLog().empty()) << Log();
    EXPECT_EQ(ProductDword(L"Gesturo"), 2u);
    ASSERT_TRUE(NotifyIcon(ModeIconWindow(), kModeIconId, WM_LBUTTONUP));
    EXPECT_EQ(ProductDword(L"Gesturo"), 0u);
    ExpectOnePrimaryEach();
}

}  // namespace
