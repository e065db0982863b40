#pragma once
// A worker thread that can be told to stop: it waits on its own stop event (WaitForStop) where
// it would otherwise sleep, and Stop sets that event and waits until the thread has ended. The
// owner stops it before anything the thread uses goes away; the destructor stops it too.
#include <windows.h>

#include "Handle.h"

class CStoppableThread {
public:
    CStoppableThread() = default;
    ~CStoppableThread() { Stop(); }
    CStoppableThread(const CStoppableThread&) = delete;
    CStoppableThread& operator=(const CStoppableThread&) = delete;

    // Stops a thread still running, then starts `proc` with `param`; false when the thread or its
    // event could not be made.
    bool Start(LPTHREAD_START_ROUTINE proc, void* param);
    // Sets the stop event and waits for the thread's end; nothing when none runs.
    void Stop();
    // For the thread: waits up to timeoutMs; true when it was told to stop meanwhile.
    bool WaitForStop(DWORD timeoutMs) const;

private:
    CHandle thread_;
    CHandle stop_;
};
