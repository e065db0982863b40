#include "FileIdentity.h"

#include <cstring>

#include "Handle.h"
#include "PathText.h"

namespace {
// FileIdInfo of GetFileInformationByHandleEx (Windows 8 and later; the build targets Windows 7,
// where the call fails and the 64-bit file index serves).
constexpr auto kFileIdInfo = static_cast<FILE_INFO_BY_HANDLE_CLASS>(18);
struct FileIdInfoRecord {
    ULONGLONG volumeSerialNumber;
    BYTE fileId[16];
};

// "\\?\C:\x" is "C:\x", "\\?\UNC\server\share\x" is "\\server\share\x".
std::wstring WithoutLongPrefix(const std::wstring& path)
{
    if (path.compare(0, 8, L"\\\\?\\UNC\\") == 0)
        return L"\\\\" + path.substr(8);
    if (path.compare(0, 4, L"\\\\?\\") == 0)
        return path.substr(4);
    return path;
}

std::wstring FinalPath(HANDLE file)
{
    DWORD size = GetFinalPathNameByHandleW(file, nullptr, 0, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (size == 0)
        return std::wstring();
    std::wstring path(size, L'\0');
    DWORD n = GetFinalPathNameByHandleW(file, &path[0], size, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (n == 0 || n >= size)
        return std::wstring();
    path.resize(n);
    path = WithoutLongPrefix(path);
    while (path.size() > 3 && path.back() == L'\\')
        path.pop_back();
    return path;
}
}  // namespace

bool FileIdentity::operator==(const FileIdentity& other) const
{
    return volume == other.volume && std::memcmp(id, other.id, sizeof id) == 0 &&
           SamePathText(finalPath, other.finalPath);
}

std::optional<FileIdentity> IdentityOf(const std::wstring& path)
{
    // A drive without its medium answers with an error, never with a box asking for it.
    DWORD oldMode = 0;
    const BOOL quiet = SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &oldMode);
    CHandle file(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (quiet)
        SetThreadErrorMode(oldMode, nullptr);
    if (!file)
        return std::nullopt;
    FileIdentity identity;
    // The 128-bit id where the system has it (Windows 8 and later, Wine); the 64-bit file index
    // elsewhere. Both come from the same place on every file system Wine knows.
    FileIdInfoRecord info{};
    if (GetFileInformationByHandleEx(file.Get(), kFileIdInfo, &info, sizeof info)) {
        identity.volume = info.volumeSerialNumber;
        static_assert(sizeof identity.id == sizeof info.fileId, "a file id is 16 bytes");
        std::memcpy(identity.id, info.fileId, sizeof identity.id);
    } else {
        BY_HANDLE_FILE_INFORMATION byHandle{};
        if (!GetFileInformationByHandle(file.Get(), &byHandle))
            return std::nullopt;
        identity.volume = byHandle.dwVolumeSerialNumber;
        const ULONGLONG index = (static_cast<ULONGLONG>(byHandle.nFileIndexHigh) << 32) | byHandle.nFileIndexLow;
        std::memcpy(identity.id, &index, sizeof index);
    }
    identity.finalPath = FinalPath(file.Get());
    if (identity.finalPath.empty())
        return std::nullopt;
    return identity;
}

std::wstring PathLocation::ResolvedPath() const
{
    if (!found)
        return std::wstring();
    std::wstring path = existing.finalPath;
    for (const std::wstring& name : missing) {
        if (path.empty() || path.back() != L'\\')
            path += L'\\';
        path += name;
    }
    return path;
}

PathLocation LocatePath(const std::wstring& path)
{
    PathLocation location;
    const SplitPath split = SplitNormalised(NormalisedFolder(path));
    if (split.root.empty())
        return location;
    for (size_t count = split.names.size() + 1; count-- > 0;) {
        std::optional<FileIdentity> identity = IdentityOf(JoinedPath(split, count));
        if (!identity)
            continue;
        location.found = true;
        location.existing = *identity;
        location.missing.assign(split.names.begin() + static_cast<std::ptrdiff_t>(count), split.names.end());
        return location;
    }
    return location;
}

bool SameLocation(const std::wstring& a, const std::wstring& b) { return SameLocation(LocatePath(a), LocatePath(b)); }

bool SameLocation(const PathLocation& first, const PathLocation& second)
{
    if (!first.found || !second.found || first.existing != second.existing ||
        first.missing.size() != second.missing.size())
        return false;
    for (size_t i = 0; i < first.missing.size(); ++i) {
        if (!SamePathText(first.missing[i], second.missing[i]))
            return false;
    }
    return true;
}

std::vector<FileIdentity> IdentityChain(const std::wstring& path)
{
    std::vector<FileIdentity> chain;
    const SplitPath split = SplitNormalised(NormalisedFolder(path));
    if (split.root.empty())
        return chain;
    for (size_t count = split.names.size() + 1; count-- > 0;) {
        if (std::optional<FileIdentity> identity = IdentityOf(JoinedPath(split, count)))
            chain.push_back(*identity);
    }
    return chain;
}
