#include "ConsoleStreams.h"

#include <windows.h>

#include <cstdio>
#include <iostream>
#include <string>

namespace setup {

namespace {
struct StreamTarget {
    const wchar_t* name;
    const wchar_t* mode;
    FILE* stream;
};

// Reopens standard output, input and error in this order; the first failure stops.
bool Reopen(const StreamTarget (&targets)[3])
{
    for (const StreamTarget& target : targets) {
        if (!_wfreopen(target.name, target.mode, target.stream))
            return false;
    }
    return true;
}
}  // namespace

bool AttachConsoleStreams(bool allowConsole)
{
    const std::wstring pid = std::to_wstring(GetCurrentProcessId());
    const std::wstring out = L"\\\\.\\pipe\\" + pid + L"cout";
    const std::wstring in = L"\\\\.\\pipe\\" + pid + L"cin";
    const std::wstring err = L"\\\\.\\pipe\\" + pid + L"cerr";
    const StreamTarget pipes[3] = {{out.c_str(), L"a", stdout}, {in.c_str(), L"r", stdin}, {err.c_str(), L"a", stderr}};
    if (!Reopen(pipes)) {
        if (!allowConsole || !AllocConsole())
            return false;
        // The console has one output device; errors go to it as well.
        const StreamTarget console[3] = {{L"CONOUT$", L"a", stdout}, {L"CONIN$", L"r", stdin}, {L"CONOUT$", L"a", stderr}};
        if (!Reopen(console))
            return false;
    }
    std::ios::sync_with_stdio();
    std::wcout.clear();
    std::wcin.clear();
    std::wcerr.clear();
    return true;
}

}  // namespace setup
