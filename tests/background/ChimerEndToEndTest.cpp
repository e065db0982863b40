// Chimer under Wine with the stand-in drivers and the prefix's registry: its events per device,
// touches, reloads, device arrival, the second start and its end.
#include <gtest/gtest.h>

#include <windows.h>

#include <dbt.h>

#include "BackgroundFixtures.h"
#include "BackgroundProgram.h"
#include "BeepEvents.h"
#include "DeviceKeyFixture.h"
#include "DriverProtocol.h"
#include "Equipment.h"
#include "NamedObjects.h"
#include "StandinClient.h"

using namespace testsupport;
using backgroundtest::BackgroundProgram;
using standin::Driver;

namespace bt = backgroundtest;

namespace {

using bt::kDeviceNotReady;
using bt::WithSound;

class ChimerRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQUIPMENT(standin::Running() && standin::Reset(), "the stand-in drivers");
        bt::StartWithoutDevices(reg);
    }
    // Starts Chimer and waits for its window: by then every device is armed.
    void Start()
    {
        ASSERT_TRUE(chimer.Start());
        ASSERT_NE(chimer.WaitWindow(), nullptr);
    }
    std::wstring EventNameOf(const standin::LoggedRequest& request)
    {
        return bt::ObjectNameOf(chimer.Process().Handle(), bt::HandleValue(request));
    }
    // Touches the device armed at `position` and waits until Chimer's thread has taken it.
    void Touch(Driver driver, unsigned instance, size_t position)
    {
        ASSERT_TRUE(bt::TouchArmedDevice(driver, instance, position)) << "touch of position " << position;
        ASSERT_TRUE(bt::WaitEventCleared(bt::TouchEventName(position))) << "position " << position << " not taken";
    }
    bool Arrival()
    {
        DEV_BROADCAST_DEVICEINTERFACE_W notice{};
        notice.dbcc_size = sizeof notice;
        notice.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
        notice.dbcc_classguid = MEKA_DEVICE_INTERFACE_GUID;
        DWORD_PTR result = 0;
        // A device notice carries a pointer, so it can only be sent, not posted.
        return SendMessageTimeoutW(chimer.Window(), WM_DEVICECHANGE, DBT_DEVICEARRIVAL,
                                   reinterpret_cast<LPARAM>(&notice), SMTO_BLOCK, kDefaultDeadlineMs, &result) != 0;
    }

    ScratchRegistry reg{ScratchRegistry::RealPrefix};
    BackgroundProgram chimer{bt::kChimer};
};

TEST_F(ChimerRun, ArmsEveryDeviceAndEveryArmedDeviceTakesItsTouches)
{
    AddDevice(reg, WithSound(Serial(1, L"Wave"), 1, L"C:\\wave\\touch.wav"));
    AddDevice(reg, WithSound(Serial(2, L"Beep"), 2));
    AddDevice(reg, WithSound(Usb(1, L"Silent"), 0));
    AddDevice(reg, WithSound(Usb(2, L"Missing Wave"), 1, L"C:\\no such\\file.wav"));
    AddDevice(reg, WithSound(Usb(3, L"Refuses"), 2));
    ASSERT_TRUE(standin::FailRequests(Driver::Meka, 3, standin::ioctl::kBeepEvent, kDeviceNotReady));
    Start();

    const auto requests = bt::BeepRequests();
    ASSERT_EQ(bt::DevicesOf(requests), (std::vector<std::string>{"RILO1", "RILO2", "MEKA1", "MEKA2", "MEKA3"}))
        << standin::Describe(requests);
    for (size_t i = 0; i < requests.size(); ++i) {
        const std::string name = bt::TouchEventName(i);
        EXPECT_EQ(EventNameOf(requests[i]), std::wstring(name.begin(), name.end())) << bt::DeviceOf(requests[i]);
    }
    // Each armed device takes touch after touch: its sound, wave file, beep or none, never blocks.
    for (int round = 0; round < 3; ++round) {
        Touch(Driver::Rilo, 1, 0);
        Touch(Driver::Rilo, 2, 1);
        Touch(Driver::Meka, 1, 2);
        Touch(Driver::Meka, 2, 3);
    }
    // The device that refused its event has no thread: its event stays set.
    ASSERT_TRUE(bt::SetNamedEvent(bt::TouchEventName(4)));
    Touch(Driver::Rilo, 1, 0);
    EXPECT_TRUE(bt::EventIsSet(bt::TouchEventName(4)));
    EXPECT_TRUE(chimer.Process().Running());
}

