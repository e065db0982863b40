// The button-mode switch across the tray program, the mode selector and the drivers: clicks on
// Beaconet's mode icon and on Gesturo's picture, the requests each device receives, the one-touch
// round trip ended through the stand-in, a late end signal, a device arrival and "One Hit".
#include <gtest/gtest.h>

#include <cstring>

#include "NamedEvents.h"
#include "NamedObjects.h"
#include "TestWindows.h"
#include "TrayRun.h"

using namespace testsupport;
using namespace traytest;

namespace {
// The large pictures of the primary and the secondary mode.
constexpr SIZE kLargePrimary{118, 97};
constexpr SIZE kLargeSecondary{117, 91};


uint32_t AddressOf(const standin::LoggedRequest& request)
{
    uint32_t address = 0;
    std::memcpy(&address, request.input.data(), 4);
    return address;
}

// Every device got exactly one secondary request, with this HitOne, three zero bytes and one
// address for all (the sender's event variable); returns that address.
uint32_t ExpectOneSecondaryEach(uint8_t hitOne)
{
    const auto log = standin::ReadLog();
    uint32_t address = 0;
    for (const TestDevice& d : kDevices) {
        const auto requests = standin::Select(log, d.driver, d.instance, kUseSecondary);
        EXPECT_EQ(requests.size(), 1u) << standin::Describe(log);
        if (requests.size() != 1)
            continue;
        const auto& bytes = requests[0].input;
        EXPECT_EQ(bytes.size(), 8u);
        EXPECT_EQ(bytes[4], hitOne) << standin::Describe(requests[0]);
        EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 5, bytes.end()), (std::vector<uint8_t>{0, 0, 0}));
        EXPECT_NE(AddressOf(requests[0]), 0u);
        if (address) {
            EXPECT_EQ(AddressOf(requests[0]), address) << "one event variable";
        }
        address = AddressOf(requests[0]);
    }
    return address;
}

class ModeSwitch : public TrayTest {
protected:
    void StartReady()
    {
        ASSERT_TRUE(StartBeaconet());
        ASSERT_TRUE(WaitBeaconetReady());
        ASSERT_TRUE(standin::ClearLog());
    }
    void SetDriverEvent(const wchar_t* name)
    {
        ASSERT_TRUE(SignalNamedEvent(name)) << "no event";
    }
};

struct HitOneCase {
    DWORD stored;
    uint8_t sent;
};
void PrintTo(const HitOneCase& c, std::ostream* out) { *out << "HitOne " << c.stored; }

class ModeIconClick : public ModeSwitch, public testing::WithParamInterface<HitOneCase> {};

TEST_P(ModeIconClick, FlipsTheSwitchAndSendsItToEveryDevice)
{
    SetProduct(L"HitOne", GetParam().stored);
    StartReady();
    ASSERT_TRUE(NotifyIcon(ModeIconWindow(), kModeIconId, WM_LBUTTONUP));
    EXPECT_EQ(ProductDword(L"Gesturo"), 1u);
    ExpectOneSecondaryEach(GetParam().sent);
    EXPECT_EQ(ProductDword(L"HitOne"), GetParam().stored) << "the stored value stays";
    for (const TestDevice& d : kDevices)
        EXPECT_TRUE(standin::GetState(d.driver, d.instance).secondaryMode);

    ASSERT_TRUE(standin::ClearLog());
    ASSERT_TRUE(NotifyIcon(ModeIconWindow(), kModeIconId, WM_RBUTTONUP));
    EXPECT_EQ(ProductDword(L"Gesturo"), 0u);
    ExpectOnePrimaryEach();
    // Other mouse messages change nothing.
    ASSERT_TRUE(NotifyIcon(ModeIconWindow(), kModeIconId, WM_MOUSEMOVE));
    EXPECT_EQ(ProductDword(L"Gesturo"), 0u);
}

INSTANTIATE_TEST_SUITE_P(HitOne, ModeIconClick, testing::Values(HitOneCase{0, 0}, HitOneCase{1, 1}, HitOneCase{7, 0}),
                         [](const testing::TestParamInfo<HitOneCase>& info) {
                             return "Stored" + std::to_string(info.param.stored);
                         });

