// Touches, one-touch button modes and unplugging: what the stand-ins signal to the programs.
#include <thread>

#include "NamedObjects.h"
#include "StandinDeviceFile.h"

using standin::Driver;
namespace ioctl = standin::ioctl;

namespace {

// A named event created as the programs create theirs: manual reset, initially clear.
class NamedEvent {
public:
    explicit NamedEvent(const wchar_t* name) : handle_(CreateEventW(nullptr, TRUE, FALSE, name)) {}
    ~NamedEvent()
    {
        if (handle_)
            CloseHandle(handle_);
    }
    NamedEvent(const NamedEvent&) = delete;
    NamedEvent& operator=(const NamedEvent&) = delete;
    HANDLE get() const { return handle_; }
    bool IsSet() const { return WaitForSingleObject(handle_, 0) == WAIT_OBJECT_0; }
    // The 32-bit handle value the programs put into their requests.
    uint32_t Value() const { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(handle_)); }

private:
    HANDLE handle_;
};

bool EventExists(const wchar_t* name)
{
    HANDLE h = OpenEventW(EVENT_ALL_ACCESS, FALSE, name);
    if (h)
        CloseHandle(h);
    return h != nullptr;
}

TEST_F(StandinTest, InjectedTouchWakesTheCalibrationWaiterAndIsTheNextPoint)
{
    NamedEvent touch(kCalibrationEvent);
    ASSERT_NE(nullptr, touch.get());
    DeviceFile rilo(Driver::Rilo, 2);
    ASSERT_TRUE(rilo.Send(ioctl::kSetCalibrationEvent, Le32({touch.Value()})).ok);
    EXPECT_TRUE(standin::GetState(Driver::Rilo, 2).calibrationEventRegistered);

    DWORD waited = WAIT_FAILED;
    std::thread waiter([&] { waited = WaitForSingleObject(touch.get(), 10000); });
    standin::EventResult result = standin::InjectTouch(Driver::Rilo, 2, 1234, 567);
    waiter.join();
    EXPECT_TRUE(result.ok);
    EXPECT_TRUE(result.calibrationEventSet);
    EXPECT_FALSE(result.beepEventSet);
    EXPECT_FALSE(result.oneTouchEnded);
    EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), waited);

    IoResult point = rilo.Send(ioctl::kGetCalibrationPoint, {}, 8);
    ASSERT_TRUE(point.ok);
    EXPECT_EQ(Le32({1234, 567}), point.output);
}

TEST_F(StandinTest, TouchOnADeviceWithoutTheEventSetsNothing)
{
    NamedEvent touch(kCalibrationEvent);
    standin::EventResult result = standin::InjectTouch(Driver::Meka, 2, 10, 20);
    EXPECT_TRUE(result.ok);
    EXPECT_FALSE(result.calibrationEventSet);
    EXPECT_FALSE(touch.IsSet());
    standin::DeviceState s = standin::GetState(Driver::Meka, 2);
    EXPECT_EQ(10, s.calibrationPoint[0]);
    EXPECT_EQ(20, s.calibrationPoint[1]);
}

TEST_F(StandinTest, TouchSetsTheBeepEventNamedForTheDevice)
{
    NamedEvent beep(L"BeepEvent 1 ");
    DeviceFile meka(Driver::Meka, 1);
    ASSERT_TRUE(meka.Send(ioctl::kBeepEvent, Le32({beep.Value()})).ok);
    EXPECT_FALSE(standin::InjectTouch(Driver::Meka, 1, 0, 0).beepEventSet);   // no name known yet

    ASSERT_TRUE(standin::SetBeepEventName(Driver::Meka, 1, L"BeepEvent 1 "));
    EXPECT_EQ(L"BeepEvent 1 ", standin::GetState(Driver::Meka, 1).beepEventName);
    standin::EventResult result = standin::InjectTouch(Driver::Meka, 1, 0, 0);
    EXPECT_TRUE(result.beepEventSet);
    EXPECT_TRUE(beep.IsSet());
}

TEST_F(StandinTest, EndOfOneTouchModeSetsDialogGesturoWhenTheTrayEventIsAbsent)
{
    ASSERT_FALSE(EventExists(kDriverModeEvent)) << "another program holds TRAY_GESTURO";
    NamedEvent dialog(kDialogModeEvent);
    DeviceFile meka(Driver::Meka, 1);
    ASSERT_TRUE(meka.Send(ioctl::kUseSecondaryMode, {0x10, 0x20, 0x30, 0x00, 1, 0, 0, 0}).ok);

    standin::EventResult result = standin::EndOneTouch(Driver::Meka, 1);
    EXPECT_TRUE(result.ok);
    EXPECT_TRUE(result.oneTouchEnded);
    EXPECT_EQ(kDialogModeEvent, result.modeEndEvent);
    EXPECT_TRUE(dialog.IsSet());
    EXPECT_FALSE(standin::GetState(Driver::Meka, 1).secondaryMode);
}

