#pragma once
// A clone file loaded as a registry hive under HKEY_USERS, named "TivenClone<process id>", for as
// long as the object lives. A restore that is cut off leaves its hive loaded (the system keeps a
// hive until it is unloaded), so the next restore unloads such leftovers first, while it holds
// the restore lock (RestoreLock.h): then no other restore has a hive loaded. Loading and
// unloading need the backup and restore privileges.
#include <windows.h>

#include <string>

namespace setup {

inline constexpr wchar_t kCloneHivePrefix[] = L"TivenClone";

class CCloneHive {
public:
    CCloneHive();
    ~CCloneHive();   // unloads the hive when loaded
    CCloneHive(const CCloneHive&) = delete;
    CCloneHive& operator=(const CCloneHive&) = delete;

    // RegLoadKeyW's result.
    LONG Load(const std::wstring& file);
    void Unload();
    const std::wstring& Name() const { return name_; }

    // Unloads every hive under HKEY_USERS whose name starts with the prefix; only for the holder
    // of the restore lock.
    static void UnloadLeftovers();

private:
    std::wstring name_;
    bool loaded_ = false;
};

}  // namespace setup
