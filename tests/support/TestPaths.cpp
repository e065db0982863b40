#include "TestPaths.h"

#include <windows.h>

namespace testsupport {

std::wstring WindowsFolder()
{
    wchar_t folder[MAX_PATH] = {};
    GetWindowsDirectoryW(folder, MAX_PATH);
    return folder;
}

std::wstring SystemFolder()
{
    wchar_t folder[MAX_PATH] = {};
    GetSystemDirectoryW(folder, MAX_PATH);
    return folder;
}

std::wstring BinPath(const std::wstring& fileName)
{
    wchar_t self[MAX_PATH];
    DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring dir(self, n);
    return dir.substr(0, dir.find_last_of(L"\\/") + 1) + fileName;
}

std::wstring MakeTempDir(const std::wstring& stem)
{
    static LONG counter = 0;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    // Wine hands a process id out again as soon as its process has ended, and an earlier test's
    // folder may still be there: a folder is taken only when this call creates it.
    const std::wstring base = std::wstring(temp) + stem + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-";
    for (;;) {
        std::wstring dir = base + std::to_wstring(InterlockedIncrement(&counter));
        if (CreateDirectoryW(dir.c_str(), nullptr) || GetLastError() != ERROR_ALREADY_EXISTS)
            return dir;
    }
}

bool WriteFileBytes(const std::wstring& path, const void* data, size_t size)
{
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = WriteFile(f, data, static_cast<DWORD>(size), &written, nullptr);
    CloseHandle(f);
    return ok && written == size;
}

std::vector<std::wstring> TreeBelow(const std::wstring& folder)
{
    std::vector<std::wstring> paths;
    WIN32_FIND_DATAW data{};
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return paths;
    do {
        std::wstring name = data.cFileName;
        if (name == L"." || name == L"..")
            continue;
        paths.push_back(folder + L"\\" + name);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            std::vector<std::wstring> inner = TreeBelow(folder + L"\\" + name);
            paths.insert(paths.end(), inner.begin(), inner.end());
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return paths;
}

}  // namespace testsupport
