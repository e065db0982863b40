// Test equipment for tools/life-cycle.sh: the steps of the suite's life in a prefix that a
// person would take in windows, after the install and before the restart: the logon programs
// start, the applet is opened once and closed with OK, and the installed uninstaller runs
// (Yes to removing, No to the restart); with "cleanup", the next logon's cleanup; with "setup"
// and the setup's arguments, a silent install with its messages printed. Prints what went wrong
// and ends with 1; 0 when all went as a user would expect.
#include <windows.h>

#include <cstdio>
#include <string>

#include "TabControlId.h"
#include "SetupRun.h"
#include "TestWindows.h"
#include "UninstallRun.h"

using namespace uninstalltest;

namespace {
int Fail(const char* what)
{
    std::printf("life-cycle-steps: %s\n", what);
    return 1;
}

struct SheetSearch {
    DWORD pid;
    HWND sheet;
};

// A visible property sheet (it has the tab control) of the process.
BOOL CALLBACK FindSheet(HWND window, LPARAM lp)
{
    auto* search = reinterpret_cast<SheetSearch*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == search->pid && IsWindowVisible(window) && GetDlgItem(window, applettest::kTabControlId)) {
        search->sheet = window;
        return FALSE;
    }
    return TRUE;
}

// The prefix's Control Panel opens the installed applet; OK closes its sheet and the panel.
bool UseTheAppletOnce()
{
    testsupport::TestProcess control;
    if (!control.Start(L"control.exe C:\\windows\\system32\\Tunora.cpl"))
        return false;
    SheetSearch search{control.Pid(), nullptr};
    testsupport::WaitUntil(
        [&] {
            EnumWindows(FindSheet, reinterpret_cast<LPARAM>(&search));
            return search.sheet != nullptr;
        },
        60000);
    HWND sheet = search.sheet;
    if (!sheet)
        return false;
    testsupport::ClickControl(sheet, IDOK);
    DWORD code = 0;
    return control.WaitExit(code, 60000);
}
}  // namespace

int wmain(int argc, wchar_t** argv)
{
    // A silent install with its messages caught (a shell cannot catch them: the setup writes to
    // its parent's pipes or to a console of its own): they are printed, and its exit code is
    // this program's.
    if (argc > 1 && std::wstring(argv[1]) == L"setup") {
        std::wstring arguments;
        for (int i = 2; i < argc; ++i)
            arguments += (arguments.empty() ? L"" : L" ") + std::wstring(argv[i]);
        setuptest::SetupResult result = setuptest::RunSetup(arguments);
        std::printf("%s", result.output.c_str());
        if (!result.ended)
            return Fail("the setup did not end");
        return static_cast<int>(result.exitCode);
    }
    // The next logon: the cleanup that the Run value "TivenMAVO" starts.
    if (argc > 1 && std::wstring(argv[1]) == L"cleanup") {
        long code = RunCleanupAtLogon();
        std::printf("life-cycle-steps: logon cleanup ended with %ld\n", code);
        return code == 0 ? 0 : 1;
    }
    LogonPrograms programs;
    if (!StartLogonPrograms(programs))
        return Fail("the logon programs did not start");
    std::printf("life-cycle-steps: logon programs running\n");
    if (!UseTheAppletOnce())
        return Fail("the applet's sheet did not open or close");
    std::printf("life-cycle-steps: applet opened and closed with OK\n");
    UninstallRun run = RunUninstaller();
    if (!run.ended || !run.confirmAsked || !run.progressShown || !run.restartAsked || !run.boxTexts.empty())
        return Fail("the uninstaller did not run through its question, progress and restart question");
    if (run.status != kFinished)
        return Fail("the uninstaller did not finish");
    DWORD code = 0;
    if (!programs.segmenta.WaitExit(code, 0) || !programs.chimer.WaitExit(code, 0) ||
        !programs.beaconet.WaitExit(code, 0))
        return Fail("a logon program still runs after the uninstall");
    std::printf("life-cycle-steps: uninstalled; logon programs ended\n");
    return 0;
}
