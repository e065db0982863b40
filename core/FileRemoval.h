#pragma once
// Deleting files and folders of the suite: now, or, for what is in use, when the system next
// restarts (MoveFileEx without a target and MOVEFILE_DELAY_UNTIL_REBOOT: the system removes the
// file or empty folder before any program starts). Every operation comes in the wide form and in
// the narrow form (texts in the system code page) of the programs built narrow.
#include <windows.h>

#include <functional>
#include <string>

enum class Removal {
    Gone,        // deleted now, or not there
    Scheduled,   // in use: removed at the next restart
    Failed,      // still there, and the restart cannot remove it either
};

// Sets the file's attributes to archive only (clearing read-only, hidden and system), then
// deletes it. True when it was deleted.
bool DeleteOneFile(const std::wstring& path);
bool DeleteOneFile(const std::string& path);

// Visits the full path of every file that matches `pattern` ("C:\x\*.*", "C:\x\Calib*Labels.xml");
// folders never match, "." and ".." included.
void ForEachMatchingFile(const std::wstring& pattern, const std::function<void(const std::wstring&)>& visit);
void ForEachMatchingFile(const std::string& pattern, const std::function<void(const std::string&)>& visit);

// Deletes every file that matches the pattern (DeleteOneFile).
void DeleteMatchingFiles(const std::wstring& pattern);
void DeleteMatchingFiles(const std::string& pattern);
// Deletes every file directly in the folder; its subfolders stay.
void DeleteFolderFiles(const std::wstring& folder);
void DeleteFolderFiles(const std::string& folder);

// Sets the folder's attributes to archive and removes it: only an empty folder goes. Failures
// are ignored.
void RemoveEmptyFolder(const std::wstring& folder);
void RemoveEmptyFolder(const std::string& folder);

// Removal at the next restart of a file or an (by then empty) folder.
bool RemoveAtRestart(const std::wstring& path);
bool RemoveAtRestart(const std::string& path);

// Deletes the file now; when it cannot be deleted (in use), it is removed at the next restart.
Removal RemoveFileNowOrAtRestart(const std::wstring& path);
// Removes the folder now when it is empty, else at the next restart (by when what it holds has
// been removed, if that was scheduled first).
Removal RemoveFolderNowOrAtRestart(const std::wstring& folder);
