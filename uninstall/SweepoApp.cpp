#include "SweepoApp.h"

#include <windows.h>

#include "AnsiText.h"
#include "FileRemoval.h"
#include "InstallFolderGuard.h"
#include "KeyHandle.h"
#include "LogonEntries.h"
#include "RegistryKey.h"

namespace sweep {

namespace {
constexpr DWORD kRunValueBytes = 1000;

// The shared registry names, in the system code page of this program.
std::string Narrow(const wchar_t* text)
{
    int bytes = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1)
        return std::string();
    std::string narrow(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, &narrow[0], bytes, nullptr, nullptr);
    narrow.resize(static_cast<size_t>(bytes - 1));
    return narrow;
}

// True when `command` starts `program`: the program's path, then a blank or the end.
bool Starts(const std::string& command, const std::string& program)
{
    if (program.empty() || command.size() < program.size())
        return false;
    if (CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, command.c_str(), static_cast<int>(program.size()),
                       program.c_str(), static_cast<int>(program.size())) != CSTR_EQUAL)
        return false;
    return command.size() == program.size() || command[program.size()] == ' ';
}
}  // namespace

std::string Trimmed(const std::string& text)
{
    const char* blanks = " \t\r\n";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

void Cleanup(const std::string& installFolder, const std::string& ownProgram)
{
    const std::string& dir = installFolder;
    // The command line comes from a Run value anyone may write: a drive's root, the Windows
    // folder or a Program Files folder is left alone (and so is an empty one).
    if (!IsUnsafeInstallFolder(WidenAnsi(dir.c_str()))) {
        DeleteOneFile(dir + "\\uninstall\\UnInstallMAVO.xml");
        DeleteFolderFiles(dir + "\\uninstall");
        RemoveEmptyFolder(dir + "\\uninstall");
        // The help folder holds the setup's .chm files; older installs had .hlp files.
        DeleteMatchingFiles(dir + "\\help\\MAVOHelp*.hlp");
        DeleteMatchingFiles(dir + "\\help\\MAVOHelp*.chm");
        RemoveEmptyFolder(dir + "\\help");
        DeleteOneFile(dir + "\\wave\\default.wav");
        RemoveEmptyFolder(dir + "\\wave");
        for (const char* pattern : {"Calib*Labels.xml", "Gx*Labels.xml", "Beaconet*Labels.xml", "MAVO*Labels.xml"})
            DeleteMatchingFiles(dir + "\\xml\\" + pattern);
        RemoveEmptyFolder(dir + "\\xml");
        for (const char* program :
             {"Gesturo.exe", "Aimwell.exe", "RenkaCPL.exe", "Beaconet.exe", "Segmenta.exe", "Chimer.exe"})
            DeleteOneFile(dir + "\\" + program);
        RemoveEmptyFolder(dir);
        // The parent the setup makes for its default folder; it stays while it holds anything.
        RemoveEmptyFolder(std::string(1, dir[0]) + ":\\Program Files\\Tiven");
    }

    CRegistryKey registry;
    CKeyHandle run;
    const std::string runPath = Narrow(kRunPath);
    const std::string valueName = Narrow(kCleanupRunValue);
    if (registry.Open(runPath.c_str(), run.Receive()) == ERROR_SUCCESS) {
        registry.Attach(run.Get());
        std::string command;
        if (registry.ReadString(valueName.c_str(), command, kRunValueBytes) && Starts(Trimmed(command), ownProgram))
            RemoveAtRestart(ownProgram);
        RegDeleteValueA(run.Get(), valueName.c_str());
        registry.Attach(nullptr);
    }
    DeleteOneFile(std::string("C:\\Sweepo.exe"));
}

}  // namespace sweep

CSweepoApp::CSweepoApp() : CWinApp(L"Sweepo") {}

bool CSweepoApp::InitInstance()
{
    char own[MAX_PATH * 2] = {};
    DWORD n = GetModuleFileNameA(nullptr, own, MAX_PATH * 2);
    sweep::Cleanup(sweep::Trimmed(CommandLineA()), n > 0 && n < MAX_PATH * 2 ? std::string(own, n) : std::string());
    return false;
}
