#pragma once
// Whether two paths lead to the same file or folder, however they are spelt: another drive
// letter for the same folder, a link (a junction on Windows, a symbolic link under Wine), a
// short name, "..", slashes, case. The setup and the uninstaller act on folders that a product
// key anyone may write names, so they compare what a path leads to, never its text alone.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// What the file system says a file or folder is, read from a handle opened on it (no access
// rights asked, every sharing allowed, FILE_FLAG_BACKUP_SEMANTICS so folders open too): its
// volume serial number and file id, and its final path, the path the system resolves the
// handle to. Two identities are the same file only when all three agree: Wine gives every
// pseudo file system (tmpfs, /proc) volume serial 0 and small file ids, so two different
// folders can share serial and id.
struct FileIdentity {
    ULONGLONG volume = 0;
    BYTE id[16] = {};
    std::wstring finalPath;   // "C:\x\y" or "\\server\share\x"

    bool operator==(const FileIdentity& other) const;
    bool operator!=(const FileIdentity& other) const { return !(*this == other); }
};

// The identity of an existing file or folder; none when it cannot be opened.
std::optional<FileIdentity> IdentityOf(const std::wstring& path);

// Where a full path leads: the deepest part of it that exists, and the names below that part
// which do not exist (yet). `found` is false when the path is no full path or not even its
// root exists.
struct PathLocation {
    bool found = false;
    FileIdentity existing;
    std::vector<std::wstring> missing;

    // The path as the system resolves it: the existing part's final path and the missing names.
    std::wstring ResolvedPath() const;
};
PathLocation LocatePath(const std::wstring& path);

// True when both paths lead to the same place: the same existing file or folder, or the same
// existing folder with the same names (compared without regard to case) below it.
bool SameLocation(const std::wstring& a, const std::wstring& b);
bool SameLocation(const PathLocation& a, const PathLocation& b);

// The identities of the folder and of each of its parents, from the folder up to its root, as
// the path names them; the parts that do not exist are left out.
std::vector<FileIdentity> IdentityChain(const std::wstring& path);
