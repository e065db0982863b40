#pragma once
// The logon cleanup's own copies. The uninstaller copies the cleanup program into a folder of its
// own under the system TEMP folder ("TivenCleanup" and eight hex digits, LogonEntries.h) and names
// it in the Run value "TivenMAVO" with the install folder. An uninstall cut off between the copy
// and the value leaves a folder that nothing names; a later install into the same folder must
// keep the cleanup from removing it. Both find such folders here.
#include <string>

// The program and the folder of a "TivenMAVO" command line: the program's path in quotes, or up
// to "Sweepo.exe" when it is not quoted, then the folder (the rest, blanks around it removed).
struct CleanupCommandParts {
    std::wstring program;
    std::wstring folder;
};
CleanupCommandParts SplitCleanupCommand(const std::wstring& command);

// A folder the uninstaller made for the cleanup's copy: its name starts with the stem, it is no
// link, and it holds nothing but a file named Sweepo.exe (or nothing, when the copy was cut off
// before it began).
bool IsOwnCleanupFolder(const std::wstring& folder);
// Deletes the copy and the folder now, or at the next restart what is in use. False when
// something stays even after the restart.
bool RemoveCleanupFolder(const std::wstring& folder);
// Every such folder directly in `parent`, removed; false when one of them stays.
bool RemoveCleanupFoldersIn(const std::wstring& parent);
