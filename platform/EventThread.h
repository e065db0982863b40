#pragma once
// A worker that waits on one named or unnamed event and calls a handler each time it is set,
// until a stop event (a manual-reset event the caller keeps) is set; the stop wins over a setting
// that comes with it. The thread resets the event around each call: after the handler when
// settings that arrive during a call are to be dropped (a touch while the last one is read),
// before it when each must lead to one more call (a switch that may change again meanwhile).
//
// Stop may be called from any thread, any number of times and at the same time: every call
// returns only after the thread has ended and the watched event has been closed, so no caller
// closes the event while the thread may still wait on it.
#include <windows.h>

#include <mutex>

#include "Handle.h"

class CEventThread {
public:
    using Handler = void (*)(void* context);
    enum class Reset { AfterHandler, BeforeHandler };

    CEventThread() = default;
    ~CEventThread() { Stop(); }
    CEventThread(const CEventThread&) = delete;
    CEventThread& operator=(const CEventThread&) = delete;

    // Takes over the watched event; Stop closes it (also when the thread never started).
    void SetWatchedEvent(HANDLE event);
    HANDLE WatchedEvent() const { return event_.Get(); }
    // The variable that holds the watched event's handle, valid while this object lives (a
    // driver may be told where the handle of the event it is to set is kept).
    const HANDLE* WatchedEventSlot() const { return event_.Slot(); }
    // Starts the thread; false without an event, a stop event or a handler, or when it runs.
    bool Start(HANDLE stopEvent, Handler handler, void* context, Reset reset = Reset::AfterHandler);
    // Sets the stop event, waits for the thread's end and closes the watched event.
    void Stop();
    // Waits up to timeoutMs for the thread to end by itself (once the stop event is set or a wait
    // fails) without stopping it; true when it has ended or none runs. Called from the thread that
    // starts and stops it.
    bool WaitForEnd(DWORD timeoutMs) const;

private:
    static DWORD WINAPI ThreadProc(LPVOID self);

    std::mutex stopLock_;
    CHandle thread_;
    CHandle event_;
    HANDLE stopEvent_ = nullptr;
    Handler handler_ = nullptr;
    void* context_ = nullptr;
    Reset reset_ = Reset::AfterHandler;
};
