#pragma once
// Runs the setup program of the build's setup folder as a user would, with its messages caught
// through the three pipes it looks for ("\\.\pipe\<pid>cout", "cin", "cerr").
#include <windows.h>

#include <string>

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

// Starts the setup with `arguments` in `workDir` (default: the system's temp folder, so that
// nothing is found through the current folder) and waits for its end.
SetupResult RunSetup(const std::wstring& arguments, const std::wstring& workDir = L"",
                     DWORD deadlineMs = 60000);

// The setup started without waiting (for the wizard); its output pipes are not made, as for a
// start from the desktop.
bool StartSetup(testsupport::TestProcess& process, const std::wstring& arguments = L"");

}  // namespace setuptest
