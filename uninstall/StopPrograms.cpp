// Ending the background programs before their files are deleted.
#include "UninstallSteps.h"

#include <tlhelp32.h>

#include <vector>

#include "Handle.h"
#include "ModuleName.h"
#include "NamedEvents.h"
#include "NamedObjects.h"

namespace purge {

namespace {
struct Waits {
    std::vector<DWORD> pids;
    std::vector<CHandle> processes;

    void Add(DWORD pid)
    {
        if (pid == 0 || pid == GetCurrentProcessId())
            return;
        for (DWORD known : pids) {
            if (known == pid)
                return;
        }
        CHandle process(OpenProcess(SYNCHRONIZE, FALSE, pid));
        if (!process)
            return;
        pids.push_back(pid);
        processes.push_back(std::move(process));
    }
};


// Posts WM_CLOSE to every top-level window of the class (class names compare without regard to
// case) and notes its process.
void CloseWindowsOfClass(const wchar_t* className, Waits& waits)
{
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, className, nullptr)) != nullptr) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        PostMessageW(window, WM_CLOSE, 0, 0);
        waits.Add(pid);
    }
}

std::wstring ImagePath(DWORD pid)
{
    CHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    if (!process)
        return std::wstring();
    wchar_t path[MAX_PATH * 2] = {};
    DWORD size = MAX_PATH * 2;
    return QueryFullProcessImageNameW(process.Get(), 0, path, &size) ? std::wstring(path, size) : std::wstring();
}

// Notes every process whose program is one of `programs` in the install folder.
void NoteProcessesOf(const std::wstring& installFolder, std::initializer_list<const wchar_t*> programs, Waits& waits)
{
    CHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot)
        return;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more; more = Process32NextW(snapshot.Get(), &entry)) {
        for (const wchar_t* program : programs) {
            if (!SameFileText(entry.szExeFile, program))
                continue;
            if (SameFileText(ImagePath(entry.th32ProcessID), installFolder + L"\\" + program))
                waits.Add(entry.th32ProcessID);
        }
    }
}
}  // namespace

void StopBackgroundPrograms(const std::wstring& installFolder, DWORD deadlineMs)
{
    Waits waits;
    CloseWindowsOfClass(kSegmentWindowClass, waits);
    CloseWindowsOfClass(kSoundWindowClass, waits);
    // Beaconet reads "System Tray Icons" again, finds it gone with the product key and quits.
    SignalNamedEvent(kTrayIconsEvent);
    NoteProcessesOf(installFolder, {L"Segmenta.exe", L"Chimer.exe", L"Beaconet.exe"}, waits);

    std::vector<HANDLE> handles;
    for (const CHandle& process : waits.processes)
        handles.push_back(process.Get());
    if (!handles.empty())
        WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), TRUE, deadlineMs);
}

}  // namespace purge
