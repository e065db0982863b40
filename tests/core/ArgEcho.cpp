// Records the command-line text after the program's own name in the file named by the
// environment variable TIVEN_ARGECHO_OUT (UTF-16). The file appears complete at once: it is
// written under a temporary name and then renamed.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int)
{
    wchar_t out[MAX_PATH] = L"";
    if (!GetEnvironmentVariableW(L"TIVEN_ARGECHO_OUT", out, MAX_PATH))
        return 2;
    std::wstring temp = std::wstring(out) + L".part";
    HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 3;
    DWORD written = 0;
    WriteFile(file, commandLine, static_cast<DWORD>(wcslen(commandLine) * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(file);
    return MoveFileExW(temp.c_str(), out, MOVEFILE_REPLACE_EXISTING) ? 0 : 4;
}
