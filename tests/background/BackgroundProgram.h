#pragma once
// One of the hidden logon programs started for a test: its process, its window (found by class,
// visible or not) and its end.
#include <windows.h>

#include <string>
#include <vector>

#include "TestProcess.h"

namespace backgroundtest {

struct ProgramInfo {
    const wchar_t* exe;          // "Segmenta.exe"
    const wchar_t* windowClass;  // "SEGMENTA"
    const wchar_t* title;        // "Segmenta"
    const char* aboutLine;       // "Segmenta Version 1.0"
};
extern const ProgramInfo kSegmenta;
extern const ProgramInfo kChimer;

// Every top-level window of the class (compared without regard to case), hidden ones included.
std::vector<HWND> WindowsOfClass(const std::wstring& windowClass, DWORD pid = 0);

class BackgroundProgram {
public:
    explicit BackgroundProgram(const ProgramInfo& program) : program_(program) {}
    ~BackgroundProgram();   // a program still running is closed, or killed when it does not end

    const ProgramInfo& Info() const { return program_; }
    bool Start();
    // Waits for the program's window; it exists once the program has done its start.
    HWND WaitWindow(DWORD deadlineMs = testsupport::kDefaultDeadlineMs);
    HWND Window() const { return window_; }
    // Returns when the program's thread has come back to its message loop (a sent message is
    // handled only there).
    bool WaitIdle();
    // Posts WM_CLOSE, as the uninstaller does, and waits for the end; true with its exit code.
    bool Close(DWORD& exitCode);
    testsupport::TestProcess& Process() { return process_; }

private:
    const ProgramInfo& program_;
    testsupport::TestProcess process_;
    HWND window_ = nullptr;
};

}  // namespace backgroundtest
