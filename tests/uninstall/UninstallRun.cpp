#include "UninstallRun.h"

#include <shlobj.h>

#include <algorithm>
#include <fstream>

#include "NamedObjects.h"
#include "ScratchRegistry.h"
#include "SetupRun.h"
#include "TestPaths.h"
#include "TestWindows.h"

using testsupport::ScratchRegistry;

namespace uninstalltest {

namespace {
std::wstring ReadText(const std::wstring& path, const wchar_t* name)
{
    ScratchRegistry registry(ScratchRegistry::RealPrefix);
    return registry.Read(path, name).AsString();
}

bool IsPlaceholder(const std::wstring& path)
{
    return setuptest::FileBytes(path).rfind("placeholder", 0) == 0;
}

// The stand-in takes the installed program's place when the program itself is not built yet.
bool Provide(const std::wstring& program, bool always)
{
    if (!always && !IsPlaceholder(program))
        return true;
    return CopyFileW(testsupport::BinPath(L"logon-standin.exe").c_str(), program.c_str(), FALSE) != FALSE;
}

// The Chimer entry of Winlogon "Userinit", as a logon would start it.
std::wstring ChimerFromUserinit()
{
    std::wstring value = ReadText(setuptest::kWinlogonKey, L"Userinit");
    size_t pos = 0;
    while (pos <= value.size()) {
        size_t comma = value.find(L',', pos);
        std::wstring entry = value.substr(pos, comma == std::wstring::npos ? std::wstring::npos : comma - pos);
        if (entry.size() >= 10 && _wcsicmp(entry.c_str() + entry.size() - 10, L"Chimer.exe") == 0)
            return entry;
        if (comma == std::wstring::npos)
            break;
        pos = comma + 1;
    }
    return std::wstring();
}

bool Start(testsupport::TestProcess& process, const std::wstring& program, const wchar_t* arguments = L"")
{
    if (program.empty())
        return false;
    std::wstring commandLine = L"\"" + program + L"\"" + (*arguments ? std::wstring(L" ") + arguments : L"");
    return process.Start(commandLine, InstallFolder());
}

// The logon programs' windows are never shown: found by class alone, of the given process.
bool WaitForHiddenWindow(const wchar_t* className, DWORD pid)
{
    return testsupport::WaitUntil([&] {
        HWND window = nullptr;
        while ((window = FindWindowExW(nullptr, window, className, nullptr)) != nullptr) {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == pid)
                return true;
        }
        return false;
    });
}

std::wstring Without(std::wstring path, const wchar_t* prefix)
{
    size_t n = wcslen(prefix);
    return path.compare(0, n, prefix) == 0 ? path.substr(n) : path;
}
}  // namespace

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

std::vector<std::wstring> Sorted(std::vector<std::wstring> paths)
{
    std::sort(paths.begin(), paths.end());
    return paths;
}

std::wstring InstallFolder() { return setuptest::kInstallFolder; }
std::wstring Uninstaller() { return InstallFolder() + L"\\uninstall\\uninstall.exe"; }

std::wstring SystemTemp()
{
    wchar_t temp[MAX_PATH] = {};
    ExpandEnvironmentStringsW(ReadText(L"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment", L"TEMP")
                                  .c_str(),
                              temp, MAX_PATH);
    return temp;
}

std::wstring RunValueProgram(const std::wstring& command)
{
    if (command.empty() || command[0] != L'"')
        return command;
    size_t end = command.find(L'"', 1);
    return command.substr(1, end == std::wstring::npos ? std::wstring::npos : end - 1);
}

std::wstring CleanupProgram()
{
    std::wstring command = ReadText(kRunKey, L"TivenMAVO");
    if (command.empty() || command[0] != L'"')
        return std::wstring();
    return RunValueProgram(command);
}

std::wstring CleanupProgramFolder()
{
    std::wstring program = CleanupProgram();
    size_t slash = program.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : program.substr(0, slash);
}

std::wstring StartMenuFolder()
{
    wchar_t folder[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, folder, CSIDL_COMMON_PROGRAMS, FALSE);
    return std::wstring(folder) + L"\\Tiven MAVO";
}

