// The touch sound of one device and its thread, in this process with the sound calls recorded.
#include <gtest/gtest.h>

#include "SoundCalls.h"
#include "TestProcess.h"
#include "TouchSound.h"

using backgroundtest::SoundCall;
using backgroundtest::SoundCalls;
using testsupport::WaitUntil;

using namespace chimer;

namespace {

TEST(BeepEventNames, NumberThePositionAndEndInOneBlank)
{
    EXPECT_EQ(BeepEventName(0), "BeepEvent 0 ");
    EXPECT_EQ(BeepEventName(1), "BeepEvent 1 ");
    EXPECT_EQ(BeepEventName(17), "BeepEvent 17 ");
}

struct PlayCase {
    DWORD mode;
    const char* path;
    std::vector<SoundCall> calls;
};

class PlayTouchSounds : public ::testing::TestWithParam<PlayCase> {};

TEST_P(PlayTouchSounds, WaveFileBeepOrNothing)
{
    const PlayCase& c = GetParam();
    SoundCalls sounds;
    ASSERT_TRUE(sounds.Active());
    const DWORD start = GetTickCount();
    PlayTouchSound(c.path, c.mode);
    EXPECT_LT(GetTickCount() - start, 2000u) << "a sound must not hold the caller";
    EXPECT_EQ(sounds.Calls(), c.calls);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, PlayTouchSounds,
    ::testing::Values(PlayCase{kSoundOff, "C:\\wave\\touch.wav", {}},
                      PlayCase{kSoundWaveFile, "C:\\wave\\touch.wav", {{SoundCall::Wave, "C:\\wave\\touch.wav", SND_ASYNC, 0, 0}}},
                      // a missing or empty path goes to the system as it is
                      PlayCase{kSoundWaveFile, "C:\\no\\such.wav", {{SoundCall::Wave, "C:\\no\\such.wav", SND_ASYNC, 0, 0}}},
                      PlayCase{kSoundWaveFile, "", {{SoundCall::Wave, "", SND_ASYNC, 0, 0}}},
                      PlayCase{kSoundBeep, "C:\\wave\\touch.wav", {{SoundCall::Beep, "", 0, 500, 50}}},
                      PlayCase{3, "C:\\wave\\touch.wav", {}}, PlayCase{0xFFFFFFFF, "", {}}));

// A device whose thread runs in this test; its events are unnamed.
class TouchThread : public ::testing::Test {
protected:
    void SetUp() override
    {
        device.touch.SetWatchedEvent(CreateEventW(nullptr, TRUE, FALSE, nullptr));
        device.stopEvent.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
        touchEvent = device.touch.WatchedEvent();
    }
    void Start(DWORD mode, const std::string& wave = "C:\\wave\\touch.wav")
    {
        device.soundMode = mode;
        device.waveFile = wave;
        ASSERT_TRUE(StartTouchSound(device));
    }
    bool TouchSet() const { return WaitForSingleObject(touchEvent, 0) == WAIT_OBJECT_0; }
    bool Ended(DWORD waitMs = 0) const { return device.touch.WaitForEnd(waitMs); }
    // Sets the touch event and waits until the thread has taken it (reset it).
    bool Touch()
    {
        SetEvent(touchEvent);
        return WaitUntil([&] { return !TouchSet(); });
    }
    void TearDown() override
    {
        sounds.Release();
        SetEvent(device.stopEvent.Get());
        EXPECT_TRUE(Ended(15000));
    }

    SoundCalls sounds;
    SoundDevice device;
    HANDLE touchEvent = nullptr;   // the device's, closed with its thread
};

TEST_F(TouchThread, PlaysOneSoundPerTouchAndResetsTheEvent)
{
    ASSERT_TRUE(sounds.Active());
    Start(kSoundBeep);
    for (int i = 1; i <= 3; ++i) {
        ASSERT_TRUE(Touch()) << "touch " << i;
        ASSERT_TRUE(sounds.WaitForCalls(i));
    }
    EXPECT_EQ(sounds.Calls().size(), 3u) << backgroundtest::Describe(sounds.Calls());
}

TEST_F(TouchThread, SilentDeviceTakesEveryTouchWithoutASound)
{
    Start(kSoundOff);
    ASSERT_TRUE(Touch());
    ASSERT_TRUE(Touch());
    EXPECT_TRUE(sounds.Calls().empty()) << backgroundtest::Describe(sounds.Calls());
    EXPECT_FALSE(Ended());
}

TEST_F(TouchThread, TouchesDuringASoundAreAbsorbedByTheReset)
{
    Start(kSoundBeep);
    sounds.HoldBeeps();
    SetEvent(touchEvent);
    ASSERT_TRUE(sounds.WaitBeepHeld());
    SetEvent(touchEvent);   // two more touches while the beep sounds
    SetEvent(touchEvent);
    sounds.Release();
    ASSERT_TRUE(WaitUntil([&] { return !TouchSet(); }));
    ASSERT_TRUE(Touch());   // the next touch plays again
    ASSERT_TRUE(sounds.WaitForCalls(2));
    EXPECT_EQ(sounds.Calls().size(), 2u) << backgroundtest::Describe(sounds.Calls());
}

TEST_F(TouchThread, StopEndsTheThreadAfterTheSoundInProgress)
{
    Start(kSoundBeep);
    sounds.HoldBeeps();
    SetEvent(touchEvent);
    ASSERT_TRUE(sounds.WaitBeepHeld());
    SetEvent(device.stopEvent.Get());
    EXPECT_FALSE(Ended(100)) << "the thread must finish its sound, not be cut off";
    sounds.Release();
    EXPECT_TRUE(Ended(15000));
    EXPECT_EQ(sounds.Calls().size(), 1u);
}

TEST_F(TouchThread, StopWinsOverAPendingTouch)
{
    // Both are set when the thread first waits: a stream of touches cannot keep it from ending.
    SetEvent(touchEvent);
    SetEvent(device.stopEvent.Get());
    Start(kSoundWaveFile);
    EXPECT_TRUE(Ended(15000));
    EXPECT_TRUE(sounds.Calls().empty()) << backgroundtest::Describe(sounds.Calls());
}

}  // namespace
