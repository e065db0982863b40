#include "EventThread.h"

void CEventThread::SetWatchedEvent(HANDLE event) { event_.Reset(event); }

bool CEventThread::Start(HANDLE stopEvent, Handler handler, void* context, Reset reset)
{
    if (thread_ || !event_ || !stopEvent || !handler)
        return false;
    stopEvent_ = stopEvent;
    handler_ = handler;
    context_ = context;
    reset_ = reset;
    thread_.Reset(::CreateThread(nullptr, 0, ThreadProc, this, 0, nullptr));
    return thread_.IsValid();
}

DWORD WINAPI CEventThread::ThreadProc(LPVOID parameter)
{
    auto* self = static_cast<CEventThread*>(parameter);
    // Both handles stay open until Stop has joined this thread.
    const HANDLE waits[2] = {self->stopEvent_, self->event_.Get()};
    for (;;) {
        if (::WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0 + 1)
            return 0;
        if (self->reset_ == Reset::BeforeHandler && !::ResetEvent(waits[1]))
            return 0;
        self->handler_(self->context_);
        if (self->reset_ == Reset::AfterHandler && !::ResetEvent(waits[1]))
            return 0;
    }
}

void CEventThread::Stop()
{
    // A caller that comes while another one stops the thread waits here until that one has
    // joined it and closed the event, and then finds nothing left to do.
    std::lock_guard<std::mutex> lock(stopLock_);
    if (thread_) {
        ::SetEvent(stopEvent_);
        ::WaitForSingleObject(thread_.Get(), INFINITE);
        thread_.Reset();
    }
    event_.Reset();
}

bool CEventThread::WaitForEnd(DWORD timeoutMs) const
{
    return !thread_ || ::WaitForSingleObject(thread_.Get(), timeoutMs) == WAIT_OBJECT_0;
}
