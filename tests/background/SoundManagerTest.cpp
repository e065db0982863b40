// The sound program's device list in this process: its registry redirected to a scratch key,
// its requests going to the stand-in drivers, its sounds recorded.
#include <gtest/gtest.h>

#include <future>

#include "BackgroundFixtures.h"
#include "BeepEvents.h"
#include "DeviceKeyFixture.h"
#include "Equipment.h"
#include "NamedObjects.h"
#include "SoundCalls.h"
#include "SoundManager.h"
#include "TestProcess.h"
#include "TestWindows.h"

using namespace testsupport;
using backgroundtest::SoundCall;
using standin::Driver;

namespace bt = backgroundtest;

using namespace chimer;

namespace {

using bt::kDeviceNotReady;
using bt::WithSound;

class SoundManager : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQUIPMENT(standin::Running() && standin::Reset(), "the stand-in drivers");
        ASSERT_TRUE(sounds.Active());
    }
    void TearDown() override
    {
        sounds.Release();
        DestroySoundManager();
    }
    CSoundManager* Create()
    {
        CSoundManager* manager = CreateSoundManager();
        EXPECT_NE(manager, nullptr);
        return manager;
    }
    // Touches the device armed at `position` and waits until its thread has taken the touch.
    void Touch(Driver driver, unsigned instance, size_t position)
    {
        ASSERT_TRUE(bt::TouchArmedDevice(driver, instance, position)) << "touch of position " << position;
        ASSERT_TRUE(bt::WaitEventCleared(bt::TouchEventName(position))) << "position " << position << " not taken";
    }

    ScratchRegistry reg;
    bt::SoundCalls sounds;
};

TEST_F(SoundManager, ArmsEveryDeviceInListOrderWithItsOwnNamedEvent)
{
    AddDevice(reg, WithSound(Usb(1, L"Usb"), kSoundBeep));
    AddDevice(reg, WithSound(Serial(2, L"Second"), kSoundBeep));
    AddDevice(reg, WithSound(Serial(1, L"First"), kSoundBeep));
    Create();

    const auto requests = bt::BeepRequests();
    ASSERT_EQ(bt::DevicesOf(requests), (std::vector<std::string>{"RILO1", "RILO2", "MEKA1"}))
        << standin::Describe(requests);
    for (size_t i = 0; i < requests.size(); ++i) {
        EXPECT_EQ(requests[i].inputSize, 4u);
        // The request carries this process's handle of the device's own event.
        const std::string name = bt::TouchEventName(i);
        EXPECT_EQ(bt::ObjectNameOf(GetCurrentProcess(), bt::HandleValue(requests[i])),
                  std::wstring(name.begin(), name.end()));
    }
    EXPECT_FALSE(bt::EventExists(bt::TouchEventName(3)));
    EXPECT_TRUE(bt::EventExists(kBeepEventA.data()));
}

struct TouchCase {
    const char* name;
    DWORD mode;
    std::wstring wave;             // empty: no "Wave File" value
    std::vector<SoundCall> calls;  // what one touch plays
};

void PrintTo(const TouchCase& c, std::ostream* out) { *out << c.name; }

class TouchSounds : public SoundManager, public ::testing::WithParamInterface<TouchCase> {};

TEST_P(TouchSounds, EachTouchPlaysTheDevicesSound)
{
    const TouchCase& c = GetParam();
    AddDevice(reg, WithSound(Serial(1, L"Other"), kSoundBeep));
    AddDevice(reg, WithSound(Usb(4, L"Touched"), c.mode, c.wave));
    Create();
    for (int touch = 1; touch <= 2; ++touch) {
        sounds.Clear();
        Touch(Driver::Meka, 4, 1);
        EXPECT_EQ(sounds.Calls(), c.calls) << "touch " << touch;
    }
}

const std::string kLongPath = "C:\\" + std::string(252, 'w') + ".wav";   // 259 characters

INSTANTIATE_TEST_SUITE_P(
    Modes, TouchSounds,
    ::testing::Values(
        TouchCase{"SoundOff", kSoundOff, L"C:\\wave\\a.wav", {}},
        TouchCase{"WaveFile", kSoundWaveFile, L"C:\\wave\\a.wav", {{SoundCall::Wave, "C:\\wave\\a.wav", SND_ASYNC, 0, 0}}},
        TouchCase{"MissingWaveFile", kSoundWaveFile, L"C:\\no such\\file.wav",
                  {{SoundCall::Wave, "C:\\no such\\file.wav", SND_ASYNC, 0, 0}}},
        TouchCase{"NoWaveFileValue", kSoundWaveFile, L"", {{SoundCall::Wave, "", SND_ASYNC, 0, 0}}},
        TouchCase{"LongestPath", kSoundWaveFile, std::wstring(kLongPath.begin(), kLongPath.end()),
                  {{SoundCall::Wave, kLongPath, SND_ASYNC, 0, 0}}},
        // a path that leaves no room for its end counts as missing
        TouchCase{"PathTooLong", kSoundWaveFile, L"C:\\" + std::wstring(253, L'x') + L".wav",
                  {{SoundCall::Wave, "", SND_ASYNC, 0, 0}}},
        TouchCase{"Beep", kSoundBeep, L"C:\\wave\\a.wav", {{SoundCall::Beep, "", 0, 500, 50}}},
        TouchCase{"UnknownMode", 5, L"C:\\wave\\a.wav", {}}),
    [](const ::testing::TestParamInfo<TouchCase>& info) { return std::string(info.param.name); });

