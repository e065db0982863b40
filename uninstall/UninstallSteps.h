#pragma once
// The steps of Purgent's removal, each a function of what it removes, so tests call the pure
// parts directly: what Winlogon "Userinit" becomes, whether a folder is the one to remove, and
// where the logon cleanup runs from.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace purge {

// How long the uninstaller waits for the stopped background programs to end before it deletes
// their files; whatever still runs then is removed at the next restart.
constexpr DWORD kStopDeadlineMs = 10000;

// What the uninstaller reads before it removes anything.
struct UninstallPlan {
    std::wstring cleanupFolder;    // the system TEMP folder, or "C:": where the cleanup's copy goes
    std::wstring installFolder;    // "Tiven Installed Path", trailing blanks removed
    std::wstring startMenuName;    // "RootKeyName"
};

// Reads the system TEMP folder and the product key's install folder and Start-menu name.
UninstallPlan ReadPlan();
// The cleanup folder for a TEMP folder (empty: "C:").
void SetCleanupFolder(UninstallPlan& plan, const std::wstring& tempFolder);

// The Run value that starts the logon cleanup: the program's path in quotes, a blank and the
// install folder as it is (the cleanup takes the whole rest of its command line as the folder).
std::wstring CleanupCommand(const std::wstring& program, const std::wstring& installFolder);
// Copies the cleanup program into a new folder that this call makes under `parent`
// ("<parent>\TivenCleanup<hex>"): nobody else can have put a file there first. Returns the
// copy's path; empty when the program is not whole (ProgramImage.h), no folder could be made or
// the copy failed, and then the folder is gone again.
std::wstring CopyCleanupProgram(const std::wstring& source, const std::wstring& parent);

// The product key names the folder to delete under, and anyone may write that key: the folder
// is removed only when it is the one this uninstaller was installed into, i.e. the program runs
// as "<folder>\uninstall\uninstall.exe" (the same file, however either path is spelt).
bool IsOwnInstallFolder(const std::wstring& installFolder, const std::wstring& ownProgram);
// The install folder as the system resolves it (its final path); empty when it does not exist.
std::wstring ResolvedFolder(const std::wstring& installFolder);
// The Start-menu folder is removed only when its name is one folder name (no path).
bool IsPlainFolderName(const std::wstring& name);

// What Winlogon "Userinit" becomes: the current value without the Chimer entries of the
// install folder; none (leave it as it is) when it cannot be read or holds no such entry. A
// result that no longer starts the system's logon program becomes `systemUserinit`.
std::optional<std::wstring> UserinitAfterUninstall(const std::optional<std::wstring>& current,
                                                   const std::wstring& installFolder,
                                                   const std::wstring& systemUserinit);

// What the registry step has done beyond deleting its keys and Run values.
struct RegistryRemoval {
    // Winlogon "Userinit" no longer starts Chimer from the install folder (or never did); false
    // when it could not be read or written, and Chimer still starts at every logon.
    bool userinitDone = true;
    // The cleanup's copy that the Run value "TivenMAVO" names; empty when none could be made,
    // and then no Run value was written.
    std::wstring cleanupProgram;
};

// Names the logon cleanup in the Run value "TivenMAVO" once its program has been copied to a
// folder of its own (the folders of earlier, cut-off runs removed), takes Chimer out of Winlogon
// "Userinit", removes the Run values of the logon programs, then deletes the driver keys, the
// uninstall entry and the product key, in that order: a run cut off before its end can be
// started again.
RegistryRemoval RemoveRegistryEntries(const UninstallPlan& plan);
// Posts WM_CLOSE to the windows of Segmenta and Chimer, tells Beaconet to read its (now missing)
// setting and quit, and waits for the three, with a deadline.
void StopBackgroundPrograms(const std::wstring& installFolder, DWORD deadlineMs = kStopDeadlineMs);
// The install folder with what the setup put there: deleted now, or at the next restart what is
// in use (the running uninstaller, a program that did not end). In each folder only the files
// the setup installs go (for every language), and the folder then when nothing else is left in
// it. What can be removed neither now nor at the restart is added to `left`. False, and nothing
// removed, for a folder no install may use (a drive's root, the Windows folder or a folder in
// it, a Program Files folder: InstallFolderGuard.h).
bool RemoveProgramFiles(const std::wstring& installFolder, std::vector<std::wstring>& left);
// The applet, its help and the driver files in the Windows folder, likewise.
void RemoveSystemFiles(std::vector<std::wstring>& left);
// The links the setup made in the Start-menu folder (those that open one of the setup's link
// targets in the install folder), then the folder when it is empty. False when the all-users
// Programs folder cannot be found.
bool RemoveStartMenuFolder(const std::wstring& name, const std::wstring& installFolder,
                           std::vector<std::wstring>& left);

// Full path of the running program.
std::wstring OwnProgramPath();

}  // namespace purge
