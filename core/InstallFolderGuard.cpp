#include "InstallFolderGuard.h"

#include <windows.h>
#include <shlobj.h>

#include <initializer_list>
#include <optional>
#include <vector>

#include "FileIdentity.h"

namespace {
std::wstring FolderFrom(UINT(WINAPI* get)(LPWSTR, UINT))
{
    std::wstring folder(MAX_PATH, L'\0');
    UINT n = get(&folder[0], MAX_PATH);
    if (n >= MAX_PATH) {
        folder.assign(n, L'\0');
        n = get(&folder[0], n);
        if (n >= folder.size())
            return std::wstring();
    }
    folder.resize(n);
    return folder;
}

std::wstring Environment(const wchar_t* name)
{
    DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0)
        return std::wstring();
    std::wstring value(size, L'\0');
    DWORD n = GetEnvironmentVariableW(name, &value[0], size);
    if (n == 0 || n >= size)
        return std::wstring();
    value.resize(n);
    return value;
}

std::wstring SpecialFolder(int csidl)
{
    wchar_t folder[MAX_PATH] = {};   // the call writes at most MAX_PATH characters
    return SHGetSpecialFolderPathW(nullptr, folder, csidl, FALSE) ? std::wstring(folder) : std::wstring();
}

std::vector<std::wstring> Normalised(std::initializer_list<std::wstring> folders)
{
    std::vector<std::wstring> result;
    for (const std::wstring& folder : folders) {
        std::wstring normalised = NormalisedFolder(folder);
        if (!normalised.empty())
            result.push_back(normalised);
    }
    return result;
}

// The Windows folder and the system folders (normally inside it, but checked on their own).
std::vector<std::wstring> WindowsFolders()
{
    return Normalised({FolderFrom(GetWindowsDirectoryW), FolderFrom(GetSystemWindowsDirectoryW),
                       FolderFrom(GetSystemDirectoryW), FolderFrom(GetSystemWow64DirectoryW)});
}

// Both Program Files folders where a 64-bit system has two, as the shell and the environment
// name them.
std::vector<std::wstring> ProgramFilesFolders()
{
    return Normalised({SpecialFolder(CSIDL_PROGRAM_FILES), SpecialFolder(CSIDL_PROGRAM_FILESX86),
                       Environment(L"ProgramFiles"), Environment(L"ProgramFiles(x86)"), Environment(L"ProgramW6432")});
}

std::vector<std::wstring> DriveRoots()
{
    std::vector<std::wstring> roots;
    wchar_t drives[26 * 4 + 1] = {};
    DWORD n = GetLogicalDriveStringsW(26 * 4, drives);
    if (n == 0 || n > 26 * 4)
        return roots;
    for (const wchar_t* root = drives; *root; root += wcslen(root) + 1)
        roots.emplace_back(root);
    return roots;
}

// The rules on the text of a normalised path.
UnsafeFolder CheckText(const std::wstring& normalised)
{
    if (IsRootPath(normalised))
        return UnsafeFolder::DriveRoot;
    for (const std::wstring& windows : WindowsFolders()) {
        if (SamePathText(normalised, windows) || PathInside(normalised, windows) || PathInside(windows, normalised))
            return UnsafeFolder::WindowsFolder;
    }
    for (const std::wstring& programFiles : ProgramFilesFolders()) {
        if (SamePathText(normalised, programFiles) || PathInside(programFiles, normalised))
            return UnsafeFolder::ProgramFiles;
    }
    return UnsafeFolder::None;
}

bool Contains(const std::vector<FileIdentity>& identities, const FileIdentity& identity)
{
    for (const FileIdentity& other : identities) {
        if (other == identity)
            return true;
    }
    return false;
}

std::vector<FileIdentity> Identities(const std::vector<std::wstring>& folders)
{
    std::vector<FileIdentity> identities;
    for (const std::wstring& folder : folders) {
        if (std::optional<FileIdentity> identity = IdentityOf(folder))
            identities.push_back(*identity);
    }
    return identities;
}

// The identities of the folders and of every parent of each.
std::vector<FileIdentity> Holders(const std::vector<std::wstring>& folders)
{
    std::vector<FileIdentity> holders;
    for (const std::wstring& folder : folders) {
        std::vector<FileIdentity> chain = IdentityChain(folder);
        holders.insert(holders.end(), chain.begin(), chain.end());
    }
    return holders;
}

// The rules on what the folder is: the folder itself (when it exists) is no drive's root, no
// Windows or system folder and none of their parents, no Program Files folder and none of its
// parents; and no existing folder above it is the Windows folder or a system folder.
UnsafeFolder CheckIdentity(const std::wstring& normalised, const PathLocation& location)
{
    const std::vector<std::wstring> windowsFolders = WindowsFolders();
    const std::vector<FileIdentity> windows = Identities(windowsFolders);
    if (location.missing.empty()) {
        const FileIdentity& folder = location.existing;
        if (Contains(Identities(DriveRoots()), folder))
            return UnsafeFolder::DriveRoot;
        if (Contains(Holders(windowsFolders), folder))
            return UnsafeFolder::WindowsFolder;
        if (Contains(Holders(ProgramFilesFolders()), folder))
            return UnsafeFolder::ProgramFiles;
    }
    std::vector<FileIdentity> above = IdentityChain(normalised);
    if (location.missing.empty() && !above.empty())
        above.erase(above.begin());   // the folder itself, checked above
    for (const FileIdentity& parent : above) {
        if (Contains(windows, parent))
            return UnsafeFolder::WindowsFolder;
    }
    return UnsafeFolder::None;
}
}  // namespace

UnsafeFolder CheckInstallFolder(const std::wstring& folder)
{
    const std::wstring normalised = NormalisedFolder(folder);
    if (normalised.empty())
        return UnsafeFolder::NotAFolder;
    UnsafeFolder verdict = CheckText(normalised);
    if (verdict != UnsafeFolder::None)
        return verdict;
    const PathLocation location = LocatePath(normalised);
    if (!location.found)
        return UnsafeFolder::None;   // not even its drive exists: nothing there to harm
    // Where the system really leads the path: through links and other drive letters.
    verdict = CheckText(NormalisedFolder(location.ResolvedPath()));
    if (verdict != UnsafeFolder::None)
        return verdict;
    return CheckIdentity(normalised, location);
}
