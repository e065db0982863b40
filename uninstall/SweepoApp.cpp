#include "SweepoApp.h"

#include <windows.h>

#include <vector>

#include "AnsiText.h"
#include "DeviceKeys.h"
#include "FileIdentity.h"
#include "FileRemoval.h"
#include "InstallFolderGuard.h"
#include "InstallManifest.h"
#include "KeyHandle.h"
#include "LogonEntries.h"
#include "ProductSchema.h"
#include "RegistryKey.h"

namespace sweep {

namespace {
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

// True when `command` starts `program`: the program's path, in quotes or not, then a blank or
// the end.
bool Starts(const std::string& command, const std::string& program)
{
    std::string rest = command;
    bool quoted = !rest.empty() && rest[0] == '"';
    if (quoted)
        rest.erase(0, 1);
    if (program.empty() || rest.size() < program.size())
        return false;
    if (CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, rest.c_str(), static_cast<int>(program.size()),
                       program.c_str(), static_cast<int>(program.size())) != CSTR_EQUAL)
        return false;
    size_t end = program.size();
    if (quoted) {
        if (end >= rest.size() || rest[end] != '"')
            return false;
        ++end;
    }
    return end == rest.size() || rest[end] == ' ';
}

// The folder that holds `program`, when it is the folder of its own that the uninstaller made
// for the cleanup's copy; empty otherwise.
std::string OwnCleanupFolder(const std::string& program)
{
    size_t slash = program.find_last_of('\\');
    if (slash == std::string::npos)
        return std::string();
    std::string folder = program.substr(0, slash);
    size_t parent = folder.find_last_of('\\');
    std::string name = parent == std::string::npos ? folder : folder.substr(parent + 1);
    const std::string stem = Narrow(kCleanupFolderStem);
    if (name.size() <= stem.size() ||
        CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, name.c_str(), static_cast<int>(stem.size()), stem.c_str(),
                       static_cast<int>(stem.size())) != CSTR_EQUAL)
        return std::string();
    return folder;
}

// The suite is installed in `folder` again: the product key names that folder.
bool InstalledAgainIn(const std::string& folder)
{
    CRegistryKey registry;
    CKeyHandle product;
    if (registry.Open(Narrow(kProductKeyPath).c_str(), product.Receive()) != ERROR_SUCCESS)
        return false;
    registry.Attach(product.Get());
    std::string installed;
    const bool read = ReadProductText(registry, ProductValueId::InstallFolder, installed);
    registry.Attach(nullptr);
    return read && !Trimmed(installed).empty() &&
           SameLocation(WidenAnsi(Trimmed(installed).c_str()), WidenAnsi(folder.c_str()));
}

// What the setup puts into the install folder and its subfolders, for every language, and
// nothing else; each folder goes when nothing else is left in it.
void RemoveInstalledFiles(const std::string& dir)
{
    const std::wstring wide = WidenAnsi(dir.c_str());
    std::vector<std::string> files;
    for (const std::wstring& target : WithPartialCopies(InstalledProgramTargetsOfEveryLanguage(wide)))
        files.push_back(NarrowToAnsi(target.c_str()));
    auto removeIn = [&](const std::string& folder) {
        for (const std::string& file : files) {
            const std::string holder = file.substr(0, file.find_last_of('\\'));
            if (CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, holder.c_str(), static_cast<int>(holder.size()),
                               folder.c_str(), static_cast<int>(folder.size())) == CSTR_EQUAL)
                DeleteOneFile(file);
        }
        RemoveEmptyFolder(folder);
    };
    for (const char* sub : {"\\uninstall", "\\help", "\\wave", "\\xml"})
        removeIn(dir + sub);
    removeIn(dir);
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
    // folder or a Program Files folder is left alone (and so is an empty one). A folder the
    // suite has been installed into again since the uninstall keeps everything.
    if (!IsUnsafeInstallFolder(WidenAnsi(dir.c_str())) && !InstalledAgainIn(dir)) {
        RemoveInstalledFiles(dir);
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
        if (registry.ReadFullString(valueName.c_str(), command) == ERROR_SUCCESS &&
            Starts(Trimmed(command), ownProgram)) {
            // Started from the uninstaller's copy: the copy, then its folder, go at the restart.
            RemoveAtRestart(ownProgram);
            const std::string folder = OwnCleanupFolder(ownProgram);
            if (!folder.empty())
                RemoveAtRestart(folder);
        }
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
