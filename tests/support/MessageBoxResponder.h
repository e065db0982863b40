#pragma once
// Answers the next message box of this process from a second thread, so code under test that
// shows a modal box can run on the test's own thread. The box's caption and text are kept for
// the assertions.
#include <windows.h>

#include <atomic>
#include <thread>

#include "TestProcess.h"
#include "TestWindows.h"

namespace testsupport {

class MessageBoxResponder {
public:
    // Starts waiting at once; presses `buttonId` (IDOK, IDYES, IDNO, ...) on the box that appears.
    explicit MessageBoxResponder(int buttonId, DWORD deadlineMs = kDefaultDeadlineMs);
    ~MessageBoxResponder();   // waits for the thread
    MessageBoxResponder(const MessageBoxResponder&) = delete;
    MessageBoxResponder& operator=(const MessageBoxResponder&) = delete;

    // Waits for the thread and returns what it saw (an empty info when no box came in time).
    const MessageBoxInfo& Result();
    // Stops waiting (for tests that expect no box once the code under test has returned) and
    // returns what was seen until then.
    const MessageBoxInfo& Cancel();

private:
    std::atomic<bool> cancelled_{false};
    MessageBoxInfo info_;
    std::thread thread_;
};

}  // namespace testsupport
