// Setting another program's event by its name: set when it exists, reported when it does not.
#include <gtest/gtest.h>

#include <windows.h>

#include <sddl.h>

#include <string>

#include "Handle.h"
#include "NamedEvents.h"

namespace {
// A name of this test process alone, so that tests running beside it never share it.
std::wstring OwnName(const wchar_t* what)
{
    return L"TivenNamedEventsTest-" + std::to_wstring(GetCurrentProcessId()) + L"-" + what;
}

bool IsSet(HANDLE event) { return WaitForSingleObject(event, 0) == WAIT_OBJECT_0; }
}  // namespace

TEST(SignalNamedEvent, SetsTheEventOfThatNameAndOnlyThatOne)
{
    const std::wstring name = OwnName(L"target");
    CHandle target(CreateEventW(nullptr, TRUE, FALSE, name.c_str()));
    CHandle other(CreateEventW(nullptr, TRUE, FALSE, OwnName(L"other").c_str()));
    ASSERT_TRUE(target && other);

    EXPECT_TRUE(SignalNamedEvent(name.c_str()));
    EXPECT_TRUE(IsSet(target.Get()));
    EXPECT_FALSE(IsSet(other.Get()));
}

TEST(SignalNamedEvent, ReportsANameThatNamesNoEvent)
{
    const std::wstring missing = OwnName(L"missing");
    EXPECT_FALSE(SignalNamedEvent(missing.c_str()));

    // A mutex of the name is no event either; it stays free.
    const std::wstring mutexName = OwnName(L"mutex");
    CHandle mutex(CreateMutexW(nullptr, FALSE, mutexName.c_str()));
    ASSERT_TRUE(mutex);
    EXPECT_FALSE(SignalNamedEvent(mutexName.c_str()));
    EXPECT_EQ(WaitForSingleObject(mutex.Get(), 0), WAIT_OBJECT_0);
    ReleaseMutex(mutex.Get());
}

TEST(SignalNamedEvent, NeedsNoMoreThanTheRightToSetTheEvent)
{
    // Everyone may only set and wait on this event (EVENT_MODIFY_STATE 0x2, SYNCHRONIZE).
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;0x00100002;;;WD)", SDDL_REVISION_1,
                                                                     &descriptor, nullptr));
    SECURITY_ATTRIBUTES attributes{sizeof attributes, descriptor, FALSE};
    const std::wstring name = OwnName(L"restricted");
    CHandle event(CreateEventW(&attributes, TRUE, FALSE, name.c_str()));
    LocalFree(descriptor);
    ASSERT_TRUE(event);
    CHandle full(OpenEventW(EVENT_ALL_ACCESS, FALSE, name.c_str()));
    ASSERT_FALSE(full) << "the event's access list is not applied, so this test shows nothing";

    EXPECT_TRUE(SignalNamedEvent(name.c_str()));
    EXPECT_TRUE(IsSet(event.Get()));
}
