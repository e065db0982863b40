// Segmenta under Wine with the stand-in drivers and the prefix's registry: what it sends at
// start, on device-node changes, display changes and power broadcasts.
#include <gtest/gtest.h>

#include <windows.h>

#include <dbt.h>

#include "BackgroundFixtures.h"
#include "BackgroundProgram.h"
#include "BeepEvents.h"
#include "DeviceKeyFixture.h"
#include "Equipment.h"
#include "StandinClient.h"

using namespace testsupport;
using backgroundtest::BackgroundProgram;
using standin::Driver;
using standin::LoggedRequest;

namespace bt = backgroundtest;

namespace {

using bt::kSecondaryMonitorSegment;
using bt::OnSegment;
using bt::Orientation;
using bt::RequestsOf;

class SegmentaRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQUIPMENT(standin::Running() && standin::Reset(), "the stand-in drivers");
        bt::StartWithoutDevices(reg);
    }
    void SetCurrentDevice(const std::wstring& name) { AddProduct(reg, {1, kInstallDir, L"", name}); }
    // Starts Segmenta and waits until its start is done.
    void Start()
    {
        ASSERT_TRUE(segmenta.Start());
        ASSERT_NE(segmenta.WaitWindow(), nullptr);
        ASSERT_TRUE(segmenta.WaitIdle());
    }
    void Post(UINT msg, WPARAM wp, LPARAM lp = 0) { ASSERT_TRUE(PostMessageW(segmenta.Window(), msg, wp, lp)); }
    // Posts a device-node change and waits for the orientation request it sends to the current
    // device: everything posted before has then been handled.
    void Settle(Driver driver, unsigned instance)
    {
        const size_t before = RequestsOf(standin::ioctl::kDisplayOrientation).size();
        Post(WM_DEVICECHANGE, DBT_DEVNODES_CHANGED);
        ASSERT_TRUE(WaitUntil([&] { return RequestsOf(standin::ioctl::kDisplayOrientation).size() > before; }));
        const auto requests = RequestsOf(standin::ioctl::kDisplayOrientation);
        ASSERT_EQ(requests.size(), before + 1);
        EXPECT_EQ(requests.back().driver, driver);
        EXPECT_EQ(requests.back().instance, instance);
    }

    ScratchRegistry reg{ScratchRegistry::RealPrefix};
    BackgroundProgram segmenta{bt::kSegmenta};
};

TEST_F(SegmentaRun, StartSendsTheCurrentOrientationAndResolutionOnly)
{
    AddDevice(reg, Serial(1, L"Other"));
    AddDevice(reg, OnSegment(Usb(3, L"Front"), kSecondaryMonitorSegment));
    SetCurrentDevice(L"Front");
    Start();
    const auto log = standin::ReadLog();
    ASSERT_EQ(bt::DevicesOf(log), (std::vector<std::string>{"MEKA3"})) << standin::Describe(log);
    EXPECT_EQ(log[0].code, standin::ioctl::kDisplayOrientation);
    EXPECT_EQ(Orientation(log[0]),
              (std::vector<int32_t>{0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}));
    EXPECT_FALSE(reg.Read(UsbKey(3), L"Logical Desktop Segment ID").present) << "no segment step at start";
}

struct QuietStart {
    const char* name;
    const wchar_t* currentDevice;   // null: no product key
    bool rotationPresent;
    DWORD rotation;
};

void PrintTo(const QuietStart& c, std::ostream* out) { *out << c.name; }

class SegmentaQuietStart : public SegmentaRun, public ::testing::WithParamInterface<QuietStart> {};

TEST_P(SegmentaQuietStart, SendsNothing)
{
    const QuietStart& c = GetParam();
    AddDevice(reg, Serial(1, L"Front"));
    if (c.currentDevice)
        SetCurrentDevice(c.currentDevice);
    if (c.rotationPresent)
        reg.SetDword(kProductKeyPath, L"Rotation", c.rotation);
    Start();
    EXPECT_TRUE(standin::ReadLog().empty()) << standin::Describe(standin::ReadLog());
    EXPECT_TRUE(segmenta.Process().Running());
}

