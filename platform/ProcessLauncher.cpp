#include "ProcessLauncher.h"

#include <vector>

#include "Handle.h"

std::wstring ProgramCommandLine(const std::wstring& programPath)
{
    if (!programPath.empty() && programPath.front() == L'"')
        return programPath;
    return L"\"" + programPath + L"\"";
}

std::wstring ProgramCommandLine(const std::wstring& programPath, const std::wstring& argument)
{
    return ProgramCommandLine(programPath) + L" " + argument;
}

bool CProcessLauncher::Run(const std::wstring& commandLine, DWORD* lastError)
{
    // CreateProcessW may write into the command line, so it gets a private copy.
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION process{};
    BOOL created = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE,
                                  CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup, &process);
    DWORD error = GetLastError();
    if (lastError)
        *lastError = error;
    if (!created)
        return false;
    // Never waited for: both handles are closed on return.
    CHandle thread(process.hThread);
    CHandle child(process.hProcess);
    return true;
}
