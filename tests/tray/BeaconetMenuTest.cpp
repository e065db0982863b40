// Beaconet's main icon and its menu, driven by keys: the programs it starts with their command
// lines, the current device's primary button mode, About and Close.
#include <gtest/gtest.h>

#include <windows.h>

#include "DeviceKeyFixture.h"
#include "EchoProgram.h"
#include "NamedObjects.h"
#include "TestWindows.h"
#include "TrayRun.h"

using namespace testsupport;
using namespace traytest;

namespace {
// Menu items counted from the end of the menu (separators are passed over by the keys).
constexpr int kClose = 1;
constexpr int kAbout = 2;
constexpr int kButtonModes = 4;
constexpr int kGesturo = 5;
constexpr int kAdjustSettings = 6;
constexpr int kCalibrate = 7;

class BeaconetMenu : public TrayTest {
protected:
    void StartReady()
    {
        ASSERT_TRUE(StartBeaconet());
        ASSERT_TRUE(WaitBeaconetReady());
        ASSERT_TRUE(standin::ClearLog());
    }
};

class CalibrateItem : public BeaconetMenu, public testing::WithParamInterface<int> {};

TEST_P(CalibrateItem, StartsTheCalibrationProgramForThatDevice)
{
    EchoProgram calibration(L"Aim well.exe");
    SetProduct(L"Calibration Application", calibration.Path());
    StartReady();
    const int item = GetParam();
    ASSERT_NE(OpenMenu(), nullptr);
    ASSERT_TRUE(ChooseMenuItem(kCalibrate, item));
    // Serial devices first; the quoted path lets a program in a folder with blanks start.
    EXPECT_EQ(calibration.Received(), kDevices[item].name);
}

INSTANTIATE_TEST_SUITE_P(Devices, CalibrateItem, testing::Values(0, 1, 2));

TEST_F(BeaconetMenu, OpeningTheMenuTwiceListsEachDeviceOnce)
{
    EchoProgram calibration;
    SetProduct(L"Calibration Application", calibration.Path());
    StartReady();
    ASSERT_NE(OpenMenu(), nullptr);
    ASSERT_TRUE(ChooseMenuItem(kCalibrate, 0));
    EXPECT_EQ(calibration.Received(), L"Front Panel");
    calibration.Clear();
    // Again: the devices are listed anew, not appended; the last item is still the USB device.
    ASSERT_NE(OpenMenu(), nullptr);
    ASSERT_TRUE(ChooseMenuItem(kCalibrate, 2));
    EXPECT_EQ(calibration.Received(), L"Desk Pad");
}

TEST_F(BeaconetMenu, GesturoItemAndDoubleClickStartTheirPrograms)
{
    EchoProgram selector(L"Gest uro.exe");
    SetProduct(L"Gesturo Application", selector.Path());
    StartReady();
    ASSERT_NE(OpenMenu(), nullptr);
    ASSERT_TRUE(ChooseMenuItem(kGesturo));
    EXPECT_EQ(selector.Received(), L"") << "the path alone, quoted";

    EchoProgram settings(L"Renka Cpl.exe");
    SetProduct(L"RenkaCPL Application", settings.Path());
    // The path is read at start.
    ASSERT_TRUE(QuitBeaconet());
    SetProduct(L"System Tray Icons", 1);
    StartReady();
    ASSERT_NE(OpenMenu(), nullptr);
    ASSERT_TRUE(ChooseMenuItem(kAdjustSettings));
    EXPECT_EQ(settings.Received(), L"");
    settings.Clear();
    ASSERT_TRUE(NotifyIcon(MainIconWindow(), kMainIconId, WM_LBUTTONDBLCLK));
    EXPECT_EQ(settings.Received(), L"");
}

TEST_F(BeaconetMenu, SingleClicksOnTheMainIconStartNothing)
{
    EchoProgram settings(L"Renka Cpl.exe");
    SetProduct(L"RenkaCPL Application", settings.Path());
    StartReady();
    ASSERT_TRUE(NotifyIcon(MainIconWindow(), kMainIconId, WM_LBUTTONUP));
    ASSERT_TRUE(NotifyIcon(MainIconWindow(), kMainIconId, WM_LBUTTONDOWN));
    // A program started by the click would run now, or would have written what it got.
    EXPECT_TRUE(settings.NeverStarted());
    // The mode icon's clicks flip the switch and never open this menu.
    ASSERT_TRUE(NotifyIcon(ModeIconWindow(), kModeIconId, WM_RBUTTONUP));
    EXPECT_EQ(FindTopWindow(L"#32768", L"", beaconet.Pid()), nullptr);
    EXPECT_EQ(ProductDword(L"Gesturo"), 1u);
}

TEST_F(BeaconetMenu, ButtonModeSetsTheCurrentDevicesPrimaryModeOnly)
{
    // The current device is "Side Panel" (RILO2), whose primary mode is 3.
    StartReady();
    ASSERT_NE(OpenMenu(), nullptr);
    ASSERT_TRUE(ChooseMenuItem(kButtonModes, 5));   // the sixth name, code 6
    ASSERT_TRUE(standin::WaitForRequest(standin::Driver::Rilo, 2, kUsePrimary)) << Log();
    EXPECT_EQ(reg.Read(SerialKey(2), L"Primary Button Mode").AsDword(), 6u);
    EXPECT_EQ(reg.Read(SerialKey(1), L"Primary Button Mode").AsDword(), 5u);
    const auto log = standin::ReadLog();
    ASSERT_EQ(log.size(), 1u) << standin::Describe(log);
    EXPECT_EQ(log[0].input, std::vector<uint8_t>{6});

    // Another choice for a device that has gone: nothing is written or sent.
    SetProduct(L"Device Name", std::wstring(L"No Such Panel"));
    ASSERT_TRUE(standin::ClearLog());
    ASSERT_NE(OpenMenu(), nullptr);
    ASSERT_TRUE(ChooseMenuItem(kButtonModes, 0));
    // The menu's next opening has handled the choice before it.
    HWND menu = OpenMenu();
    ASSERT_NE(menu, nullptr);
    PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(WaitWindowGone(menu));
    EXPECT_TRUE(standin::ReadLog().empty()) << Log();
    EXPECT_EQ(reg.Read(SerialKey(2), L"Primary Button Mode").AsDword(), 6u);
}

TEST_F(BeaconetMenu, AboutShowsTheLabelTexts)
{
    SetProduct(L"Beaconet XML File Path",
               WriteLabelFile({{L"DRIVER_VERSION", L"Version 9.9"}, {L"ABOUT_TIVEN", L"Über Tiven"}, {L"OK", L""}}));
    StartReady();
    ASSERT_NE(OpenMenu(), nullptr);
    ASSERT_TRUE(ChooseMenuItem(kAbout));
    HWND about = WaitForWindow(L"#32770", L"Über Tiven", kDefaultDeadlineMs, beaconet.Pid());
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(ControlText(about, 1002), L"Version 9.9");
    EXPECT_EQ(ControlText(about, 1003), L"Copyright (C) Tiven") << "no label: the template's text";
    EXPECT_EQ(ControlText(about, IDOK), L"OK") << "an empty label keeps the template's text";
    ClickControl(about, IDOK);
    EXPECT_TRUE(WaitWindowGone(about));
    EXPECT_TRUE(beaconet.Running());
}

TEST_F(BeaconetMenu, CloseRemovesBothIconsAndEndsWithZero)
{
    StartReady();
    ASSERT_NE(OpenMenu(), nullptr);
    ASSERT_TRUE(ChooseMenuItem(kClose));
    DWORD code = 1234;
    ASSERT_TRUE(beaconet.WaitExit(code));
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(MainIconShown());
    EXPECT_FALSE(ModeIconShown());
    EXPECT_FALSE(NamedEventExists(kTrayModeEvent));
    EXPECT_FALSE(NamedMutexExists(kTrayMutex));
}

TEST_F(BeaconetMenu, QuittingWhileTheMenuIsOpenEndsTheProgram)
{
    StartReady();
    HWND menu = OpenMenu();
    ASSERT_NE(menu, nullptr);
    DWORD code = 1234;
    ASSERT_TRUE(QuitBeaconet(&code));
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(MainIconShown());
    EXPECT_FALSE(ModeIconShown());
}

}  // namespace