TEST_F(SoundManager, DevicesThatCannotBeArmedGetNoThreadAndNoMessage)
{
    AddDevice(reg, WithSound(Serial(1, L"Good"), kSoundBeep));
    AddDevice(reg, WithSound(Serial(2, L"Refuses"), kSoundBeep));
    AddDevice(reg, WithSound(Usb(3, L"Unplugged"), kSoundBeep));
    ASSERT_TRUE(standin::FailRequests(Driver::Rilo, 2, standin::ioctl::kBeepEvent, kDeviceNotReady));
    ASSERT_TRUE(standin::Unplug(Driver::Meka, 3));
    Create();
    EXPECT_EQ(bt::DevicesOf(bt::BeepRequests()), (std::vector<std::string>{"RILO1", "RILO2"}));

    // The refusing device's driver never got the event; were it set, no thread would take it.
    ASSERT_TRUE(bt::SetNamedEvent(bt::TouchEventName(1)));
    Touch(Driver::Rilo, 1, 0);
    ASSERT_TRUE(sounds.WaitForCalls(1));
    EXPECT_TRUE(bt::EventIsSet(bt::TouchEventName(1))) << "nothing takes the refusing device's touches";
    EXPECT_EQ(sounds.Calls().size(), 1u) << bt::Describe(sounds.Calls());
    EXPECT_EQ(FindTopWindow(L"#32770", L"", GetCurrentProcessId()), nullptr);
}

TEST_F(SoundManager, BeepEventRebuildsTheListFromTheRegistry)
{
    AddDevice(reg, WithSound(Serial(1, L"First"), kSoundBeep));
    AddDevice(reg, WithSound(Serial(2, L"Second"), kSoundOff));
    AddDevice(reg, WithSound(Usb(1, L"Usb"), kSoundBeep));
    Create();
    ASSERT_EQ(bt::BeepRequests().size(), 3u);

    reg.DeleteTree(SerialKey(1));
    AddDevice(reg, WithSound(Serial(2, L"Second"), kSoundBeep));
    ASSERT_TRUE(standin::ClearLog());
    ASSERT_TRUE(bt::SetNamedEvent(kBeepEventA.data()));
    ASSERT_TRUE(WaitUntil([] { return !bt::EventIsSet(kBeepEventA.data()); })) << "the rebuild resets BEEP_EVENT";

    const auto requests = bt::BeepRequests();
    ASSERT_EQ(bt::DevicesOf(requests), (std::vector<std::string>{"RILO2", "MEKA1"})) << standin::Describe(requests);
    EXPECT_EQ(bt::ObjectNameOf(GetCurrentProcess(), bt::HandleValue(requests[0])), L"BeepEvent 0 ");
    EXPECT_EQ(bt::ObjectNameOf(GetCurrentProcess(), bt::HandleValue(requests[1])), L"BeepEvent 1 ");
    EXPECT_FALSE(bt::EventExists(bt::TouchEventName(2))) << "the old third event is closed";
    // The second device now beeps: its new setting is read.
    Touch(Driver::Rilo, 2, 0);
    ASSERT_EQ(sounds.Calls().size(), 1u);
    EXPECT_EQ(sounds.Calls()[0].kind, SoundCall::Beep);
}

TEST_F(SoundManager, RebuildWithoutDevicesLeavesNothingArmedUntilOneIsAdded)
{
    Create();
    EXPECT_TRUE(bt::BeepRequests().empty());
    ASSERT_TRUE(bt::SetNamedEvent(kBeepEventA.data()));
    ASSERT_TRUE(WaitUntil([] { return !bt::EventIsSet(kBeepEventA.data()); }));
    EXPECT_TRUE(bt::BeepRequests().empty());
    EXPECT_FALSE(bt::EventExists(bt::TouchEventName(0)));

    AddDevice(reg, WithSound(Usb(2, L"Added"), kSoundBeep));
    ASSERT_TRUE(bt::SetNamedEvent(kBeepEventA.data()));
    ASSERT_TRUE(WaitUntil([] { return !bt::EventIsSet(kBeepEventA.data()); }));
    EXPECT_EQ(bt::DevicesOf(bt::BeepRequests()), (std::vector<std::string>{"MEKA2"}));
    Touch(Driver::Meka, 2, 0);
    EXPECT_EQ(sounds.Calls().size(), 1u);
}

