#include "Shots.h"

#include "TestPaths.h"
#include "TestProcess.h"

namespace testsupport {

std::wstring ShotDir()
{
    wchar_t dir[MAX_PATH] = L"";
    GetEnvironmentVariableW(L"TIVEN_SHOT_DIR", dir, MAX_PATH);
    return dir;
}

bool Shoot(const std::wstring& name, std::initializer_list<HWND> windows, const RECT* keep)
{
    // Repainted completely before the picture is taken.
    for (HWND window : windows)
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    std::string part;
    if (keep)
        part = std::to_string(keep->right - keep->left) + "x" + std::to_string(keep->bottom - keep->top) + "+" +
               std::to_string(keep->left) + "+" + std::to_string(keep->top);
    const std::wstring base = ShotDir() + L"\\" + name;
    WriteFileBytes(base + L".ready", part.data(), part.size());
    const std::wstring done = base + L".done";
    return WaitUntil([&] { return GetFileAttributesW(done.c_str()) != INVALID_FILE_ATTRIBUTES; }, 60000);
}

}  // namespace testsupport