TEST_F(StandinTest, EndOfOneTouchModeSetsTrayGesturoWhenItExists)
{
    NamedEvent tray(kDriverModeEvent), dialog(kDialogModeEvent);
    DeviceFile rilo(Driver::Rilo, 1);
    ASSERT_TRUE(rilo.Send(ioctl::kUseSecondaryMode, {0x10, 0x20, 0x30, 0x00, 1, 0, 0, 0}).ok);

    standin::EventResult result = standin::EndOneTouch(Driver::Rilo, 1);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(kDriverModeEvent, result.modeEndEvent);
    EXPECT_TRUE(tray.IsSet());
    EXPECT_FALSE(dialog.IsSet());
    standin::DeviceState s = standin::GetState(Driver::Rilo, 1);
    EXPECT_FALSE(s.secondaryMode);
    EXPECT_FALSE(s.hitOne);
}

TEST_F(StandinTest, TouchEndsAOneTouchMode)
{
    NamedEvent tray(kDriverModeEvent);
    DeviceFile rilo(Driver::Rilo, 8);
    ASSERT_TRUE(rilo.Send(ioctl::kUseSecondaryMode, {0, 0, 0, 0, 1, 0, 0, 0}).ok);
    standin::EventResult result = standin::InjectTouch(Driver::Rilo, 8, 1, 1);
    EXPECT_TRUE(result.oneTouchEnded);
    EXPECT_EQ(kDriverModeEvent, result.modeEndEvent);
    EXPECT_TRUE(tray.IsSet());
    EXPECT_FALSE(standin::GetState(Driver::Rilo, 8).secondaryMode);
}

TEST_F(StandinTest, SecondaryModeUntilSwitchedBackIsNotEndedByTheTestChannel)
{
    NamedEvent tray(kDriverModeEvent);
    DeviceFile rilo(Driver::Rilo, 1);
    ASSERT_TRUE(rilo.Send(ioctl::kUseSecondaryMode, {0, 0, 0, 0, 0, 0, 0, 0}).ok);
    EXPECT_FALSE(standin::EndOneTouch(Driver::Rilo, 1).ok);
    EXPECT_FALSE(standin::InjectTouch(Driver::Rilo, 1, 5, 5).oneTouchEnded);
    EXPECT_FALSE(tray.IsSet());
    EXPECT_TRUE(standin::GetState(Driver::Rilo, 1).secondaryMode);
}

TEST_F(StandinTest, UnpluggedInstanceCannotBeOpenedAndReplugBringsItBack)
{
    for (Driver driver : {Driver::Rilo, Driver::Meka}) {
        DeviceFile before(driver, 4);
        ASSERT_TRUE(before.IsOpen());
        ASSERT_TRUE(standin::Unplug(driver, 4));

        DeviceFile unplugged(driver, 4);
        EXPECT_FALSE(unplugged.IsOpen()) << standin::DriverName(driver);
        EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), unplugged.OpenError());
        EXPECT_FALSE(standin::GetState(driver, 4).present);
        IoResult stale = before.Send(ioctl::kDeviceSegment, {1});   // a handle from before the unplug
        EXPECT_FALSE(stale.ok);
        EXPECT_EQ(static_cast<DWORD>(ERROR_DEVICE_NOT_CONNECTED), stale.error);
        EXPECT_TRUE(DeviceFile(driver, 5).IsOpen());   // the neighbours stay

        ASSERT_TRUE(standin::Replug(driver, 4));
        DeviceFile replugged(driver, 4);
        EXPECT_TRUE(replugged.IsOpen()) << standin::DriverName(driver);
        EXPECT_TRUE(replugged.Send(ioctl::kDeviceSegment, {2}).ok);
        EXPECT_TRUE(standin::GetState(driver, 4).present);
    }
}

TEST_F(StandinTest, UnplugForgetsTheEventsAndTheMode)
{
    NamedEvent touch(kCalibrationEvent);
    {
        DeviceFile rilo(Driver::Rilo, 9);
        ASSERT_TRUE(rilo.Send(ioctl::kSetCalibrationEvent, Le32({touch.Value()})).ok);
        ASSERT_TRUE(rilo.Send(ioctl::kUseSecondaryMode, {0, 0, 0, 0, 1, 0, 0, 0}).ok);
    }
    ASSERT_TRUE(standin::Unplug(Driver::Rilo, 9));
    EXPECT_FALSE(standin::InjectTouch(Driver::Rilo, 9, 1, 1).ok);   // no touch from an unplugged panel
    ASSERT_TRUE(standin::Replug(Driver::Rilo, 9));
    standin::DeviceState s = standin::GetState(Driver::Rilo, 9);
    EXPECT_FALSE(s.calibrationEventRegistered);
    EXPECT_FALSE(s.secondaryMode);
    standin::EventResult result = standin::InjectTouch(Driver::Rilo, 9, 1, 1);
    EXPECT_TRUE(result.ok);
    EXPECT_FALSE(result.calibrationEventSet);
    EXPECT_FALSE(touch.IsSet());
}

}  // namespace
