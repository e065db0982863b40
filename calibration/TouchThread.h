#pragma once
// The touch thread of a calibration run. The driver sets the touch event when a touch is ready
// to be read; the thread calls the handler once per setting, resetting the event after each,
// until the run's stop event is set (the stop wins over a touch that comes with it).
//
// Stop may be called from any thread, any number of times and at the same time: every call
// returns only after the thread has ended and the touch event has been closed, so no caller
// closes the event while the thread may still wait on it.
#include <windows.h>

#include <mutex>

#include "Handle.h"

class CTouchThread {
public:
    using Handler = void (*)(void* context);

    CTouchThread() = default;
    ~CTouchThread() { Stop(); }
    CTouchThread(const CTouchThread&) = delete;
    CTouchThread& operator=(const CTouchThread&) = delete;

    // Takes over the touch event; Stop closes it (also when the thread never started).
    void SetTouchEvent(HANDLE touchEvent);
    HANDLE TouchEvent() const { return touchEvent_.Get(); }
    // Starts the thread; `stopEvent` (a manual-reset event the caller keeps) ends it.
    bool Start(HANDLE stopEvent, Handler handler, void* context);
    // Sets the stop event, waits for the thread's end and closes the touch event.
    void Stop();

private:
    static DWORD WINAPI ThreadProc(LPVOID self);

    std::mutex stopLock_;
    CHandle thread_;
    CHandle touchEvent_;
    HANDLE stopEvent_ = nullptr;
    Handler handler_ = nullptr;
    void* context_ = nullptr;
};