bool Install(std::string* output)
{
    setuptest::SetupResult run = setuptest::RunSetup(L"-s -en -eig");
    if (output)
        *output = run.output;
    return run.ended && run.exitCode == 0;
}

bool StartLogonPrograms(LogonPrograms& programs, bool stubbornSegmenta)
{
    const std::wstring dir = InstallFolder();
    const std::wstring segmenta = RunValueProgram(ReadText(kRunKey, L"MultiMonitor Listener"));
    const std::wstring beaconet = RunValueProgram(ReadText(kRunKey, L"BeaconetApplication"));
    const std::wstring chimer = ChimerFromUserinit();
    if (!Provide(segmenta, stubbornSegmenta) || !Provide(chimer, false) || !Provide(beaconet, false))
        return false;
    if (!Start(programs.segmenta, segmenta, stubbornSegmenta ? L"stay" : L"") || !Start(programs.chimer, chimer) ||
        !Start(programs.beaconet, beaconet))
        return false;
    return WaitForHiddenWindow(kSegmentWindowClass, programs.segmenta.Pid()) &&
           WaitForHiddenWindow(kSoundWindowClass, programs.chimer.Pid()) &&
           testsupport::WaitUntil([] { return testsupport::NamedEventExists(kTrayIconsEvent); });
}

UninstallRun RunUninstaller(const UninstallAnswers& answers, const std::wstring& program)
{
    UninstallRun run;
    testsupport::TestProcess process;
    if (!process.Start(L"\"" + (program.empty() ? Uninstaller() : program) + L"\"",
                       answers.workDir.empty() ? setuptest::WindowsFolder() : answers.workDir))
        return run;
    const DWORD pid = process.Pid();
    testsupport::MessageBoxInfo confirm = testsupport::WaitForMessageBox(kRunDeadlineMs, pid);
    if (confirm && confirm.caption == kConfirmCaption) {
        run.confirmAsked = true;
        testsupport::DismissMessageBox(confirm, answers.confirm);
    }
    if (run.confirmAsked && answers.confirm == IDYES) {
        HWND progress = testsupport::WaitForWindow(L"#32770", kProgressTitle, kRunDeadlineMs, pid);
        run.progressShown = progress != nullptr;
        if (progress && answers.closeWhileRunning) {
            // Escape, the close box and WM_CLOSE, each handled before the next check.
            HWND ok = GetDlgItem(progress, IDOK);
            DWORD_PTR ignored = 0;
            SendMessageTimeoutW(progress, WM_COMMAND, IDCANCEL, 0, SMTO_NORMAL, 5000, &ignored);
            SendMessageTimeoutW(progress, WM_SYSCOMMAND, SC_CLOSE, 0, SMTO_NORMAL, 5000, &ignored);
            SendMessageTimeoutW(progress, WM_CLOSE, 0, 0, SMTO_NORMAL, 5000, &ignored);
            run.closedWhileRunning = !IsWindowVisible(ok);
            // A dialog that takes a close hides at once (EndDialog) but is destroyed only once
            // its loop has ended, so whether it stayed is read from its visibility.
            run.closeRefused = IsWindow(progress) && IsWindowVisible(progress);
        }
        if (progress) {
            // The worker ends by showing OK; a box it shows first (owned by the dialog) is answered.
            HWND ok = GetDlgItem(progress, IDOK);
            testsupport::WaitUntil(
                [&] {
                    if (testsupport::MessageBoxInfo box = testsupport::WaitForMessageBox(0, pid)) {
                        run.boxTexts.push_back(box.text);
                        testsupport::DismissMessageBox(box, IDOK);
                    }
                    return IsWindowVisible(ok) != FALSE;
                },
                kRunDeadlineMs);
            run.status = testsupport::ControlText(progress, 1001);
            testsupport::ClickControl(progress, IDOK);
            // The restart question comes after the dialog has ended, or the program ends without
            // one: whichever comes first, with the full deadline.
            testsupport::MessageBoxInfo restart;
            testsupport::WaitUntil(
                [&] { return (restart = testsupport::WaitForMessageBox(0, pid)) || !process.Running(); },
                kRunDeadlineMs);
            if (restart && restart.caption == kRestartCaption) {
                run.restartAsked = true;
                testsupport::DismissMessageBox(restart, answers.restart);
            }
        }
    }
    run.ended = process.WaitExit(run.exitCode, kRunDeadlineMs);
    return run;
}

