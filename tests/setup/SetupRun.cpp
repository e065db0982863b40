#include "SetupRun.h"

#include <thread>
#include <vector>

#include "Handle.h"
#include "TestPaths.h"

namespace setuptest {

namespace {
std::wstring TempFolder()
{
    wchar_t path[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, path);
    std::wstring folder = path;
    if (!folder.empty() && folder.back() == L'\\')
        folder.pop_back();
    return folder;
}

CHandle MakePipe(DWORD pid, const wchar_t* suffix, DWORD direction)
{
    std::wstring name = L"\\\\.\\pipe\\" + std::to_wstring(pid) + suffix;
    return CHandle(CreateNamedPipeW(name.c_str(), direction, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 4096, 4096, 0, nullptr));
}

// Collects what a client writes into the pipe until it closes it.
void Drain(HANDLE pipe, std::string& into)
{
    ConnectNamedPipe(pipe, nullptr);
    char buffer[512];
    DWORD read = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &read, nullptr) && read > 0)
        into.append(buffer, read);
}
}  // namespace

std::wstring SetupFolder()
{
    std::wstring bin = testsupport::BinPath(L"");
    if (!bin.empty() && bin.back() == L'\\')
        bin.pop_back();
    return bin.substr(0, bin.find_last_of(L'\\')) + L"\\setup-folder";
}

std::wstring SetupProgram() { return SetupFolder() + L"\\Provisa.exe"; }

SetupResult RunSetup(const std::wstring& arguments, const std::wstring& workDir, DWORD deadlineMs)
{
    SetupResult result;
    std::wstring commandLine = L"\"" + SetupProgram() + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    std::wstring dir = workDir.empty() ? TempFolder() : workDir;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, dir.c_str(),
                        &si, &pi))
        return result;
    CHandle process(pi.hProcess), thread(pi.hThread);
    CHandle out = MakePipe(pi.dwProcessId, L"cout", PIPE_ACCESS_INBOUND);
    CHandle in = MakePipe(pi.dwProcessId, L"cin", PIPE_ACCESS_OUTBOUND);
    CHandle err = MakePipe(pi.dwProcessId, L"cerr", PIPE_ACCESS_INBOUND);
    std::string outText, errText;
    std::thread outReader, errReader;
    if (out && err) {
        outReader = std::thread(Drain, out.Get(), std::ref(outText));
        errReader = std::thread(Drain, err.Get(), std::ref(errText));
    }
    ResumeThread(thread.Get());
    if (WaitForSingleObject(process.Get(), deadlineMs) == WAIT_OBJECT_0) {
        result.ended = true;
        GetExitCodeProcess(process.Get(), &result.exitCode);
    } else {
        TerminateProcess(process.Get(), 255);
        WaitForSingleObject(process.Get(), 5000);
    }
    // A pipe the setup never opened still waits for its client: connecting and leaving as that
    // client ends the wait (a pipe the setup used is busy, and its reader has seen the end).
    if (outReader.joinable()) {
        for (const wchar_t* suffix : {L"cout", L"cerr"}) {
            std::wstring name = L"\\\\.\\pipe\\" + std::to_wstring(pi.dwProcessId) + suffix;
            CHandle client(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        }
        outReader.join();
        errReader.join();
    }
    result.output = outText + errText;
    return result;
}

bool StartSetup(testsupport::TestProcess& process, const std::wstring& arguments)
{
    std::wstring commandLine = L"\"" + SetupProgram() + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    return process.Start(commandLine, SetupFolder());
}

}  // namespace setuptest
