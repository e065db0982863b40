#pragma once
// Starts another program of the suite without waiting for it.
#include <windows.h>

#include <string>

// The command line that starts `programPath` with `argument`: the path in quotes (so a path
// with blanks, such as one under "Program Files", starts the right program), a blank, then the
// argument as it is. The started program takes the whole text after its own name as the
// argument. A path that is already quoted is used as it stands.
std::wstring ProgramCommandLine(const std::wstring& programPath, const std::wstring& argument);
// The command line that starts `programPath` without an argument: the path in quotes alone.
std::wstring ProgramCommandLine(const std::wstring& programPath);

class CProcessLauncher {
public:
    virtual ~CProcessLauncher() = default;
    // CreateProcessW in a new console with the window shown; true when the process was
    // created. `lastError` receives GetLastError() either way (may be null).
    bool Run(const std::wstring& commandLine, DWORD* lastError);
};