bool StartUninstallerAndConfirm(testsupport::TestProcess& process)
{
    return process.Start(L"\"" + Uninstaller() + L"\"", setuptest::WindowsFolder()) && ConfirmUninstall(process.Pid());
}

bool ConfirmUninstall(DWORD pid)
{
    testsupport::MessageBoxInfo confirm = testsupport::WaitForMessageBox(kRunDeadlineMs, pid);
    return confirm && confirm.caption == kConfirmCaption && testsupport::DismissMessageBox(confirm, IDYES);
}

std::vector<std::wstring> CleanupFolders()
{
    std::vector<std::wstring> folders;
    WIN32_FIND_DATAW data{};
    HANDLE find = FindFirstFileW((SystemTemp() + L"\\TivenCleanup*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return folders;
    do {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            folders.push_back(SystemTemp() + L"\\" + data.cFileName);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return folders;
}

bool PlantedFolder::Plant()
{
    for (const wchar_t* sub : {L"\\uninstall", L"\\help", L"\\xml", L"\\wave"}) {
        const std::wstring path = Base() + sub;
        if (CreateDirectoryW(path.c_str(), nullptr))
            made.push_back(path);
        else if (GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
    }
    for (const wchar_t* file : {L"\\uninstall\\readme.txt", L"\\help\\system-help.chm", L"\\xml\\settings.xml",
                                L"\\wave\\chimes.wav", L"\\Chimer.exe"}) {
        const std::wstring path = Base() + file;
        if (setuptest::FileExists(path) || !testsupport::WriteFileBytes(path, "system", 6))
            return false;
        files.push_back(path);
    }
    for (const wchar_t* file : {L"\\uninstall.exe", L"\\UnInstallMAVO.xml"}) {
        const std::wstring path = Base() + L"\\uninstall" + file;
        if (!CopyFileW((InstallFolder() + L"\\uninstall" + file).c_str(), path.c_str(), TRUE))
            return false;
        files.push_back(path);
    }
    return true;
}

std::wstring PlantedFolder::Base() const
{
    std::wstring path = folder;
    while (!path.empty() && path.back() == L'\\')
        path.pop_back();
    return path;
}

void PlantedFolder::Remove()
{
    for (const std::wstring& file : files)
        DeleteFileW(file.c_str());
    for (auto path = made.rbegin(); path != made.rend(); ++path)
        RemoveDirectoryW(path->c_str());
}

std::vector<std::wstring> PendingRemovals()
{
    ScratchRegistry registry(ScratchRegistry::RealPrefix);
    testsupport::RegValue value = registry.Read(kSessionManagerKey, L"PendingFileRenameOperations");
    std::vector<std::wstring> removals;
    if (!value.present)
        return removals;
    const wchar_t* text = reinterpret_cast<const wchar_t*>(value.bytes.data());
    size_t count = value.bytes.size() / sizeof(wchar_t);
    std::vector<std::wstring> strings;
    for (size_t pos = 0; pos < count;) {
        std::wstring s(text + pos);
        pos += s.size() + 1;
        strings.push_back(s);
    }
    for (size_t i = 0; i + 1 < strings.size(); i += 2) {
        if (strings[i + 1].empty() && !strings[i].empty())
            removals.push_back(Without(strings[i], L"\\??\\"));
    }
    return removals;
}

bool IsPending(const std::wstring& path)
{
    for (const std::wstring& removal : PendingRemovals()) {
        if (_wcsicmp(removal.c_str(), path.c_str()) == 0)
            return true;
    }
    return false;
}

bool Restart() { return testsupport::RunAndWait(L"wineboot.exe -r", kRunDeadlineMs) == 0; }

long RunCleanupAtLogon()
{
    std::wstring command = ReadText(kRunKey, L"TivenMAVO");
    if (command.empty())
        return -1;
    return testsupport::RunAndWait(command, kRunDeadlineMs);
}

}  // namespace uninstalltest
