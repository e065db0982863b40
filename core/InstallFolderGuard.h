#pragma once
// The folders the suite is never installed into and never removes anything from: a drive's
// root folder, the Windows folder with every folder inside it (the system folders among them),
// and the Program Files folders themselves. The setup refuses them on its folder page; the
// uninstaller and the logon cleanup take the install folder from the product key or their
// command line, which anyone may write, and leave such a folder alone.
#include <string>

enum class UnsafeFolder {
    None,            // an ordinary folder
    NotAFolder,      // empty, not a full path (relative, "\x", "C:x") or not a valid name
    DriveRoot,       // "C:\", "\\server\share"
    WindowsFolder,   // the Windows folder, a folder inside it, or a folder that holds it
    ProgramFiles,    // a Program Files folder itself, or a folder that holds one
};

// Why `folder` cannot be the install folder; None when it can. Paths compare as the system
// compares them: without regard to case, with "." and "..", forward slashes, repeated and
// trailing backslashes, trailing dots and blanks of a name, "\\?\" and "\\.\" prefixes and the
// short names of existing folders resolved.
UnsafeFolder CheckInstallFolder(const std::wstring& folder);
inline bool IsUnsafeInstallFolder(const std::wstring& folder)
{
    return CheckInstallFolder(folder) != UnsafeFolder::None;
}

// The form CheckInstallFolder compares: the full, long path without a trailing backslash (but
// "C:\" for a root). Empty when `folder` is no full path.
std::wstring NormalisedFolder(const std::wstring& folder);
