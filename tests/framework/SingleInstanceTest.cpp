// The single-instance guard: the first guard of a name owns the mutex and lets it go when it
// ends; a guard that finds the mutex sees another instance and owns nothing.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <thread>

#include "SingleInstance.h"

namespace {
constexpr wchar_t kName[] = L"TivenFrameworkTestInstance";

// The mutex's state as another thread sees it: 0 free, 1 owned by someone, -1 not there.
int OwnedElsewhere()
{
    int state = -1;
    std::thread([&] {
        HANDLE mutex = OpenMutexW(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, kName);
        if (!mutex)
            return;
        DWORD wait = WaitForSingleObject(mutex, 0);
        state = wait == WAIT_TIMEOUT ? 1 : 0;
        if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED)
            ReleaseMutex(mutex);
        CloseHandle(mutex);
    }).join();
    return state;
}
}  // namespace

TEST(SingleInstance, FirstOwnsLaterOnesSeeItRunning)
{
    auto first = std::make_unique<CSingleInstance>(kName);
    EXPECT_FALSE(first->AlreadyRunning());
    EXPECT_EQ(OwnedElsewhere(), 1) << "the first guard owns the mutex";
    {
        CSingleInstance second(kName);
        EXPECT_TRUE(second.AlreadyRunning());
    }
    EXPECT_EQ(OwnedElsewhere(), 1) << "a second guard leaves the ownership alone";
    first.reset();
    EXPECT_EQ(OwnedElsewhere(), -1) << "the last guard closes the mutex";
    CSingleInstance third(kName);
    EXPECT_FALSE(third.AlreadyRunning()) << "after the first has ended, a new one runs";
}

TEST(SingleInstance, EndingReleasesTheMutexRatherThanAbandoningIt)
{
    auto first = std::make_unique<CSingleInstance>(kName);
    ASSERT_FALSE(first->AlreadyRunning());
    HANDLE watcher = OpenMutexW(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, kName);
    ASSERT_NE(watcher, nullptr);
    first.reset();
    DWORD wait = WAIT_FAILED;
    std::thread([&] { wait = WaitForSingleObject(watcher, 0); if (wait != WAIT_TIMEOUT) ReleaseMutex(watcher); }).join();
    EXPECT_EQ(wait, WAIT_OBJECT_0);
    CloseHandle(watcher);
}
