#include "SetupRun.h"

#include <vector>

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

RunningSetup::~RunningSetup()
{
    if (outReader_.joinable())
        Finish(0);
}

bool RunningSetup::Start(const std::wstring& arguments, const std::wstring& workDir)
{
    std::wstring commandLine = L"\"" + SetupProgram() + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    if (!process_.StartSuspended(commandLine, workDir.empty() ? TempFolder() : workDir))
        return false;
    const DWORD pid = process_.Pid();
    out_ = MakePipe(pid, L"cout", PIPE_ACCESS_INBOUND);
    in_ = MakePipe(pid, L"cin", PIPE_ACCESS_OUTBOUND);
    err_ = MakePipe(pid, L"cerr", PIPE_ACCESS_INBOUND);
    if (out_ && err_) {
        outReader_ = std::thread(Drain, out_.Get(), std::ref(outText_));
        errReader_ = std::thread(Drain, err_.Get(), std::ref(errText_));
    }
    return process_.Resume();
}

SetupResult RunningSetup::Finish(DWORD deadlineMs)
{
    SetupResult result;
    result.ended = process_.WaitExit(result.exitCode, deadlineMs);
    if (!result.ended)
        process_.Kill();
    // A pipe the setup never opened still waits for its client: connecting and leaving as that
    // client ends the wait (a pipe the setup used is busy, and its reader has seen the end).
    if (outReader_.joinable()) {
        for (const wchar_t* suffix : {L"cout", L"cerr"}) {
            std::wstring name = L"\\\\.\\pipe\\" + std::to_wstring(process_.Pid()) + suffix;
            CHandle client(CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        }
        outReader_.join();
        errReader_.join();
    }
    result.output = outText_ + errText_;
    return result;
}

SetupResult RunSetup(const std::wstring& arguments, const std::wstring& workDir, DWORD deadlineMs)
{
    RunningSetup setup;
    if (!setup.Start(arguments, workDir))
        return SetupResult{};
    return setup.Finish(deadlineMs);
}

bool StartSetup(testsupport::TestProcess& process, const std::wstring& arguments)
{
    std::wstring commandLine = L"\"" + SetupProgram() + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    return process.Start(commandLine, SetupFolder());
}

}  // namespace setuptest
