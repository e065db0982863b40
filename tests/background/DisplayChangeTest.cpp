// Segmenta on a Wine virtual desktop, whose display mode can change (on the bare X server it
// cannot): each resolution change sends the new resolution to the current device and the
// secondary monitor's code to the devices on that monitor.
#include <gtest/gtest.h>

#include "BackgroundFixtures.h"
#include "BeepEvents.h"
#include "DeviceKeyFixture.h"
#include "Equipment.h"
#include "StandinClient.h"
#include "TestPaths.h"
#include "TestProcess.h"

using namespace testsupport;
using standin::Driver;
using standin::LoggedRequest;

namespace bt = backgroundtest;

namespace {

constexpr wchar_t kDesktop[] = L"TivenSegmenta";

// Runs the helper on the virtual desktop and returns its exit code (-1000 when it did not run).
long OnDesktop(const std::wstring& arguments)
{
    TestProcess tool;
    if (!tool.Start(L"\"" + BinPath(L"VirtualDesktopTool.exe") + L"\" " + arguments, L"", kDesktop))
        return -1000;
    DWORD code = 0;
    return tool.WaitExit(code) ? static_cast<long>(code) : -1000;
}

class SegmentaOnVirtualDesktop : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQUIPMENT(standin::Running() && standin::Reset(), "the stand-in drivers");
        bt::StartWithoutDevices(reg);
    }
    void TearDown() override
    {
        // The prefix keeps one display mode for every test: put it back whatever happened.
        if (modeChanged_) {
            EXPECT_EQ(OnDesktop(L"restore"), 0);
        }
        if (desktop_.Running()) {
            OnDesktop(L"close SEGMENTA");
            DWORD code = 0;
            if (!desktop_.WaitExit(code))
                desktop_.Kill();
        }
    }
    // Starts Segmenta on its own virtual desktop of the prefix's display size.
    bool StartSegmenta()
    {
        const std::wstring size =
            std::to_wstring(GetSystemMetrics(SM_CXSCREEN)) + L"x" + std::to_wstring(GetSystemMetrics(SM_CYSCREEN));
        return desktop_.Start(L"explorer.exe /desktop=" + std::wstring(kDesktop) + L"," + size + L" \"" +
                              BinPath(L"Segmenta.exe") + L"\"");
    }
    long ChangeMode(int width, int height)
    {
        modeChanged_ = true;
        return OnDesktop(L"mode " + std::to_wstring(width) + L" " + std::to_wstring(height));
    }
    long RestoreMode()
    {
        modeChanged_ = false;
        return OnDesktop(L"restore");
    }
    // The requests of one display change: wait for the last one (the USB device's segment).
    std::vector<LoggedRequest> DisplayChangeRequests()
    {
        EXPECT_TRUE(standin::WaitForRequest(Driver::Meka, 2, standin::ioctl::kDeviceSegment));
        return standin::ReadLog();
    }

    ScratchRegistry reg{ScratchRegistry::RealPrefix};
    TestProcess desktop_;
    bool modeChanged_ = false;
};

TEST_F(SegmentaOnVirtualDesktop, EachResolutionChangeReachesTheDrivers)
{
    AddDevice(reg, Serial(1, L"Front"));
    AddDevice(reg, bt::OnSegment(Usb(2, L"Side"), bt::kSecondaryMonitorSegment));
    AddProduct(reg, {1, kInstallDir, L"", L"Front"});
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);

    ASSERT_TRUE(StartSegmenta());
    LoggedRequest start;
    ASSERT_TRUE(standin::WaitForRequest(Driver::Rilo, 1, standin::ioctl::kDisplayOrientation, 15000, &start));
    EXPECT_EQ(bt::Orientation(start), (std::vector<int32_t>{0, width, height}));

    ASSERT_TRUE(standin::ClearLog());
    ASSERT_EQ(ChangeMode(1024, 768), 0) << "a virtual desktop changes its resolution";
    auto log = DisplayChangeRequests();
    ASSERT_EQ(bt::DevicesOf(log), (std::vector<std::string>{"RILO1", "MEKA2"})) << standin::Describe(log);
    EXPECT_EQ(bt::Orientation(log[0]), (std::vector<int32_t>{0, 1024, 768}));
    EXPECT_EQ(log[1].input, std::vector<uint8_t>{19});
    EXPECT_EQ(reg.Read(UsbKey(2), L"Logical Desktop Segment ID").AsDword(), 19u);

    ASSERT_TRUE(standin::ClearLog());
    ASSERT_EQ(RestoreMode(), 0);
    log = DisplayChangeRequests();
    ASSERT_EQ(bt::DevicesOf(log), (std::vector<std::string>{"RILO1", "MEKA2"})) << standin::Describe(log);
    EXPECT_EQ(bt::Orientation(log[0]), (std::vector<int32_t>{0, width, height}));

    ASSERT_EQ(OnDesktop(L"close SEGMENTA"), 0) << "Segmenta ends on WM_CLOSE";
    DWORD code = 0;
    EXPECT_TRUE(desktop_.WaitExit(code)) << "the desktop closes with its last program";
}

}  // namespace
