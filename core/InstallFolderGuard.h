#pragma once
// The folders the suite is never installed into and never removes anything from: a drive's
// root folder, the Windows folder with every folder inside it (the system folders among them),
// and the Program Files folders themselves. The setup refuses them on its folder page; the
// uninstaller and the logon cleanup take the install folder from the product key or their
// command line, which anyone may write, and leave such a folder alone.
#include <string>

#include "PathText.h"

enum class UnsafeFolder {
    None,            // an ordinary folder
    NotAFolder,      // empty, not a full path (relative, "\x", "C:x") or not a valid name
    DriveRoot,       // "C:\", "\\server\share", or another name for a drive's root
    WindowsFolder,   // the Windows folder, a folder inside it, or a folder that holds it
    ProgramFiles,    // a Program Files folder itself, or a folder that holds one
};

// Why `folder` cannot be the install folder; None when it can. A folder is judged by what it
// is, not by how it is spelt: its text first (NormalisedFolder: case, slashes, "..", trailing
// dots and blanks, "\\?\" and "\\.\" prefixes, short names), then the path the system resolves
// it to (links, other drive letters for the same folder) and the identity of the folder and of
// each of its parents (FileIdentity.h), compared with those of the Windows folder, the system
// folders, the Program Files folders and every drive's root.
UnsafeFolder CheckInstallFolder(const std::wstring& folder);
inline bool IsUnsafeInstallFolder(const std::wstring& folder)
{
    return CheckInstallFolder(folder) != UnsafeFolder::None;
}
