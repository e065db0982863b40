#include "CloneHive.h"

#include <cwchar>
#include <vector>

namespace setup {

CCloneHive::CCloneHive() : name_(kCloneHivePrefix + std::to_wstring(GetCurrentProcessId())) {}

CCloneHive::~CCloneHive() { Unload(); }

LONG CCloneHive::Load(const std::wstring& file)
{
    Unload();
    LONG rc = RegLoadKeyW(HKEY_USERS, name_.c_str(), file.c_str());
    loaded_ = rc == ERROR_SUCCESS;
    return rc;
}

void CCloneHive::Unload()
{
    if (loaded_)
        RegUnLoadKeyW(HKEY_USERS, name_.c_str());
    loaded_ = false;
}

void CCloneHive::UnloadLeftovers()
{
    // Process ids are handed out again, so a hive named after a process that runs now can still
    // be a leftover: what tells is the lock, not the name.
    const size_t prefixChars = wcslen(kCloneHivePrefix);
    std::vector<std::wstring> leftovers;
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD chars = 256;
        if (RegEnumKeyExW(HKEY_USERS, index, name, &chars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        if (chars >= prefixChars && _wcsnicmp(name, kCloneHivePrefix, prefixChars) == 0)
            leftovers.emplace_back(name, chars);
    }
    // One that cannot be unloaded (another program has a key of it open) stays; only a restore
    // whose own name it has is kept from loading its hive then, and that fails and says so.
    for (const std::wstring& name : leftovers)
        RegUnLoadKeyW(HKEY_USERS, name.c_str());
}

}  // namespace setup
