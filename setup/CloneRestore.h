#pragma once
// The restore of a clone file (a registry hive of a driver's Parameters key, as the applet's
// settings copy writes it) into that key.
#include <string>

namespace setup {

class CInstallLog;

// Replaces HKLM\`keyPath` by the hive in `cloneFile`. The key is created first (open to
// everyone when new). The hive is loaded under a temporary key and copied into a new key beside
// the target, which is checked against the hive; only then does it take the target's place, and
// the old key goes. A restore that fails at any point leaves the old key as it was and is
// logged.
void RestoreClone(const wchar_t* keyPath, const std::wstring& cloneFile, CInstallLog& log);

}  // namespace setup
