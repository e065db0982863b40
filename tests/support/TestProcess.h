#pragma once
// Starting programs under test and waiting on what they do, always with a deadline.
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

namespace testsupport {

constexpr DWORD kDefaultDeadlineMs = 15000;
// The exit code a test gives a process it ends (TestProcess::Kill, CallCutOff).
constexpr DWORD kKilledExitCode = 99;

class TestProcess {
public:
    TestProcess() = default;
    ~TestProcess();   // a process still running is terminated, so a failed test leaves nothing behind
    TestProcess(const TestProcess&) = delete;
    TestProcess& operator=(const TestProcess&) = delete;

    // CreateProcessW with the given command line (quote the program yourself when needed);
    // optionally on another desktop of the window station (STARTUPINFO::lpDesktop).
    bool Start(const std::wstring& commandLine, const std::wstring& workDir = L"", const std::wstring& desktop = L"");
    // Starts the process with its first thread suspended, so the caller can prepare what the
    // program looks for at its start (named by its process id); Resume lets it run.
    bool StartSuspended(const std::wstring& commandLine, const std::wstring& workDir = L"");
    bool Resume();
    // Waits for the exit; true and the code when it ended before the deadline.
    bool WaitExit(DWORD& exitCode, DWORD deadlineMs = kDefaultDeadlineMs);
    bool Running() const;
    void Kill();
    DWORD Pid() const { return pi_.dwProcessId; }
    HANDLE Handle() const { return pi_.hProcess; }

private:
    bool Create(const std::wstring& commandLine, const std::wstring& workDir, const std::wstring& desktop, DWORD flags);

    PROCESS_INFORMATION pi_{};
};

// Says on stderr that a program could not be started and why, in the words tools/restart-rule.sh
// looks for (error 1359: the new process died in Wine's start of it). Every start of a program by
// a test reports a failure so.
void ReportStartFailure(const std::wstring& commandLine, DWORD error);

// Cuts a run off as a power loss would: ends the process with TerminateProcess as soon as
// `reached` holds (checked again and again, with no message pump, so the process gets little
// further than the milestone). True when the milestone came while the process ran; false when it
// ended first or the deadline passed (the process is ended then too).
bool KillAtMilestone(TestProcess& process, const std::function<bool()>& reached,
                     DWORD deadlineMs = kDefaultDeadlineMs);

// Runs a command line to its end; returns the exit code, or -1 on start failure or time-out.
long RunAndWait(const std::wstring& commandLine, DWORD deadlineMs = kDefaultDeadlineMs);

// Waits until the named event exists and is set (opened by name, as the programs do).
bool WaitNamedEvent(const std::wstring& name, DWORD deadlineMs = kDefaultDeadlineMs);
// True when a named event or mutex of that name exists.
bool NamedEventExists(const std::wstring& name);
bool NamedMutexExists(const std::wstring& name);

// The ids of the running processes whose program file has this name (compared without regard to
// case), from a process snapshot.
std::vector<DWORD> ProcessIdsNamed(const std::wstring& fileName);

// Polls a condition with a short message pump between checks until it holds or the deadline passes.
template <typename F>
bool WaitUntil(F condition, DWORD deadlineMs = kDefaultDeadlineMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount() - start > deadlineMs)
            return false;
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

}  // namespace testsupport
