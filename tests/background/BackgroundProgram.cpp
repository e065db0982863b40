#include "BackgroundProgram.h"

#include "TestPaths.h"
#include "TestWindows.h"

using namespace testsupport;

namespace backgroundtest {

const ProgramInfo kSegmenta{L"Segmenta.exe", L"SEGMENTA", L"Segmenta", "Segmenta Version 1.0"};
const ProgramInfo kChimer{L"Chimer.exe", L"CHIMER", L"Chimer", "Chimer Version 1.0"};

namespace {
struct Search {
    const std::wstring* windowClass;
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if ((search->pid == 0 || owner == search->pid) &&
        _wcsicmp(ClassNameOf(window).c_str(), search->windowClass->c_str()) == 0)
        search->found.push_back(window);
    return TRUE;
}
}  // namespace

std::vector<HWND> WindowsOfClass(const std::wstring& windowClass, DWORD pid)
{
    Search search{&windowClass, pid, {}};
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BackgroundProgram::~BackgroundProgram()
{
    DWORD code = 0;
    if (process_.Running() && !Close(code))
        process_.Kill();
}

bool BackgroundProgram::Start()
{
    return process_.Start(L"\"" + BinPath(program_.exe) + L"\"");
}

HWND BackgroundProgram::WaitWindow(DWORD deadlineMs)
{
    WaitUntil(
        [&] {
            const auto windows = WindowsOfClass(program_.windowClass, process_.Pid());
            window_ = windows.empty() ? nullptr : windows.front();
            return window_ != nullptr;
        },
        deadlineMs);
    return window_;
}

bool BackgroundProgram::WaitIdle()
{
    DWORD_PTR result = 0;
    return window_ && SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_BLOCK, kDefaultDeadlineMs, &result) != 0;
}

bool BackgroundProgram::Close(DWORD& exitCode)
{
    if (!window_)
        WaitWindow();
    return window_ && PostMessageW(window_, WM_CLOSE, 0, 0) && process_.WaitExit(exitCode);
}

}  // namespace backgroundtest
