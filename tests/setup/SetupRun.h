#pragma once
// Runs the setup program of the build's setup folder as a user would, with its messages caught
// through the three pipes it looks for ("\\.\pipe\<pid>cout", "cin", "cerr").
#include <windows.h>

#include <string>
#include <thread>

#include "Handle.h"
#include "TestProcess.h"

namespace setuptest {

// The setup folder the build lays out, beside the bin folder, and the setup program in it.
std::wstring SetupFolder();
std::wstring SetupProgram();

struct SetupResult {
    bool ended = false;   // ended before the deadline
    DWORD exitCode = 0;
    std::string output;   // what it wrote to standard output and error
};

// The setup started with its output pipes, for a test that acts while it runs (cuts it off).
class RunningSetup {
public:
    RunningSetup() = default;
    ~RunningSetup();   // a setup still running is terminated
    RunningSetup(const RunningSetup&) = delete;
    RunningSetup& operator=(const RunningSetup&) = delete;

    // Starts the setup with `arguments` in `workDir` (default: the system's temp folder, so that
    // nothing is found through the current folder).
    bool Start(const std::wstring& arguments, const std::wstring& workDir = L"");
    testsupport::TestProcess& Process() { return process_; }
    // Waits for its end (terminating it at the deadline) and collects its output.
    SetupResult Finish(DWORD deadlineMs = 60000);

private:
    testsupport::TestProcess process_;
    CHandle out_, in_, err_;
    std::string outText_, errText_;
    std::thread outReader_, errReader_;
};

// Starts the setup as RunningSetup::Start does and waits for its end.
SetupResult RunSetup(const std::wstring& arguments, const std::wstring& workDir = L"",
                     DWORD deadlineMs = 60000);

// The setup started without waiting (for the wizard); its output pipes are not made, as for a
// start from the desktop.
bool StartSetup(testsupport::TestProcess& process, const std::wstring& arguments = L"");

}  // namespace setuptest