INSTANTIATE_TEST_SUITE_P(Cases, SegmentaQuietStart,
                         ::testing::Values(QuietStart{"RotationTwo", L"Front", true, 2},
                                           QuietStart{"RotationTen", L"Front", true, 10},
                                           QuietStart{"UnknownDevice", L"Back", false, 0},
                                           QuietStart{"NoProductKey", nullptr, false, 0}),
                         [](const ::testing::TestParamInfo<QuietStart>& info) { return std::string(info.param.name); });

// Segmenta keeps its texts in the system code page and reads names through 260 bytes: a name of
// 259 characters is found (the UTF-16 programs read at most 129).
TEST_F(SegmentaRun, FindsACurrentDeviceWithALongName)
{
    const std::wstring name(259, L'n');
    AddDevice(reg, Serial(2, name));
    SetCurrentDevice(name);
    reg.SetDword(kProductKeyPath, L"Rotation", 1);
    Start();
    EXPECT_EQ(bt::DevicesOf(RequestsOf(standin::ioctl::kDisplayOrientation)), (std::vector<std::string>{"RILO2"}));
}

TEST_F(SegmentaRun, DeviceNodeChangesResendTheOrientationOtherDeviceNoticesDoNot)
{
    AddDevice(reg, Serial(1, L"Front"));
    SetCurrentDevice(L"Front");
    Start();
    ASSERT_TRUE(standin::ClearLog());
    DEV_BROADCAST_HDR header{sizeof header, DBT_DEVTYP_DEVICEINTERFACE, 0};
    DWORD_PTR result = 0;
    ASSERT_TRUE(SendMessageTimeoutW(segmenta.Window(), WM_DEVICECHANGE, DBT_DEVICEARRIVAL,
                                    reinterpret_cast<LPARAM>(&header), SMTO_BLOCK, kDefaultDeadlineMs, &result));
    // A setting change carries a text, so it is sent as the system broadcasts it.
    ASSERT_TRUE(SendMessageTimeoutW(segmenta.Window(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"intl"),
                                    SMTO_BLOCK, kDefaultDeadlineMs, &result));
    Post(WM_DEVICECHANGE, DBT_CONFIGCHANGED);
    Settle(Driver::Rilo, 1);
    Settle(Driver::Rilo, 1);
    EXPECT_EQ(standin::ReadLog().size(), 2u) << standin::Describe(standin::ReadLog());
}

