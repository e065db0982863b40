#include "CloneRestore.h"

#include <windows.h>
#include <shlwapi.h>

#include <vector>

#include "InstallLog.h"
#include "KeyHandle.h"
#include "KeySecurity.h"
#include "Privilege.h"
#include "RegistryKey.h"

namespace setup {

namespace {
// The new content is put together beside the key, as "<name>.New"; the old key waits as
// "<name>.Old" until the new one has taken its place.
constexpr wchar_t kStagedSuffix[] = L".New";
constexpr wchar_t kPreviousSuffix[] = L".Old";

std::wstring WithError(const std::wstring& text, LONG error)
{
    return text + L" (error " + std::to_wstring(error) + L")";
}

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
        if (RegQueryValueExW(key, value.name.c_str(), nullptr, &value.type, value.data.empty() ? nullptr : value.data.data(),
                             &bytes) != ERROR_SUCCESS)
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

// Every value of `expected` is in `actual` with the same type and data, and so on for every
// subkey, and `actual` holds nothing more.
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

// A hive loaded under HKEY_USERS for as long as the object lives.
class CLoadedHive {
public:
    CLoadedHive(const std::wstring& file, LONG& result)
        : name_(L"TivenClone" + std::to_wstring(GetCurrentProcessId()))
    {
        result = RegLoadKeyW(HKEY_USERS, name_.c_str(), file.c_str());
        loaded_ = result == ERROR_SUCCESS;
    }
    ~CLoadedHive()
    {
        if (loaded_)
            RegUnLoadKeyW(HKEY_USERS, name_.c_str());
    }
    CLoadedHive(const CLoadedHive&) = delete;
    CLoadedHive& operator=(const CLoadedHive&) = delete;
    const std::wstring& Name() const { return name_; }

private:
    std::wstring name_;
    bool loaded_ = false;
};

bool SubkeyExists(HKEY parent, const std::wstring& name)
{
    CKeyHandle key;
    return RegOpenKeyExW(parent, name.c_str(), 0, KEY_READ, key.Receive()) == ERROR_SUCCESS;
}

// The key beside `target` that is to take its place: made new, as the target is made when it is
// new, then given the target's own access list.
LONG CreateStagedKey(HKEY parent, const std::wstring& name, HKEY target, HKEY* staged)
{
    CKeySecurity security;
    if (!security.Descriptor())
        return ERROR_INVALID_SECURITY_DESCR;
    SECURITY_ATTRIBUTES attributes{sizeof attributes, security.Descriptor(), FALSE};
    DWORD disposition = 0;
    LONG rc = RegCreateKeyExW(parent, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, &attributes, staged, &disposition);
    if (rc != ERROR_SUCCESS)
        return rc;
    if (disposition != REG_CREATED_NEW_KEY)
        return ERROR_ALREADY_EXISTS;
    DWORD size = 0;
    rc = RegGetKeySecurity(target, DACL_SECURITY_INFORMATION, nullptr, &size);
    if (rc != ERROR_INSUFFICIENT_BUFFER)
        return rc == ERROR_SUCCESS ? ERROR_INVALID_SECURITY_DESCR : rc;
    std::vector<BYTE> descriptor(size);
    rc = RegGetKeySecurity(target, DACL_SECURITY_INFORMATION, descriptor.data(), &size);
    if (rc == ERROR_SUCCESS)
        rc = RegSetKeySecurity(*staged, DACL_SECURITY_INFORMATION, descriptor.data());
    return rc;
}
}  // namespace

void RestoreClone(const wchar_t* keyPath, const std::wstring& cloneFile, CInstallLog& log)
{
    CRegistryKey registry;
    CKeyHandle created;
    LONG rc = registry.CreateSecuredKey(keyPath, created.Receive());
    created.Reset();
    if (rc != ERROR_SUCCESS) {
        log.Fail(WithError(std::wstring(L"Cannot create ") + keyPath, rc));
        return;
    }
    if (cloneFile.empty())
        return;
    // Loading a hive needs both privileges on some systems; the restore needs the first.
    EnablePrivilege(SE_RESTORE_NAME);
    EnablePrivilege(SE_BACKUP_NAME);

    CLoadedHive hive(cloneFile, rc);
    CKeyHandle source;
    if (rc == ERROR_SUCCESS)
        rc = RegOpenKeyExW(HKEY_USERS, hive.Name().c_str(), 0, KEY_READ, source.Receive());
    if (rc != ERROR_SUCCESS) {
        log.Fail(WithError(L"Cannot read the clone file " + cloneFile, rc));
        return;
    }

    const std::wstring path = keyPath;
    const size_t slash = path.rfind(L'\\');
    const std::wstring parentPath = path.substr(0, slash);
    const std::wstring name = path.substr(slash + 1);
    const std::wstring staged = name + kStagedSuffix;
    const std::wstring previous = name + kPreviousSuffix;
    const std::wstring failed = L"Cannot restore " + cloneFile + L" into " + path;

    CKeyHandle parent, target;
    rc = RegOpenKeyExW(HKEY_LOCAL_MACHINE, parentPath.c_str(), 0, KEY_ALL_ACCESS, parent.Receive());
    if (rc == ERROR_SUCCESS)
        rc = RegOpenKeyExW(parent.Get(), name.c_str(), 0, KEY_READ, target.Receive());
    if (rc != ERROR_SUCCESS) {
        log.Fail(WithError(failed, rc));
        return;
    }
    // Left by a restore that could not finish: it may hold the only copy of older settings.
    if (SubkeyExists(parent.Get(), previous)) {
        log.Fail(failed + L": " + parentPath + L"\\" + previous + L" of an earlier restore is in the way");
        return;
    }

    // The hive's content, copied into a new key beside the old one and checked against the hive.
    // Until that copy is whole, nothing of the old key has changed.
    SHDeleteKeyW(parent.Get(), staged.c_str());   // a partial copy of an earlier try
    CKeyHandle copy;
    rc = CreateStagedKey(parent.Get(), staged, target.Get(), copy.Receive());
    if (rc == ERROR_SUCCESS)
        rc = RegCopyTreeW(source.Get(), nullptr, copy.Get());
    if (rc == ERROR_SUCCESS && !SameTree(source.Get(), copy.Get()))
        rc = ERROR_INVALID_DATA;
    copy.Reset();
    target.Reset();
    if (rc != ERROR_SUCCESS) {
        SHDeleteKeyW(parent.Get(), staged.c_str());
        log.Fail(WithError(failed, rc));
        return;
    }

    // The checked copy takes the key's place; the old key goes only once it has.
    rc = RegRenameKey(parent.Get(), name.c_str(), previous.c_str());
    if (rc != ERROR_SUCCESS) {
        SHDeleteKeyW(parent.Get(), staged.c_str());
        log.Fail(WithError(failed, rc));
        return;
    }
    rc = RegRenameKey(parent.Get(), staged.c_str(), name.c_str());
    if (rc != ERROR_SUCCESS) {
        LONG back = RegRenameKey(parent.Get(), previous.c_str(), name.c_str());
        if (back == ERROR_SUCCESS) {
            SHDeleteKeyW(parent.Get(), staged.c_str());
            log.Fail(WithError(failed, rc));
        } else {
            log.Fail(WithError(failed + L"; the old settings are in " + parentPath + L"\\" + previous, rc));
        }
        return;
    }
    rc = SHDeleteKeyW(parent.Get(), previous.c_str());
    if (rc != ERROR_SUCCESS)
        log.Fail(WithError(L"The clone file " + cloneFile + L" was restored, but the old " + path + L" stays as " +
                               parentPath + L"\\" + previous,
                           rc));
}

}  // namespace setup