TEST_F(ModeSwitch, OneTouchEndedByTheDriverTurnsEveryDeviceBackToPrimary)
{
    SetProduct(L"HitOne", 1);
    StartReady();
    ASSERT_TRUE(NotifyIcon(ModeIconWindow(), kModeIconId, WM_LBUTTONUP));
    ExpectOneSecondaryEach(1);
    ASSERT_TRUE(standin::ClearLog());

    // A touch on the side panel ends its one-touch mode; the stand-in sets Beaconet's event.
    const standin::EventResult end = standin::EndOneTouch(standin::Driver::Rilo, 2);
    ASSERT_TRUE(end.ok);
    EXPECT_EQ(end.modeEndEvent, kDriverModeEvent);
    ASSERT_TRUE(WaitEveryDevice(kUsePrimary, 1)) << Log();
    EXPECT_EQ(ProductDword(L"Gesturo"), 0u);
    for (const TestDevice& d : kDevices)
        EXPECT_FALSE(standin::GetState(d.driver, d.instance).secondaryMode);
    // The next click asks for the secondary mode again.
    ASSERT_TRUE(standin::ClearLog());
    ASSERT_TRUE(NotifyIcon(ModeIconWindow(), kModeIconId, WM_LBUTTONUP));
    ExpectOneSecondaryEach(1);
}

TEST_F(ModeSwitch, ALateEndSignalDoesNotTurnTheSecondaryModeOn)
{
    StartReady();
    // The switch is at primary; the driver's end signal comes anyway.
    SetDriverEvent(kDriverModeEvent);
    ASSERT_TRUE(WaitEveryDevice(kUsePrimary, 1)) << Log();
    EXPECT_EQ(ProductDword(L"Gesturo"), 0u);
    ExpectOnePrimaryEach();
    for (const TestDevice& d : kDevices)
        EXPECT_FALSE(standin::GetState(d.driver, d.instance).secondaryMode);
}

TEST_F(ModeSwitch, ADeviceArrivalGetsTheSwitchAsItStands)
{
    StartReady();
    ASSERT_TRUE(NotifyIcon(ModeIconWindow(), kModeIconId, WM_LBUTTONUP));
    ASSERT_TRUE(standin::ClearLog());
    DWORD_PTR result = 0;
    ASSERT_TRUE(SendMessageTimeoutW(ModeIconWindow(), WM_DEVICECHANGE, 7 /* DBT_DEVNODES_CHANGED */, 0,
                                    SMTO_NORMAL, kDefaultDeadlineMs, &result));
    ExpectOneSecondaryEach(0);
    EXPECT_EQ(ProductDword(L"Gesturo"), 1u);
}

TEST_F(ModeSwitch, AnUnpluggedDeviceIsSkippedAndTheOthersStillFollow)
{
    StartReady();
    ASSERT_TRUE(standin::Unplug(standin::Driver::Rilo, 1));
    ASSERT_TRUE(NotifyIcon(ModeIconWindow(), kModeIconId, WM_LBUTTONUP));
    EXPECT_TRUE(Requests(kDevices[0], kUseSecondary).empty()) << Log();
    EXPECT_EQ(Requests(kDevices[1], kUseSecondary).size(), 1u) << Log();
    EXPECT_EQ(Requests(kDevices[2], kUseSecondary).size(), 1u) << Log();
}

TEST_F(ModeSwitch, GesturoLeavesTheDevicesToARunningBeaconet)
{
    StartReady();
    ASSERT_TRUE(StartGesturo());
    EXPECT_EQ(PictureSize(), kLargePrimary);
    ASSERT_TRUE(ClickPicture());
    // Gesturo's own requests would be in the log now; Beaconet's follow "TrayGesturo".
    EXPECT_EQ(ProductDword(L"Gesturo"), 1u);
    EXPECT_EQ(PictureSize(), kLargeSecondary);
    ASSERT_TRUE(WaitEveryDevice(kUseSecondary, 1)) << Log();
    ExpectOneSecondaryEach(0);

    // Beaconet's icon flips it back; Gesturo's picture follows.
    ASSERT_TRUE(standin::ClearLog());
    ASSERT_TRUE(NotifyIcon(ModeIconWindow(), kModeIconId, WM_LBUTTONUP));
    EXPECT_TRUE(WaitUntil([&] { return PictureSize() == kLargePrimary; })) << PictureSize();
    ExpectOnePrimaryEach();   // none from Gesturo
}

