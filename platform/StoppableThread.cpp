#include "StoppableThread.h"

bool CStoppableThread::Start(LPTHREAD_START_ROUTINE proc, void* param)
{
    Stop();
    stop_.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (stop_)
        thread_.Reset(CreateThread(nullptr, 0, proc, param, 0, nullptr));
    return thread_.IsValid();
}

void CStoppableThread::Stop()
{
    if (thread_) {
        SetEvent(stop_.Get());
        WaitForSingleObject(thread_.Get(), INFINITE);
    }
    thread_.Reset();
    stop_.Reset();
}

bool CStoppableThread::WaitForStop(DWORD timeoutMs) const
{
    return WaitForSingleObject(stop_.Get(), timeoutMs) != WAIT_TIMEOUT;
}
