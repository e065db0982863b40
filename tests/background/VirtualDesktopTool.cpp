// Test helper started on a Wine virtual desktop (STARTUPINFO::lpDesktop), where the display mode
// can change: only a process on that desktop changes its mode or finds its windows.
//   VirtualDesktopTool mode WIDTH HEIGHT   exit code: the ChangeDisplaySettingsW result (0: changed)
//   VirtualDesktopTool restore             exit code: the result of going back to the stored mode
//   VirtualDesktopTool close CLASS         posts WM_CLOSE to the window of that class; exit code 0
//                                          when its program has ended, 1 when not, 2 without window
#include <windows.h>

#include <cwchar>

namespace {
int ChangeMode(DWORD width, DWORD height)
{
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    if (!EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode))
        return DISP_CHANGE_FAILED;
    mode.dmPelsWidth = width;
    mode.dmPelsHeight = height;
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    return ChangeDisplaySettingsW(&mode, 0);
}

int CloseProgram(const wchar_t* windowClass)
{
    HWND window = FindWindowW(windowClass, nullptr);
    if (!window)
        return 2;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    PostMessageW(window, WM_CLOSE, 0, 0);
    const bool ended = process && WaitForSingleObject(process, 15000) == WAIT_OBJECT_0;
    if (process)
        CloseHandle(process);
    return ended ? 0 : 1;
}
}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc == 4 && std::wcscmp(argv[1], L"mode") == 0)
        return ChangeMode(std::wcstoul(argv[2], nullptr, 10), std::wcstoul(argv[3], nullptr, 10));
    if (argc == 2 && std::wcscmp(argv[1], L"restore") == 0)
        return ChangeDisplaySettingsW(nullptr, 0);
    if (argc == 3 && std::wcscmp(argv[1], L"close") == 0)
        return CloseProgram(argv[2]);
    return 100;
}
