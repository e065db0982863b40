// A program built on the framework's entry point, for the entry tests. Built twice: with the
// wide entry and with the narrow one (tiven_program NARROW). What it does follows its command
// line (after the program's path):
//   exit N        InitInstance fails; the exit code is N (from ExitInstance)
//   quit N        InitInstance posts WM_QUIT with N; the loop ends with it and N is the exit code
//   echo FILE ... writes the command line as the application got it: FILE.w (UTF-16), FILE.a
//                 (the narrow text) and FILE.kind ("wide" or "narrow"); exit code 0
//   window TITLE  a hidden window of class "TivenFrameworkProbe" with the title; WM_CLOSE ends the
//                 loop and the program with code 3
// With the environment variable TIVEN_PROBE_ECHO set to FILE it writes the command line as echo
// does, whatever the command line says, and ends with code 0.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "WinApp.h"
#include "WindowImpl.h"

namespace {

bool WriteBytes(const std::wstring& path, const void* data, size_t size)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr);
    CloseHandle(file);
    return ok && written == size;
}

class CProbeWindow : public CWindowImpl {
public:
    WindowClass GetWindowClass() const override
    {
        WindowClass c;
        c.name = L"TivenFrameworkProbe";
        return c;
    }
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override
    {
        if (msg == WM_DESTROY)
            PostQuitMessage(3);
        return CWindowImpl::OnMessage(msg, wp, lp, result);
    }
};

class CProbeApp : public CWinApp {
public:
    bool InitInstance() override
    {
        wchar_t echoFile[MAX_PATH] = L"";
        if (GetEnvironmentVariableW(L"TIVEN_PROBE_ECHO", echoFile, MAX_PATH) > 0) {
            Echo(echoFile);
            return false;
        }
        const std::wstring& line = CommandLine();
        const size_t blank = line.find(L' ');
        const std::wstring verb = line.substr(0, blank);
        const std::wstring rest = blank == std::wstring::npos ? L"" : line.substr(blank + 1);
        if (verb == L"exit") {
            exitCode_ = _wtoi(rest.c_str());
            return false;
        }
        if (verb == L"quit") {
            PostQuitMessage(_wtoi(rest.c_str()));
            return true;
        }
        if (verb == L"echo") {
            Echo(rest.substr(0, rest.find(L' ')));
            return false;
        }
        if (verb == L"window")
            return window_.Create(nullptr, {0, 0, 100, 100}, rest, WS_POPUP);
        exitCode_ = 99;
        return false;
    }
    int ExitInstance() override { return exitCode_ >= 0 ? exitCode_ : CWinApp::ExitInstance(); }

private:
    void Echo(const std::wstring& file) const
    {
#ifdef TIVEN_NARROW_ENTRY
        const char kind[] = "narrow";
#else
        const char kind[] = "wide";
#endif
        const std::wstring& line = CommandLine();
        WriteBytes(file + L".w", line.data(), line.size() * sizeof(wchar_t));
        WriteBytes(file + L".a", CommandLineA().data(), CommandLineA().size());
        WriteBytes(file + L".kind", kind, sizeof kind - 1);
    }

    int exitCode_ = -1;
    CProbeWindow window_;
};

CProbeApp theApp;

}  // namespace
