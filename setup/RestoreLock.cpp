#include "RestoreLock.h"

namespace setup {

CRestoreLock::~CRestoreLock()
{
    if (held_)
        ReleaseMutex(mutex_.Get());
}

bool CRestoreLock::Acquire(DWORD deadlineMs)
{
    if (held_)
        return true;
    if (!mutex_)
        mutex_.Reset(CreateMutexW(nullptr, FALSE, kRestoreLockName));
    if (!mutex_)
        return false;
    // WAIT_ABANDONED: the last holder ended without releasing it, which is what a restore that
    // was cut off leaves; the lock is ours all the same.
    DWORD wait = WaitForSingleObject(mutex_.Get(), deadlineMs);
    held_ = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
    return held_;
}

}  // namespace setup
