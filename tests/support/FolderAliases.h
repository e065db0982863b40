#pragma once
// Other names for the folders the suite must never be installed into or remove anything from, made
// as a user of the machine can make them: links (a junction on Windows; a Unix symbolic link in
// the prefix's drive under Wine), another drive letter for the system drive, and Wine's Z: names
// of folders of the C: drive. They change the whole prefix: only tests that run in a fresh prefix
// of their own (tools/wine-fresh-run) make them.
#include <string>
#include <vector>

#include "InstallFolderGuard.h"

namespace testsupport {

// The Unix path of a Windows path of the prefix (Wine's wine_get_unix_file_name); empty when it
// has none.
std::string UnixPath(const std::wstring& windowsPath);
// Makes `link` (which must not exist) a symbolic link to the existing folder `target`.
bool MakeFolderLink(const std::wstring& link, const std::wstring& target);
// Makes the drive letter another name for the folder that holds the C: drive.
bool MapDriveToSystemDrive(wchar_t letter);
// "Z:\...\drive_c\x": the name of a folder of the prefix through Wine's drive of the Unix root.
std::wstring UnixRootName(const std::wstring& windowsPath);

// The verdict's name, for failure messages.
const char* UnsafeFolderName(UnsafeFolder verdict);

struct FolderAlias {
    const char* what;
    std::wstring path;
    UnsafeFolder kind;   // what the folder really is
};
// Makes every alias (once per prefix; a second call only lists them): a link to the Windows
// folder, to the drive's root and to Program Files, drive D: for the C: drive with its Windows
// and Program Files folders, and the Z: names of the Windows folder and of the drive's root.
std::vector<FolderAlias> MakeFolderAliases();

}  // namespace testsupport