TEST_F(ChimerRun, SecondStartEndsAtOnceAndChangesNothing)
{
    AddDevice(reg, WithSound(Serial(1, L"First"), 2));
    Start();
    ASSERT_TRUE(standin::ClearLog());

    BackgroundProgram second(bt::kChimer);
    ASSERT_TRUE(second.Start());
    DWORD code = 1234;
    ASSERT_TRUE(second.Process().WaitExit(code));
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(standin::ReadLog().empty()) << standin::Describe(standin::ReadLog());
    EXPECT_EQ(bt::WindowsOfClass(L"CHIMER").size(), 1u);
    Touch(Driver::Rilo, 1, 0);   // the first one still plays
}

TEST_F(ChimerRun, BeepEventReloadsTheDevicesFromTheRegistry)
{
    AddDevice(reg, WithSound(Serial(1, L"Removed"), 2));
    AddDevice(reg, WithSound(Serial(2, L"Kept"), 0));
    AddDevice(reg, WithSound(Usb(1, L"Usb"), 2));
    Start();
    ASSERT_EQ(bt::BeepRequests().size(), 3u);

    reg.DeleteTree(SerialKey(1));
    ASSERT_TRUE(standin::ClearLog());
    ASSERT_TRUE(bt::SetNamedEvent(kBeepEventA.data()));
    ASSERT_TRUE(WaitUntil([] { return !bt::EventIsSet(kBeepEventA.data()); })) << "the rebuild resets BEEP_EVENT";
    const auto requests = bt::BeepRequests();
    ASSERT_EQ(bt::DevicesOf(requests), (std::vector<std::string>{"RILO2", "MEKA1"})) << standin::Describe(requests);
    EXPECT_EQ(EventNameOf(requests[0]), L"BeepEvent 0 ");
    EXPECT_EQ(EventNameOf(requests[1]), L"BeepEvent 1 ");
    EXPECT_FALSE(bt::EventExists(bt::TouchEventName(2))) << "the third event went with the old list";
    Touch(Driver::Rilo, 2, 0);
    Touch(Driver::Meka, 1, 1);
}

TEST_F(ChimerRun, DeviceArrivalArmsNewAndReturningUsbDevicesAndLeavesSerialOnes)
{
    AddDevice(reg, WithSound(Serial(1, L"Serial"), 2));
    AddDevice(reg, WithSound(Usb(1, L"Unplugged"), 2));
    ASSERT_TRUE(standin::Unplug(Driver::Meka, 1));
    Start();
    ASSERT_EQ(bt::DevicesOf(bt::BeepRequests()), (std::vector<std::string>{"RILO1"}));

    ASSERT_TRUE(standin::Replug(Driver::Meka, 1));
    AddDevice(reg, WithSound(Usb(2, L"Plugged In"), 1, L"C:\\wave\\usb.wav"));
    ASSERT_TRUE(standin::ClearLog());
    ASSERT_TRUE(Arrival());
    const auto requests = bt::BeepRequests();
    ASSERT_EQ(bt::DevicesOf(requests), (std::vector<std::string>{"MEKA1", "MEKA2"})) << standin::Describe(requests);
    EXPECT_EQ(EventNameOf(requests[0]), L"BeepEvent 1 ");
    EXPECT_EQ(EventNameOf(requests[1]), L"BeepEvent 2 ");
    Touch(Driver::Rilo, 1, 0);
    Touch(Driver::Meka, 1, 1);
    Touch(Driver::Meka, 2, 2);

    // Other device notices change nothing.
    ASSERT_TRUE(standin::ClearLog());
    DWORD_PTR result = 0;
    ASSERT_TRUE(SendMessageTimeoutW(chimer.Window(), WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0, SMTO_BLOCK,
                                    kDefaultDeadlineMs, &result));
    Touch(Driver::Meka, 2, 2);
    EXPECT_TRUE(bt::BeepRequests().empty());
}

TEST_F(ChimerRun, CloseStopsEveryThreadAndFreesItsNames)
{
    AddDevice(reg, WithSound(Serial(1, L"First"), 2));
    AddDevice(reg, WithSound(Usb(1, L"Second"), 1, L"C:\\wave\\touch.wav"));
    Start();
    Touch(Driver::Meka, 1, 1);
    DWORD code = 1234;
    ASSERT_TRUE(chimer.Close(code));
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(bt::EventExists(bt::TouchEventName(0)));
    EXPECT_FALSE(bt::EventExists(bt::TouchEventName(1)));
    EXPECT_FALSE(bt::EventExists(kBeepEventA.data()));
    EXPECT_FALSE(NamedMutexExists(kSoundMutex));
}

}  // namespace
