#include "SingleInstance.h"

CSingleInstance::CSingleInstance(const wchar_t* mutexName)
{
    mutex_.Reset(::CreateMutexW(nullptr, TRUE, mutexName));
    // With an existing mutex the handle is valid but the ownership asked for is not granted.
    alreadyRunning_ = ::GetLastError() == ERROR_ALREADY_EXISTS;
}

CSingleInstance::~CSingleInstance()
{
    // Released before the handle closes, so the next instance finds it free, not abandoned.
    if (mutex_ && !alreadyRunning_)
        ::ReleaseMutex(mutex_.Get());
}