TEST_F(SoundManager, DeviceArrivalAddsNewKeysAndRearmsOnlyUsbDevices)
{
    AddDevice(reg, WithSound(Serial(1, L"Serial"), kSoundBeep));
    AddDevice(reg, WithSound(Usb(1, L"Old Usb"), kSoundBeep));
    AddDevice(reg, WithSound(Usb(2, L"Unplugged Usb"), kSoundBeep));
    ASSERT_TRUE(standin::Unplug(Driver::Meka, 2));
    CSoundManager* manager = Create();
    ASSERT_EQ(bt::DevicesOf(bt::BeepRequests()), (std::vector<std::string>{"RILO1", "MEKA1"}));

    // The unplugged controller comes back and another one is added: both arrive.
    ASSERT_TRUE(standin::Replug(Driver::Meka, 2));
    AddDevice(reg, WithSound(Usb(3, L"New Usb"), kSoundWaveFile, L"C:\\new.wav"));
    ASSERT_TRUE(standin::ClearLog());
    manager->OnDeviceArrival();
    auto requests = bt::BeepRequests();
    ASSERT_EQ(bt::DevicesOf(requests), (std::vector<std::string>{"MEKA1", "MEKA2", "MEKA3"}))
        << standin::Describe(requests);
    for (size_t i = 0; i < requests.size(); ++i)
        EXPECT_EQ(bt::ObjectNameOf(GetCurrentProcess(), bt::HandleValue(requests[i])),
                  L"BeepEvent " + std::to_wstring(i + 1) + L" ");
    Touch(Driver::Rilo, 1, 0);   // the serial device kept its thread
    Touch(Driver::Meka, 3, 3);
    ASSERT_EQ(sounds.Calls().size(), 2u) << bt::Describe(sounds.Calls());
    EXPECT_EQ(sounds.Calls()[1].path, "C:\\new.wav");

    // A further arrival with no new key re-arms the USB devices only.
    ASSERT_TRUE(standin::ClearLog());
    manager->OnDeviceArrival();
    EXPECT_EQ(bt::DevicesOf(bt::BeepRequests()), (std::vector<std::string>{"MEKA1", "MEKA2", "MEKA3"}));
    EXPECT_FALSE(bt::EventExists(bt::TouchEventName(4)));
}

TEST_F(SoundManager, OneManagerHoldsTheMutexUntilItIsDestroyed)
{
    Create();
    EXPECT_TRUE(NamedMutexExists(kSoundMutex));
    EXPECT_EQ(CreateSoundManager(), nullptr) << "a second manager in the same process";
    DestroySoundManager();
    EXPECT_FALSE(NamedMutexExists(kSoundMutex));
    EXPECT_FALSE(bt::EventExists(kBeepEventA.data()));
    Create();
}

TEST_F(SoundManager, AnotherHolderOfTheMutexMeansNoManager)
{
    CHandle other(CreateMutexW(nullptr, TRUE, kSoundMutex));
    ASSERT_TRUE(other);
    AddDevice(reg, WithSound(Serial(1, L"First"), kSoundBeep));
    EXPECT_EQ(CreateSoundManager(), nullptr);
    EXPECT_TRUE(bt::BeepRequests().empty()) << "nothing is armed without the mutex";
    ReleaseMutex(other.Get());
}

TEST_F(SoundManager, DestroyingWaitsForTheSoundInProgressAndClosesEveryEvent)
{
    AddDevice(reg, WithSound(Serial(1, L"First"), kSoundBeep));
    AddDevice(reg, WithSound(Serial(2, L"Second"), kSoundBeep));
    Create();
    sounds.HoldBeeps();
    ASSERT_TRUE(bt::TouchArmedDevice(Driver::Rilo, 2, 1));
    ASSERT_TRUE(sounds.WaitBeepHeld());

    auto destroyed = std::async(std::launch::async, [] { DestroySoundManager(); });
    EXPECT_EQ(destroyed.wait_for(std::chrono::milliseconds(100)), std::future_status::timeout)
        << "the beep in progress is not cut off";
    sounds.Release();
    ASSERT_EQ(destroyed.wait_for(std::chrono::seconds(15)), std::future_status::ready);
    for (size_t i = 0; i < 2; ++i)
        EXPECT_FALSE(bt::EventExists(bt::TouchEventName(i))) << i;
    EXPECT_FALSE(NamedMutexExists(kSoundMutex));
}

}  // namespace
