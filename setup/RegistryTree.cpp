#include "RegistryTree.h"

#include <string>
#include <vector>

#include "KeyHandle.h"

namespace setup {

namespace {
// A value as stored: its type and bytes.
struct StoredValue {
    std::wstring name;
    DWORD type = 0;
    std::vector<BYTE> data;
    bool operator==(const StoredValue& other) const
    {
        return type == other.type && data == other.data && lstrcmpiW(name.c_str(), other.name.c_str()) == 0;
    }
};

bool ReadValues(HKEY key, std::vector<StoredValue>& values)
{
    for (DWORD index = 0;; ++index) {
        wchar_t name[16384];
        DWORD nameChars = 16384, type = 0, bytes = 0;
        LONG rc = RegEnumValueW(key, index, name, &nameChars, nullptr, &type, nullptr, &bytes);
        if (rc == ERROR_NO_MORE_ITEMS)
            return true;
        if (rc != ERROR_SUCCESS)
            return false;
        StoredValue value{std::wstring(name, nameChars), type, std::vector<BYTE>(bytes)};
        BYTE* data = value.data.empty() ? nullptr : value.data.data();
        if (RegQueryValueExW(key, value.name.c_str(), nullptr, &value.type, data, &bytes) != ERROR_SUCCESS)
            return false;
        value.data.resize(bytes);
        values.push_back(std::move(value));
    }
}

bool ReadSubkeys(HKEY key, std::vector<std::wstring>& names)
{
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD chars = 256;
        LONG rc = RegEnumKeyExW(key, index, name, &chars, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_NO_MORE_ITEMS)
            return true;
        if (rc != ERROR_SUCCESS)
            return false;
        names.emplace_back(name, chars);
    }
}

// Deletes what `target` holds and `source` does not, at every level.
LONG DeleteWhatSourceLacks(HKEY target, HKEY source)
{
    std::vector<StoredValue> values;
    std::vector<std::wstring> subkeys;
    if (!ReadValues(target, values) || !ReadSubkeys(target, subkeys))
        return ERROR_CANTREAD;
    for (const StoredValue& value : values) {
        LONG rc = RegQueryValueExW(source, value.name.c_str(), nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_FILE_NOT_FOUND)
            rc = RegDeleteValueW(target, value.name.c_str());
        if (rc != ERROR_SUCCESS)
            return rc;
    }
    for (const std::wstring& name : subkeys) {
        CKeyHandle from;
        LONG rc = RegOpenKeyExW(source, name.c_str(), 0, KEY_READ, from.Receive());
        if (rc == ERROR_FILE_NOT_FOUND) {
            rc = DeleteSubtree(target, name.c_str());
        } else if (rc == ERROR_SUCCESS) {
            CKeyHandle into;
            rc = RegOpenKeyExW(target, name.c_str(), 0, KEY_ALL_ACCESS, into.Receive());
            if (rc == ERROR_SUCCESS)
                rc = DeleteWhatSourceLacks(into.Get(), from.Get());
        }
        if (rc != ERROR_SUCCESS)
            return rc;
    }
    return ERROR_SUCCESS;
}
}  // namespace

bool SameTree(HKEY expected, HKEY actual)
{
    std::vector<StoredValue> a, b;
    if (!ReadValues(expected, a) || !ReadValues(actual, b) || a.size() != b.size())
        return false;
    for (const StoredValue& value : a) {
        bool found = false;
        for (const StoredValue& other : b)
            found = found || value == other;
        if (!found)
            return false;
    }
    std::vector<std::wstring> subA, subB;
    if (!ReadSubkeys(expected, subA) || !ReadSubkeys(actual, subB) || subA.size() != subB.size())
        return false;
    for (const std::wstring& name : subA) {
        CKeyHandle childA, childB;
        if (RegOpenKeyExW(expected, name.c_str(), 0, KEY_READ, childA.Receive()) != ERROR_SUCCESS ||
            RegOpenKeyExW(actual, name.c_str(), 0, KEY_READ, childB.Receive()) != ERROR_SUCCESS ||
            !SameTree(childA.Get(), childB.Get()))
            return false;
    }
    return true;
}

LONG ReplaceContent(HKEY target, HKEY source)
{
    // RegCopyTreeW writes every value and opens a subkey that is there already instead of
    // making it again, so it changes the existing keys in place.
    LONG rc = RegCopyTreeW(source, nullptr, target);
    if (rc == ERROR_SUCCESS)
        rc = DeleteWhatSourceLacks(target, source);
    if (rc == ERROR_SUCCESS && !SameTree(source, target))
        rc = ERROR_INVALID_DATA;
    return rc;
}

LONG DeleteSubtree(HKEY parent, const wchar_t* name)
{
    LONG rc = RegDeleteTreeW(parent, name);
    return rc == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : rc;
}

}  // namespace setup
