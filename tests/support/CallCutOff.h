#pragma once
// Cuts a run off at an exact point of its work, the same one every time: the program is started
// with the test as its debugger and a breakpoint at the entry of a system function; when the
// program calls that function with a text argument the test chooses, it is ended there
// (TerminateProcess), before the call has done anything. Calls with other arguments go on as
// usual. The debug events are handled on a thread of its own, so the test can wait for the
// program's windows and answer them meanwhile.
#include <windows.h>

#include <functional>
#include <string>

namespace testsupport {

struct CutOffCall {
    const wchar_t* module;    // a module that exports the function, e.g. L"kernel32.dll"
    const char* function;     // e.g. "MoveFileExW"
    int textArgument;         // which of the first four arguments (0 = the first) is the text
    std::function<bool(const std::wstring&)> matches;
};

class CallCutOff {
public:
    explicit CallCutOff(CutOffCall call);
    ~CallCutOff();   // a program still running is ended, and the debug thread with it
    CallCutOff(const CallCutOff&) = delete;
    CallCutOff& operator=(const CallCutOff&) = delete;

    // Starts the program (quote it yourself when needed); false when it could not be started or
    // the function could not be found. Why it failed is printed.
    bool Start(const std::wstring& commandLine, const std::wstring& workDir = L"");
    DWORD Pid() const { return pid_; }
    // Waits until the program was ended at the call (true) or ended by itself, or the deadline
    // passed (false; the program is then ended).
    bool WaitCut(DWORD deadlineMs);
    // The text argument of the call it was ended at.
    const std::wstring& CutAt() const { return cutAt_; }

private:
    static DWORD WINAPI ThreadMain(void* self);
    void Run();

    CutOffCall call_;
    std::wstring commandLine_, workDir_;
    HANDLE thread_ = nullptr;
    HANDLE started_ = nullptr;   // set once the program was started, or could not be
    HANDLE ended_ = nullptr;     // set once the program has ended
    HANDLE process_ = nullptr;   // a duplicate, owned here
    DWORD pid_ = 0;
    bool cut_ = false;
    std::wstring cutAt_;
    std::wstring failure_;
};

}  // namespace testsupport
