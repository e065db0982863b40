#include "PathText.h"

#include <windows.h>

#include <cwchar>

namespace {
bool IsDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

// "\\?\C:\x" and "\\.\C:\x" name the same folder as "C:\x", "\\?\UNC\s\x" the same as "\\s\x".
std::wstring WithoutDevicePrefix(std::wstring path)
{
    while (path.size() >= 4 && path[0] == L'\\' && path[1] == L'\\' && (path[2] == L'?' || path[2] == L'.') &&
           path[3] == L'\\') {
        path.erase(0, 4);
        if (path.size() >= 4 && CompareStringOrdinal(path.c_str(), 4, L"UNC\\", 4, TRUE) == CSTR_EQUAL)
            path = L"\\\\" + path.substr(4);
    }
    return path;
}

// "X:\..." or "\\server\...": a path that does not depend on the current folder or drive.
bool IsFullPathForm(const std::wstring& path)
{
    if (path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == L':' && path[2] == L'\\')
        return true;
    return path.size() >= 3 && path[0] == L'\\' && path[1] == L'\\' && path[2] != L'\\';
}

bool HasInvalidCharacters(const std::wstring& path)
{
    for (size_t i = 0; i < path.size(); ++i) {
        wchar_t c = path[i];
        if (c < 32 || std::wcschr(L"*?\"<>|", c) || (c == L':' && i != 1))
            return true;
    }
    return false;
}

std::wstring FullPath(const std::wstring& path)
{
    DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return std::wstring();
    std::wstring full(size, L'\0');
    DWORD n = GetFullPathNameW(path.c_str(), size, &full[0], nullptr);
    if (n == 0 || n >= size)
        return std::wstring();
    full.resize(n);
    return full;
}

// The long form of an existing path; empty when it does not exist.
std::wstring LongPath(const std::wstring& path)
{
    DWORD size = GetLongPathNameW(path.c_str(), nullptr, 0);
    if (size == 0)
        return std::wstring();
    std::wstring longer(size, L'\0');
    DWORD n = GetLongPathNameW(path.c_str(), &longer[0], size);
    if (n == 0 || n >= size)
        return std::wstring();
    longer.resize(n);
    return longer;
}

// The names of a full path, each without the trailing dots and blanks the system ignores.
SplitPath Split(const std::wstring& full)
{
    SplitPath split;
    size_t pos = 0;
    if (full[0] == L'\\') {
        // "\\server\share": two names make the root.
        size_t server = full.find(L'\\', 2);
        size_t share = server == std::wstring::npos ? std::wstring::npos : full.find(L'\\', server + 1);
        split.root = full.substr(0, share);
        pos = share;
    } else {
        split.root = full.substr(0, 2);
        pos = 2;
    }
    while (pos != std::wstring::npos && pos < full.size()) {
        size_t end = full.find(L'\\', pos + 1);
        std::wstring name = full.substr(pos + 1, end == std::wstring::npos ? std::wstring::npos : end - pos - 1);
        while (!name.empty() && (name.back() == L'.' || name.back() == L' '))
            name.pop_back();
        if (!name.empty())
            split.names.push_back(name);
        pos = end;
    }
    return split;
}

std::wstring Joined(const SplitPath& split, size_t count)
{
    std::wstring path = split.root;
    for (size_t i = 0; i < count; ++i)
        path += L"\\" + split.names[i];
    return path;
}

// The long form of the deepest folder of the path that exists, with the names below it.
std::wstring WithLongNames(const SplitPath& split)
{
    for (size_t count = split.names.size(); count > 0; --count) {
        std::wstring longer = LongPath(Joined(split, count));
        if (longer.empty())
            continue;
        while (longer.size() > 3 && longer.back() == L'\\')
            longer.pop_back();
        SplitPath rest{longer, {}};
        for (size_t i = count; i < split.names.size(); ++i)
            rest.names.push_back(split.names[i]);
        return Joined(rest, rest.names.size());
    }
    return Joined(split, split.names.size());
}
}  // namespace

bool SamePathText(const std::wstring& a, const std::wstring& b)
{
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

bool PathInside(const std::wstring& inner, const std::wstring& outer)
{
    if (outer.empty() || inner.size() <= outer.size())
        return false;
    size_t cut = outer.back() == L'\\' ? outer.size() - 1 : outer.size();
    return inner[cut] == L'\\' && SamePathText(inner.substr(0, cut), outer.substr(0, cut));
}

bool IsRootPath(const std::wstring& normalised)
{
    if (normalised.size() == 3 && normalised[1] == L':')
        return true;
    if (normalised.compare(0, 2, L"\\\\") != 0)
        return false;
    size_t server = normalised.find(L'\\', 2);
    return server == std::wstring::npos || normalised.find(L'\\', server + 1) == std::wstring::npos;
}

std::wstring NormalisedFolder(const std::wstring& folder)
{
    std::wstring path = folder;
    for (wchar_t& c : path) {
        if (c == L'/')
            c = L'\\';
    }
    path = WithoutDevicePrefix(path);
    if (!IsFullPathForm(path) || HasInvalidCharacters(path))
        return std::wstring();
    std::wstring full = FullPath(path);
    if (!IsFullPathForm(full))
        return std::wstring();
    SplitPath split = Split(full);
    if (split.root.size() == 2 && split.root[0] >= L'a' && split.root[0] <= L'z')
        split.root[0] = static_cast<wchar_t>(split.root[0] - L'a' + L'A');
    std::wstring normalised = WithLongNames(split);
    return normalised.size() == 2 ? normalised + L"\\" : normalised;
}

SplitPath SplitNormalised(const std::wstring& normalised)
{
    if (normalised.empty())
        return SplitPath();
    return Split(normalised);
}

std::wstring JoinedPath(const SplitPath& split, size_t count)
{
    std::wstring path = Joined(split, count);
    return path.size() == 2 && path[1] == L':' ? path + L"\\" : path;
}
