#include "TestProcess.h"

#include <tlhelp32.h>

#include <cstdio>

#include "Handle.h"

namespace testsupport {

TestProcess::~TestProcess()
{
    if (pi_.hProcess) {
        if (Running())
            Kill();
        CloseHandle(pi_.hProcess);
        CloseHandle(pi_.hThread);
    }
}

bool TestProcess::Start(const std::wstring& commandLine, const std::wstring& workDir, const std::wstring& desktop)
{
    return Create(commandLine, workDir, desktop, 0);
}

bool TestProcess::StartSuspended(const std::wstring& commandLine, const std::wstring& workDir)
{
    return Create(commandLine, workDir, L"", CREATE_SUSPENDED);
}

bool TestProcess::Resume() { return pi_.hThread && ResumeThread(pi_.hThread) != static_cast<DWORD>(-1); }

bool TestProcess::Create(const std::wstring& commandLine, const std::wstring& workDir, const std::wstring& desktop,
                         DWORD flags)
{
    std::vector<wchar_t> cmd(commandLine.begin(), commandLine.end());
    cmd.push_back(L'\0');
    std::vector<wchar_t> desktopName(desktop.begin(), desktop.end());
    desktopName.push_back(L'\0');
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.lpDesktop = desktop.empty() ? nullptr : desktopName.data();
    if (CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, flags, nullptr,
                       workDir.empty() ? nullptr : workDir.c_str(), &si, &pi_))
        return true;
    // The callers assert on the result; why it failed goes beside that assertion.
    ReportStartFailure(commandLine, GetLastError());
    return false;
}

void ReportStartFailure(const std::wstring& commandLine, DWORD error)
{
    std::fwprintf(stderr, L"TestProcess: CreateProcess of %ls failed with error %lu\n", commandLine.c_str(),
                  static_cast<unsigned long>(error));
}

bool TestProcess::WaitExit(DWORD& exitCode, DWORD deadlineMs)
{
    if (!pi_.hProcess || WaitForSingleObject(pi_.hProcess, deadlineMs) != WAIT_OBJECT_0)
        return false;
    return GetExitCodeProcess(pi_.hProcess, &exitCode) != FALSE;
}

bool TestProcess::Running() const
{
    return pi_.hProcess && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT;
}

void TestProcess::Kill()
{
    if (pi_.hProcess) {
        TerminateProcess(pi_.hProcess, kKilledExitCode);
        WaitForSingleObject(pi_.hProcess, 5000);
    }
}

bool KillAtMilestone(TestProcess& process, const std::function<bool()>& reached, DWORD deadlineMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (reached()) {
            const bool running = process.Running();
            process.Kill();
            return running;
        }
        if (!process.Running() || GetTickCount() - start > deadlineMs) {
            process.Kill();
            return false;
        }
        // Gives the process the processor; the next check comes as soon as this thread runs.
        SwitchToThread();
    }
}

long RunAndWait(const std::wstring& commandLine, DWORD deadlineMs)
{
    TestProcess p;
    if (!p.Start(commandLine))
        return -1;
    DWORD code = 0;
    return p.WaitExit(code, deadlineMs) ? static_cast<long>(code) : -1;
}

bool WaitNamedEvent(const std::wstring& name, DWORD deadlineMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        HANDLE ev = OpenEventW(SYNCHRONIZE, FALSE, name.c_str());
        if (ev) {
            DWORD elapsed = GetTickCount() - start;
            DWORD rc = WaitForSingleObject(ev, elapsed > deadlineMs ? 0 : deadlineMs - elapsed);
            CloseHandle(ev);
            return rc == WAIT_OBJECT_0;
        }
        if (GetTickCount() - start > deadlineMs)
            return false;
        Sleep(10);   // polling for the event's creation, bounded by the deadline
    }
}

bool NamedEventExists(const std::wstring& name)
{
    HANDLE ev = OpenEventW(SYNCHRONIZE, FALSE, name.c_str());
    if (!ev)
        return false;
    CloseHandle(ev);
    return true;
}

bool NamedMutexExists(const std::wstring& name)
{
    HANDLE m = OpenMutexW(SYNCHRONIZE, FALSE, name.c_str());
    if (!m)
        return false;
    CloseHandle(m);
    return true;
}

std::vector<DWORD> ProcessIdsNamed(const std::wstring& fileName)
{
    std::vector<DWORD> ids;
    CHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return ids;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more; more = Process32NextW(snapshot.Get(), &entry))
        if (_wcsicmp(entry.szExeFile, fileName.c_str()) == 0)
            ids.push_back(entry.th32ProcessID);
    return ids;
}

}  // namespace testsupport