TEST_F(ModeSwitch, OneHitFromGesturoReachesTheDevicesThroughBeaconet)
{
    StartReady();
    ASSERT_TRUE(NotifyIcon(ModeIconWindow(), kModeIconId, WM_LBUTTONUP));
    ASSERT_TRUE(StartGesturo());
    EXPECT_EQ(PictureSize(), kLargeSecondary) << "the switch as stored";
    ASSERT_TRUE(standin::ClearLog());
    ASSERT_TRUE(SysCommand(1008));
    EXPECT_EQ(ProductDword(L"HitOne"), 1u);
    ASSERT_TRUE(WaitEveryDevice(kUseSecondary, 1)) << Log();
    ExpectOneSecondaryEach(1);
}

TEST_F(ModeSwitch, BeaconetStartingResetsARunningGesturo)
{
    ASSERT_TRUE(StartGesturo());
    ASSERT_TRUE(ClickPicture());
    EXPECT_EQ(PictureSize(), kLargeSecondary);
    ASSERT_TRUE(StartBeaconet());
    ASSERT_TRUE(WaitBeaconetReady());
    EXPECT_EQ(ProductDword(L"Gesturo"), 0u);
    EXPECT_TRUE(WaitUntil([&] { return PictureSize() == kLargePrimary; })) << PictureSize();
}

TEST_F(ModeSwitch, GesturoAloneDrivesTheDevicesAndFollowsTheDriverBackToPrimary)
{
    SetProduct(L"HitOne", 1);
    ASSERT_TRUE(StartGesturo());
    ASSERT_TRUE(standin::ClearLog());
    ASSERT_TRUE(ClickPicture());
    EXPECT_EQ(ProductDword(L"Gesturo"), 1u);
    EXPECT_EQ(PictureSize(), kLargeSecondary);
    ExpectOneSecondaryEach(1);
    ASSERT_TRUE(standin::ClearLog());

    // Without Beaconet the driver sets Gesturo's event; the device is back in its primary mode,
    // and so are the switch, the picture and the other devices.
    const standin::EventResult end = standin::EndOneTouch(standin::Driver::Meka, 1);
    ASSERT_TRUE(end.ok);
    EXPECT_EQ(end.modeEndEvent, kDialogModeEvent);
    EXPECT_TRUE(WaitUntil([&] { return PictureSize() == kLargePrimary; })) << PictureSize();
    EXPECT_EQ(ProductDword(L"Gesturo"), 0u);
    ASSERT_TRUE(WaitEveryDevice(kUsePrimary, 1)) << Log();
    for (const TestDevice& d : kDevices)
        EXPECT_FALSE(standin::GetState(d.driver, d.instance).secondaryMode);
    // The next click asks for the secondary mode again, not for primary.
    ASSERT_TRUE(standin::ClearLog());
    ASSERT_TRUE(ClickPicture());
    EXPECT_EQ(ProductDword(L"Gesturo"), 1u);
    ExpectOneSecondaryEach(1);
}

TEST_F(ModeSwitch, GesturoAloneSendsPrimaryOnTheSecondClick)
{
    ASSERT_TRUE(StartGesturo());
    ASSERT_TRUE(ClickPicture());
    ASSERT_TRUE(standin::ClearLog());
    ASSERT_TRUE(ClickPicture());
    EXPECT_EQ(ProductDword(L"Gesturo"), 0u);
    EXPECT_EQ(PictureSize(), kLargePrimary);
    ExpectOnePrimaryEach();
}

}  // namespace
