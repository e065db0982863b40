// The applet opened as the Control Panel opens it, in other processes, against the prefix's
// registry: `control.exe Tunora.cpl` and a second opening from another control.exe.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <cpl.h>

#include <vector>

#include "AppletFixture.h"
#include "AppletSession.h"
#include "Equipment.h"
#include "ScratchRegistry.h"
#include "StandinClient.h"
#include "TestPaths.h"
#include "TestProcess.h"
#include "TestWindows.h"
#include "resource.h"

using namespace applettest;
using namespace testsupport;
namespace ioctl = standin::ioctl;

namespace {

class ControlPanel : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQUIPMENT(standin::Reset(), "the stand-in drivers");
        registry.Own(kProductKeyPath);
        registry.Own(kSerialParametersPath);
        registry.Own(kUsbParametersPath);
    }

    // The Control Panel's command for the applet.
    std::wstring ControlCommand() const { return L"control.exe \"" + BinPath(L"Tunora.cpl") + L"\""; }

    HWND WaitSheetOf(const TestProcess& process)
    {
        HWND sheet = nullptr;
        WaitUntil([&] { return (sheet = FindSheet(process.Pid())) != nullptr; });
        return sheet;
    }

    ScratchRegistry registry{ScratchRegistry::RealPrefix};
};

TEST_F(ControlPanel, ControlExeOpensTheSheetOnceAndApplyReachesTheDriver)
{
    DeviceRow device;
    AddProduct(registry, {2, kInstallDir, WriteLabelFile({{L"LCONTROLLER_5_WIRE", L"5-Wire"}}), device.name});
    AddDevice(registry, device);

    TestProcess control;
    ASSERT_TRUE(control.Start(ControlCommand()));
    HWND sheet = WaitSheetOf(control);
    ASSERT_NE(sheet, nullptr) << "control.exe showed no sheet";
    EXPECT_EQ(WindowText(sheet), L"5-Wire Touch Panel Device Properties");
    HWND page = SelectPageWithControl(sheet, 1019);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(ControlText(page, 1016), L"50");

    ASSERT_TRUE(standin::ClearLog());
    PressKey(GetDlgItem(page, 1019), VK_RIGHT);
    PressKey(GetDlgItem(page, 1019), VK_RIGHT);
    EXPECT_EQ(ControlText(page, 1016), L"52");
    EXPECT_TRUE(ApplyEnabled(sheet));
    ClickControlSync(sheet, IDC_SHEET_APPLY);
    EXPECT_EQ(registry.Read(DeviceKeyPath(device), L"Sample Rate").AsDword(), 52u);
    auto filters = standin::Select(standin::ReadLog(), standin::Driver::Rilo, 1, ioctl::kPacketFilterSettings);
    ASSERT_EQ(filters.size(), 1u) << standin::Describe(standin::ReadLog());
    EXPECT_EQ(filters[0].input, (std::vector<uint8_t>{5, 52, 10, 0, 0}));

    // OK closes the sheet and control.exe ends; a second sheet would keep it running.
    ClickControl(sheet, IDOK);
    DWORD code = 1234;
    EXPECT_TRUE(control.WaitExit(code)) << "control.exe did not end after OK (sheet opened again?)";
    EXPECT_EQ(FindSheet(control.Pid()), nullptr);
}

TEST_F(ControlPanel, SecondControlExeOnlyBringsTheOpenSheetToTheFront)
{
    DeviceRow device;
    AddProduct(registry, {1, kInstallDir, WriteLabelFile({}), device.name});
    AddDevice(registry, device);

    TestProcess first;
    ASSERT_TRUE(first.Start(ControlCommand()));
    HWND sheet = WaitSheetOf(first);
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(registry.Read(kProductKeyPath, L"Device Label").AsString(), WindowText(sheet));

    HWND other = CreateWindowExW(0, L"STATIC", L"other window", WS_POPUP | WS_VISIBLE | WS_CAPTION, 300, 300, 200, 100,
                                 nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(TakeForegroundFrom(other, sheet));

    TestProcess second;
    ASSERT_TRUE(second.Start(ControlCommand()));
    DWORD code = 1234;
    EXPECT_TRUE(second.WaitExit(code)) << "the second opening did not end";
    EXPECT_EQ(FindSheet(second.Pid()), nullptr);
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == sheet; })) << "the open sheet is not in front";
    DestroyWindow(other);

    ClickControl(sheet, IDCANCEL);
    EXPECT_TRUE(first.WaitExit(code));
}

}  // namespace