TEST_F(SegmentaRun, DisplayChangeSendsOrientationThenTheSecondaryMonitorCode)
{
    AddDevice(reg, OnSegment(Serial(1, L"Front"), kSecondaryMonitorSegment));
    AddDevice(reg, OnSegment(Serial(2, L"Primary"), 1));
    AddDevice(reg, OnSegment(Usb(1, L"Usb"), kSecondaryMonitorSegment));
    reg.SetDword(UsbKey(1), L"Logical Desktop Segment ID", 4);
    SetCurrentDevice(L"Front");
    Start();
    ASSERT_TRUE(standin::ClearLog());
    Post(WM_DISPLAYCHANGE, 32, MAKELPARAM(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
    ASSERT_TRUE(standin::WaitForRequest(Driver::Meka, 1, standin::ioctl::kDeviceSegment));

    const auto log = standin::ReadLog();
    ASSERT_EQ(bt::DevicesOf(log), (std::vector<std::string>{"RILO1", "RILO1", "MEKA1"})) << standin::Describe(log);
    EXPECT_EQ(log[0].code, standin::ioctl::kDisplayOrientation);
    for (size_t i = 1; i < 3; ++i) {
        EXPECT_EQ(log[i].code, standin::ioctl::kDeviceSegment);
        EXPECT_EQ(log[i].input, std::vector<uint8_t>{19}) << "one monitor: no usable secondary monitor";
    }
    EXPECT_EQ(reg.Read(SerialKey(1), L"Logical Desktop Segment ID").AsDword(), 19u);
    EXPECT_EQ(reg.Read(UsbKey(1), L"Logical Desktop Segment ID").AsDword(), 19u);
    EXPECT_FALSE(reg.Read(SerialKey(2), L"Logical Desktop Segment ID").present);
}

// Serial controllers with the default names 1 to 3 and "Controller Enabled" 1 are switched off on
// suspend, and off and on again a second later on the one resume of each wake.
class SegmentaPower : public SegmentaRun {
protected:
    void SetUp() override
    {
        SegmentaRun::SetUp();
        bt::AddPowerDevices(reg);
        SetCurrentDevice(L"Renamed");
        Start();
        ASSERT_TRUE(standin::ClearLog());
    }
    static std::vector<std::string> Switches(const std::vector<LoggedRequest>& log)
    {
        std::vector<std::string> switches;
        for (const auto& request : log) {
            if (request.code == standin::ioctl::kDisableDevice)
                switches.push_back("off " + bt::DeviceOf(request));
            else if (request.code == standin::ioctl::kEnableDevice)
                switches.push_back("on " + bt::DeviceOf(request));
        }
        return switches;
    }
    void ExpectOneResume(const std::vector<LoggedRequest>& log)
    {
        ASSERT_EQ(Switches(log), (std::vector<std::string>{"off RILO1", "off RILO7", "on RILO1", "on RILO7"}))
            << standin::Describe(log);
        const int64_t frequency = standin::TimestampFrequency(Driver::Rilo);
        ASSERT_GT(frequency, 0);
        EXPECT_GE((log[2].timestamp - log[1].timestamp) * 1000 / frequency, 990) << "ms between off and on";
    }
    bool WaitSwitchedOn() { return standin::WaitForRequest(Driver::Rilo, 7, standin::ioctl::kEnableDevice); }
};

TEST_F(SegmentaPower, SuspendSwitchesTheControllersOff)
{
    Post(WM_POWERBROADCAST, PBT_APMSUSPEND);
    Settle(Driver::Rilo, 4);
    EXPECT_EQ(Switches(standin::ReadLog()), (std::vector<std::string>{"off RILO1", "off RILO7"}));
    EXPECT_FALSE(standin::GetState(Driver::Rilo, 1).enabled);
    EXPECT_TRUE(standin::GetState(Driver::Rilo, 2).enabled);
    EXPECT_TRUE(standin::GetState(Driver::Meka, 1).enabled);
}

TEST_F(SegmentaPower, WakeWithUserInputResumesOnce)
{
    Post(WM_POWERBROADCAST, PBT_APMSUSPEND);
    Settle(Driver::Rilo, 4);
    ASSERT_TRUE(standin::ClearLog());
    Post(WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC);
    Post(WM_POWERBROADCAST, PBT_APMRESUMESUSPEND);
    Settle(Driver::Rilo, 4);
    ExpectOneResume(standin::ReadLog());
    EXPECT_TRUE(standin::GetState(Driver::Rilo, 1).enabled);
    EXPECT_TRUE(standin::GetState(Driver::Rilo, 7).enabled);
}

TEST_F(SegmentaPower, WakeWithoutUserInputResumesToo)
{
    Post(WM_POWERBROADCAST, PBT_APMSUSPEND);
    Post(WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC);
    Settle(Driver::Rilo, 4);
    const auto log = standin::ReadLog();
    ASSERT_GE(log.size(), 2u);
    std::vector<LoggedRequest> resume(log.begin() + 2, log.end());
    EXPECT_EQ(Switches({log.begin(), log.begin() + 2}), (std::vector<std::string>{"off RILO1", "off RILO7"}));
    ExpectOneResume(resume);
    EXPECT_TRUE(standin::GetState(Driver::Rilo, 1).enabled);
}

TEST_F(SegmentaPower, EveryWakeResumesOnceOlderSystemsIncluded)
{
    for (int wake = 0; wake < 2; ++wake) {
        ASSERT_TRUE(standin::ClearLog());
        Post(WM_POWERBROADCAST, PBT_APMSUSPEND);
        Settle(Driver::Rilo, 4);
        ASSERT_TRUE(standin::ClearLog());
        Post(WM_POWERBROADCAST, PBT_APMRESUMESUSPEND);   // a system that sends only this one
        Post(WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC);
        Post(WM_POWERBROADCAST, PBT_APMPOWERSTATUSCHANGE);
        Settle(Driver::Rilo, 4);
        ExpectOneResume(standin::ReadLog());
    }
}

}  // namespace
