#pragma once
// Helpers of the uninstall tests, which run in a fresh prefix of their own
// (tools/wine-fresh-run): an install to remove, the logon programs started as a logon starts
// them, the installed uninstaller driven through its boxes and dialog, the restart and the
// logon cleanup.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "FreshPrefix.h"
#include "TestProcess.h"

namespace uninstalltest {

// How long a whole run of the uninstaller, the setup or a restart may take.
inline constexpr DWORD kRunDeadlineMs = 60000;

inline constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kUninstallKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TivenMAVO";
inline constexpr wchar_t kSerialServiceKey[] = L"SYSTEM\\CurrentControlSet\\Services\\RILO";
inline constexpr wchar_t kSessionManagerKey[] = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager";

// Labels of the setup folder's English uninstaller label file.
inline constexpr wchar_t kConfirmCaption[] = L"Confirm Uninstall";
inline constexpr wchar_t kRestartCaption[] = L"Restart Windows";
inline constexpr wchar_t kProgressTitle[] = L"Tiven MAVO Uninstall";
inline constexpr wchar_t kCannotComplete[] =
    L"The uninstall cannot be completed: the installation folder of Tiven MAVO was not found.";
inline constexpr wchar_t kFinished[] = L"Tiven MAVO has been removed.";
inline constexpr wchar_t kFolderRefused[] =
    L"The uninstall cannot be completed: the installation folder named in the registry is the root folder of a "
    L"drive, the Windows folder or a folder inside it, or a Program Files folder. Nothing has been removed.";

std::wstring InstallFolder();
std::wstring Uninstaller();           // the installed uninstall.exe
std::wstring SystemTemp();            // the system TEMP folder, expanded
// The program the Run value "TivenMAVO" starts (its path without the quotes), and its folder;
// empty when there is no such value.
std::wstring CleanupProgram();
std::wstring CleanupProgramFolder();
// A Run value's program: the quoted path at its start, or the whole value when it is not quoted.
std::wstring RunValueProgram(const std::wstring& command);
std::wstring StartMenuFolder();       // the suite's folder in the all-users Programs folder

// A silent English install; false (with the output in `output`) when it failed.
bool Install(std::string* output = nullptr);

// The logon programs as a logon starts them: Chimer from the Winlogon "Userinit" entries,
// Segmenta and Beaconet from their Run values. An installed program that is a placeholder of
// the setup folder (its program is not built yet) is first replaced by the test's stand-in;
// `stubbornSegmenta` always puts the stand-in in Segmenta's place, with "stay", so that it does
// not end when asked to.
struct LogonPrograms {
    testsupport::TestProcess segmenta, chimer, beaconet;
};
// Starts them and waits until each is up (its window, or the tray event).
bool StartLogonPrograms(LogonPrograms& programs, bool stubbornSegmenta = false);

// One run of the installed uninstaller, answered as a user would.
struct UninstallAnswers {
    int confirm = IDYES;   // the first question
    int restart = IDNO;    // the restart question (never Yes: a restart ends every process)
    bool closeWhileRunning = false;   // try to close the progress dialog as soon as it is up
    // The folder it starts in; empty: the Windows folder. The Start-menu link starts it in "c:\".
    std::wstring workDir;
};
struct UninstallRun {
    bool ended = false;
    DWORD exitCode = 0;
    bool confirmAsked = false;
    bool progressShown = false;
    std::wstring status;                     // the progress dialog's last status text
    bool closedWhileRunning = false;         // the close attempts came while the removal ran
    bool closeRefused = false;               // and the dialog stayed
    std::vector<std::wstring> boxTexts;      // texts of the boxes after the confirmation
    bool restartAsked = false;
};
// `program` is the uninstaller to run; empty: the installed one.
UninstallRun RunUninstaller(const UninstallAnswers& answers = {}, const std::wstring& program = L"");

// The installed uninstaller started and its question answered Yes, for a test that cuts the
// removal off (testsupport::KillAtMilestone); false when the question did not come.
bool StartUninstallerAndConfirm(testsupport::TestProcess& process);
// The uninstaller's question, from the process of that id, answered Yes.
bool ConfirmUninstall(DWORD pid);
// The names of the folders directly in the system TEMP folder that the uninstaller makes for the
// cleanup's copy ("TivenCleanup...").
std::vector<std::wstring> CleanupFolders();

// What an install into a system folder would have put there, beside files of the system: the
// uninstaller copied to "<folder>\uninstall" with its labels, and the folders it empties.
struct PlantedFolder {
    std::wstring folder;
    std::vector<std::wstring> made;    // folders made for the test, removed again at its end
    std::vector<std::wstring> files;   // files of "the system" in them

    bool Plant();
    // The folder without a trailing backslash ("C:" for "C:\\"), to append names to.
    std::wstring Base() const;
    std::wstring Uninstaller() const { return Base() + L"\\uninstall\\uninstall.exe"; }
    void Remove();
};

// The removals the system carries out at the next restart (PendingFileRenameOperations entries
// without a target), as plain paths.
std::vector<std::wstring> PendingRemovals();
bool IsPending(const std::wstring& path);

// The restart: "wineboot -r" carries out the pending renames and removals.
bool Restart();
// The next logon's cleanup: runs the Run value "TivenMAVO" as the system would; -1 when the
// value is missing or the program did not end in time.
long RunCleanupAtLogon();

std::string Narrow(const std::wstring& text);
// The paths in order, to compare lists whatever order a listing gave them in.
std::vector<std::wstring> Sorted(std::vector<std::wstring> paths);

}  // namespace uninstalltest
