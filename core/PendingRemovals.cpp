#include "PendingRemovals.h"

#include <windows.h>

#include <vector>

#include "KeyHandle.h"

namespace {
// "\??\C:\x" is "C:\x".
std::wstring PlainPath(const std::wstring& path)
{
    return path.compare(0, 4, L"\\??\\") == 0 ? path.substr(4) : path;
}

// The strings of a REG_MULTI_SZ value, the closing empty string left out.
std::vector<std::wstring> Strings(const std::vector<wchar_t>& text)
{
    std::vector<std::wstring> strings;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = pos;
        while (end < text.size() && text[end] != L'\0')
            ++end;
        strings.emplace_back(text.data() + pos, end - pos);
        pos = end + 1;
    }
    while (!strings.empty() && strings.back().empty() && strings.size() % 2 == 1)
        strings.pop_back();
    return strings;
}
}  // namespace

bool TakeBackPendingRemovals(const std::function<bool(const std::wstring& path)>& ours)
{
    CKeyHandle key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSessionManagerPath, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, key.Receive()) !=
        ERROR_SUCCESS)
        return false;
    // Read at its real size, whatever others have put there.
    DWORD type = 0, bytes = 0;
    LONG rc = RegQueryValueExW(key.Get(), kPendingRenamesValue, nullptr, &type, nullptr, &bytes);
    if (rc == ERROR_FILE_NOT_FOUND)
        return true;
    std::vector<wchar_t> text;
    while (rc == ERROR_SUCCESS || rc == ERROR_MORE_DATA) {
        text.assign(bytes / sizeof(wchar_t) + 1, L'\0');
        DWORD size = bytes;
        rc = RegQueryValueExW(key.Get(), kPendingRenamesValue, nullptr, &type, reinterpret_cast<BYTE*>(text.data()),
                              &size);
        if (rc == ERROR_SUCCESS) {
            text.resize(size / sizeof(wchar_t));
            break;
        }
        bytes = size;
    }
    if (rc != ERROR_SUCCESS || type != REG_MULTI_SZ)
        return false;

    const std::vector<std::wstring> strings = Strings(text);
    if (strings.size() % 2 != 0)
        return false;   // not pairs: left as it is
    std::vector<wchar_t> kept;
    bool changed = false;
    for (size_t i = 0; i < strings.size(); i += 2) {
        if (strings[i + 1].empty() && !strings[i].empty() && ours(PlainPath(strings[i]))) {
            changed = true;
            continue;
        }
        for (size_t j = i; j < i + 2; ++j) {
            kept.insert(kept.end(), strings[j].begin(), strings[j].end());
            kept.push_back(L'\0');
        }
    }
    if (!changed)
        return true;
    if (kept.empty())
        return RegDeleteValueW(key.Get(), kPendingRenamesValue) == ERROR_SUCCESS;
    kept.push_back(L'\0');
    return RegSetValueExW(key.Get(), kPendingRenamesValue, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(kept.data()),
                          static_cast<DWORD>(kept.size() * sizeof(wchar_t))) == ERROR_SUCCESS;
}
