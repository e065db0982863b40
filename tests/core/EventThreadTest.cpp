// The event thread: one call per setting, settings during a call dropped or kept as asked, and a
// stop that may come from two threads at once (the calibration's time-out thread and window
// thread), each caller returning only after the thread has ended and the event is closed.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <thread>

#include "TestProcess.h"
#include "EventThread.h"

using testsupport::kDefaultDeadlineMs;
using testsupport::WaitUntil;

namespace {
struct Events {
    Events() : stop(CreateEventW(nullptr, TRUE, FALSE, nullptr)), touch(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    ~Events() { CloseHandle(stop); }   // the touch event belongs to the thread object
    HANDLE stop;
    HANDLE touch;
};

void Count(void* counter) { ++*static_cast<std::atomic<int>*>(counter); }

// A handler that stays in the touch until the gate opens.
struct SlowTouch {
    SlowTouch() : inside(CreateEventW(nullptr, TRUE, FALSE, nullptr)), gate(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    ~SlowTouch()
    {
        CloseHandle(inside);
        CloseHandle(gate);
    }
    static void Handle(void* self)
    {
        auto* s = static_cast<SlowTouch*>(self);
        SetEvent(s->inside);
        WaitForSingleObject(s->gate, kDefaultDeadlineMs);
        s->done = true;
    }
    HANDLE inside;
    HANDLE gate;
    std::atomic<bool> done{false};
};
}  // namespace

TEST(EventThread, EachTouchIsHandledOnce)
{
    Events events;
    std::atomic<int> touches{0};
    CEventThread thread;
    thread.SetWatchedEvent(events.touch);
    ASSERT_TRUE(thread.Start(events.stop, Count, &touches));
    EXPECT_FALSE(thread.Start(events.stop, Count, &touches)) << "one thread";
    for (int i = 1; i <= 3; ++i) {
        // The thread resets the event after each touch; the next setting is the next touch.
        ASSERT_TRUE(WaitUntil([&] { return WaitForSingleObject(events.touch, 0) == WAIT_TIMEOUT; }));
        SetEvent(events.touch);
        ASSERT_TRUE(WaitUntil([&] { return touches == i; })) << "touch " << i;
    }
    thread.Stop();
    EXPECT_EQ(thread.WatchedEvent(), nullptr);
    EXPECT_EQ(WaitForSingleObject(events.stop, 0), WAIT_OBJECT_0);
    EXPECT_EQ(touches.load(), 3);
    thread.Stop();   // again: nothing left to do
}

TEST(EventThread, EveryStopReturnsOnlyAfterTheThreadHasEnded)
{
    Events events;
    SlowTouch slow;
    CEventThread thread;
    thread.SetWatchedEvent(events.touch);
    ASSERT_TRUE(thread.Start(events.stop, SlowTouch::Handle, &slow));
    SetEvent(events.touch);
    ASSERT_EQ(WaitForSingleObject(slow.inside, kDefaultDeadlineMs), WAIT_OBJECT_0);

    // The first caller sets the stop event and waits for the thread, which is still in its touch.
    std::atomic<bool> firstSawEnd{false}, secondSawEnd{false};
    std::thread first([&] {
        thread.Stop();
        firstSawEnd = slow.done.load();
    });
    ASSERT_EQ(WaitForSingleObject(events.stop, kDefaultDeadlineMs), WAIT_OBJECT_0);
    // The second caller comes meanwhile; it must not return (nor close the event) before the
    // thread has ended. Give it time to return early, then let the touch finish.
    HANDLE secondDone = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread second([&] {
        thread.Stop();
        secondSawEnd = slow.done.load();
        SetEvent(secondDone);
    });
    const bool returnedEarly = WaitForSingleObject(secondDone, 500) == WAIT_OBJECT_0;
    SetEvent(slow.gate);
    first.join();
    second.join();
    CloseHandle(secondDone);
    EXPECT_FALSE(returnedEarly) << "the second stop returned while the thread still ran";
    EXPECT_TRUE(firstSawEnd);
    EXPECT_TRUE(secondSawEnd);
    EXPECT_EQ(thread.WatchedEvent(), nullptr);
}

TEST(EventThread, StopWithoutAThreadClosesTheEvent)
{
    CEventThread thread;
    HANDLE touch = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread.SetWatchedEvent(touch);
    thread.Stop();
    EXPECT_EQ(thread.WatchedEvent(), nullptr);
    EXPECT_FALSE(SetEvent(touch)) << "the handle was closed";
}

// A setting that comes while the handler runs: dropped when the event is reset after the call,
// one more call when it is reset before.
TEST(EventThread, ASettingDuringTheCallIsDroppedOrKeptAsAsked)
{
    struct Case {
        CEventThread::Reset reset;
        int calls;
    } cases[] = {{CEventThread::Reset::AfterHandler, 1}, {CEventThread::Reset::BeforeHandler, 2}};
    for (const Case& c : cases) {
        Events events;
        SlowTouch slow;
        std::atomic<int> calls{0};
        struct Context {
            SlowTouch* slow;
            std::atomic<int>* calls;
        } context{&slow, &calls};
        auto handle = [](void* p) {
            auto* ctx = static_cast<Context*>(p);
            if (++*ctx->calls == 1)
                SlowTouch::Handle(ctx->slow);
        };
        CEventThread thread;
        thread.SetWatchedEvent(events.touch);
        ASSERT_TRUE(thread.Start(events.stop, handle, &context, c.reset));
        SetEvent(events.touch);
        ASSERT_EQ(WaitForSingleObject(slow.inside, kDefaultDeadlineMs), WAIT_OBJECT_0);
        SetEvent(events.touch);   // during the first call
        SetEvent(slow.gate);
        ASSERT_TRUE(WaitUntil([&] { return slow.done.load(); }));
        // The thread has settled once the event is clear and no call is running.
        ASSERT_TRUE(WaitUntil([&] { return calls == c.calls && WaitForSingleObject(events.touch, 0) == WAIT_TIMEOUT; }))
            << "calls: " << calls.load() << ", expected " << c.calls;
        thread.Stop();
        EXPECT_EQ(calls.load(), c.calls);
    }
}
