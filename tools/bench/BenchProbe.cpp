// Times one start of a program for tools/bench-startup.sh (a benchmark, not a test): starts the
// command line, waits with a deadline until the program is ready, prints the milliseconds from
// just before its CreateProcessW to that moment, and ends the program again.
//   BenchProbe [--deadline MS] READY -- COMMAND LINE
// READY is one of
//   window CLASS             a visible top-level window of that class of the process
//   icons CLASS ID [ID...]   every (window of that class of the process, ID) is an icon of the
//                            notification area (a change of nothing succeeds only for an icon
//                            that is there); the probe removes them again before it ends the
//                            program, so none is left behind in the notification area
//   requests COUNT CODE      the stand-in drivers have received COUNT requests of the control
//                            code CODE (0: any), the log cleared just before the start; the time
//                            is the arrival of the last of them, as the driver noted it
//   exit                     the process has ended
// Windows and icons are looked for every millisecond, so their time is late by about that.
// The program is then terminated (it has done what it starts with; nothing of its later work is
// waited for). Exit codes: 0 ready, 1 not ready before the deadline, 2 usage, 3 the program
// could not be started, 4 the program ended before it was ready, 5 no stand-in drivers.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "StandinClient.h"
#include "TestProcess.h"
#include "TestWindows.h"

namespace {
constexpr DWORD kDefaultDeadlineMs = 30000;

enum class Ready { Window, Icons, Requests, Exit };

struct Options {
    DWORD deadlineMs = kDefaultDeadlineMs;
    Ready ready = Ready::Exit;
    std::wstring className;
    std::vector<UINT> iconIds;
    size_t requestCount = 0;
    DWORD requestCode = 0;
    std::wstring commandLine;
};

double Milliseconds(LONGLONG ticks)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

LONGLONG Now()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

// The program's command line: everything after the first " -- " of the probe's own, unchanged.
bool ParseOptions(int argc, wchar_t** argv, Options& options)
{
    const wchar_t* separator = std::wcsstr(GetCommandLineW(), L" -- ");
    if (!separator)
        return false;
    options.commandLine = separator + 4;
    int i = 1;
    if (i + 1 < argc && std::wcscmp(argv[i], L"--deadline") == 0) {
        options.deadlineMs = static_cast<DWORD>(std::wcstoul(argv[i + 1], nullptr, 10));
        i += 2;
    }
    if (i >= argc)
        return false;
    const std::wstring kind = argv[i++];
    std::vector<std::wstring> args;
    while (i < argc && std::wcscmp(argv[i], L"--") != 0)
        args.push_back(argv[i++]);
    if (kind == L"window" && args.size() == 1) {
        options.ready = Ready::Window;
        options.className = args[0];
    } else if (kind == L"icons" && args.size() >= 2) {
        options.ready = Ready::Icons;
        options.className = args[0];
        for (size_t k = 1; k < args.size(); ++k)
            options.iconIds.push_back(static_cast<UINT>(std::wcstoul(args[k].c_str(), nullptr, 0)));
    } else if (kind == L"requests" && args.size() == 2) {
        options.ready = Ready::Requests;
        options.requestCount = std::wcstoul(args[0].c_str(), nullptr, 10);
        options.requestCode = static_cast<DWORD>(std::wcstoul(args[1].c_str(), nullptr, 0));
        if (options.requestCount == 0)
            return false;
    } else if (kind == L"exit" && args.empty()) {
        options.ready = Ready::Exit;
    } else {
        return false;
    }
    return !options.commandLine.empty();
}

NOTIFYICONDATAW IconData(HWND window, UINT id)
{
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data.hWnd = window;
    data.uID = id;
    return data;
}

struct IconSearch {
    DWORD pid;
    const std::wstring* className;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM lp)
{
    auto* search = reinterpret_cast<IconSearch*>(lp);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->pid && testsupport::ClassNameOf(window) == *search->className)
        search->windows.push_back(window);
    return TRUE;
}

// The icons (window, id) that are in the notification area; all of them when the result has as
// many entries as there are ids.
std::vector<NOTIFYICONDATAW> PresentIcons(const Options& options, DWORD pid)
{
    IconSearch search{pid, &options.className, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    std::vector<NOTIFYICONDATAW> found;
    for (UINT id : options.iconIds) {
        for (HWND window : search.windows) {
            NOTIFYICONDATAW data = IconData(window, id);
            if (Shell_NotifyIconW(NIM_MODIFY, &data)) {
                found.push_back(data);
                break;
            }
        }
    }
    return found;
}

// The arrival of the COUNT-th request of the code in the log, on this process's clock (the
// drivers note arrivals with the same system counter); 0 while there are fewer.
LONGLONG RequestArrival(const Options& options)
{
    size_t seen = 0;
    for (const standin::LoggedRequest& request : standin::ReadLog()) {
        if (options.requestCode != 0 && request.code != options.requestCode)
            continue;
        if (++seen < options.requestCount)
            continue;
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        const int64_t driverFrequency = standin::TimestampFrequency(request.driver);
        if (driverFrequency <= 0)
            return Now();
        return static_cast<LONGLONG>(static_cast<double>(request.timestamp) * static_cast<double>(frequency.QuadPart) /
                                     static_cast<double>(driverFrequency));
    }
    return 0;
}

int Fail(int code, const char* what)
{
    std::fprintf(stderr, "BenchProbe: %s\n", what);
    return code;
}
}  // namespace

int wmain(int argc, wchar_t** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options))
        return Fail(2, "usage: BenchProbe [--deadline MS] window CLASS | icons CLASS ID... | requests COUNT CODE | "
                       "exit -- COMMAND LINE");
    if (options.ready == Ready::Requests && !(standin::Running() && standin::ClearLog()))
        return Fail(5, "the stand-in drivers do not answer");

    testsupport::TestProcess program;
    const LONGLONG start = Now();
    if (!program.Start(options.commandLine))
        return Fail(3, "the program could not be started");
    const LONGLONG deadline = start + static_cast<LONGLONG>(static_cast<double>(options.deadlineMs) / Milliseconds(1));

    LONGLONG readyAt = 0;
    std::vector<NOTIFYICONDATAW> icons;
    for (;;) {
        switch (options.ready) {
        case Ready::Window:
            if (testsupport::FindTopWindow(options.className, L"", program.Pid()))
                readyAt = Now();
            break;
        case Ready::Icons:
            icons = PresentIcons(options, program.Pid());
            if (icons.size() == options.iconIds.size())
                readyAt = Now();
            break;
        case Ready::Requests:
            readyAt = RequestArrival(options);
            break;
        case Ready::Exit:
            if (!program.Running())
                readyAt = Now();
            break;
        }
        if (readyAt)
            break;
        const DWORD left = Now() >= deadline ? 0 : static_cast<DWORD>(Milliseconds(deadline - Now())) + 1;
        if (left == 0)
            return Fail(1, "the program was not ready before the deadline");
        if (options.ready != Ready::Exit && !program.Running())
            return Fail(4, "the program ended before it was ready");
        // The end of the process is waited for as such; everything else is looked for again
        // after a millisecond.
        WaitForSingleObject(program.Handle(), options.ready == Ready::Exit ? left : 1);
    }

    for (NOTIFYICONDATAW& icon : icons)
        Shell_NotifyIconW(NIM_DELETE, &icon);
    program.Kill();
    if (readyAt < start || readyAt > Now())
        return Fail(1, "the ready time lies outside the run");
    std::printf("%.1f\n", Milliseconds(readyAt - start));
    return 0;
}
