#pragma once
// The restore of a clone file (a registry hive of a driver's Parameters key, as the applet's
// settings copy writes it) into that key.
#include <windows.h>

#include <string>

namespace setup {

class CInstallLog;

// The restore's copies, in one key beside the parameters key, "<name>.Restore": "New" holds the
// clone's content, checked against the hive; "Old" the key's content from before, checked
// against the key. Its value "Step" says what the parameters key holds, so the next restore can
// mend what one that was cut off left: missing (or any other number), the key is untouched;
// Replacing, the key is being changed and "Old" is whole; Replaced, the key holds the whole new
// content.
inline constexpr wchar_t kRestoreCopiesSuffix[] = L".Restore";
inline constexpr wchar_t kRestoreNewKey[] = L"New";
inline constexpr wchar_t kRestoreOldKey[] = L"Old";
inline constexpr wchar_t kRestoreStepValue[] = L"Step";
inline constexpr DWORD kRestoreStepReplacing = 1;
inline constexpr DWORD kRestoreStepReplaced = 2;

// Replaces the content of HKLM\`keyPath` (its values and subkeys) by the hive in `cloneFile`,
// keeping the key itself, so handles open on it read the new content. The key is created first
// (open to everyone when new). Restores take turns (RestoreLock.h); each first unloads the hives
// and mends the copies that one cut off left (the old content back when the key was being
// changed). The hive is copied into "New" and checked, the key's content into "Old", and only then
// is the key changed in place; on any failure the old content comes back from "Old", the install
// fails and the log says why.
void RestoreClone(const wchar_t* keyPath, const std::wstring& cloneFile, CInstallLog& log);

}  // namespace setup
