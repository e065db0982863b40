#pragma once
// Clone restores take turns: a named mutex, one for the whole system, is held by the restore
// that runs. The mutex goes with the process that holds it (a process that is cut off leaves it
// abandoned, and its waiter gets it), so a restore that holds it knows that every clone hive
// loaded and every copy beside a parameters key was left by a restore that is no longer running.
// Held by one thread: the one that acquired it releases it.
#include <windows.h>

#include "Handle.h"

namespace setup {

inline constexpr wchar_t kRestoreLockName[] = L"Global\\TivenCloneRestore";

class CRestoreLock {
public:
    CRestoreLock() = default;
    ~CRestoreLock();   // releases the lock when held
    CRestoreLock(const CRestoreLock&) = delete;
    CRestoreLock& operator=(const CRestoreLock&) = delete;

    // Waits up to `deadlineMs` for the lock; true once this thread holds it.
    bool Acquire(DWORD deadlineMs);

private:
    CHandle mutex_;
    bool held_ = false;
};

}  // namespace setup
