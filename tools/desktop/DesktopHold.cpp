// desktop-hold: keeps the prefix's desktop open while tests come and go.
//
// Wine closes a desktop about a second after the last program on it has ended, and its desktop
// process (explorer.exe /desktop) ends with it. The next program that needs a window then starts
// a new desktop process and waits for it only for a short while: on a loaded machine that wait
// can run out, and the program is left without a display driver for the rest of its life (every
// window it creates fails, so a message box returns at once and shows nothing), or its first
// window comes late. This program stays on the desktop as one of its users, so the desktop
// process is started once, before any test, and stays.
//
//   desktop-hold    waits until the desktop process answers and a window can be made, prints
//                   "ready" (or what failed, exit code 1), then waits until it is ended
#include <windows.h>

#include <cstdio>

int wmain()
{
    // Starts the desktop process when it does not run yet.
    HWND desktop = GetDesktopWindow();
    DWORD owner = 0;
    if (!desktop || !GetWindowThreadProcessId(desktop, &owner) || owner == GetCurrentProcessId()) {
        std::printf("desktop-hold: the desktop process did not start\n");
        return 1;
    }
    // It answers once it has set up the display; programs started later take their driver from it.
    // The wait ends well inside a test's 120 s, so a desktop that never answers is reported as
    // such (wine-fresh-run prints it) instead of as a test that timed out with no output.
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(desktop, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result)) {
        std::printf("desktop-hold: the desktop process does not answer (error %lu)\n", GetLastError());
        return 1;
    }
    HWND probe = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    if (!probe) {
        std::printf("desktop-hold: no window can be made (error %lu)\n", GetLastError());
        return 1;
    }
    // No window of its own stays behind: nothing sent to every top-level window waits for this one.
    DestroyWindow(probe);
    std::printf("ready\n");
    std::fflush(stdout);
    Sleep(INFINITE);
    return 0;
}
