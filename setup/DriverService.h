#pragma once
// The serial touch driver's kernel service, and the restore of a clone file (a registry hive
// of a driver's Parameters key, as the applet's settings copy writes it) into that key.
#include <string>

namespace setup {

class CInstallLog;

inline constexpr wchar_t kSerialServiceName[] = L"RILO";
inline constexpr wchar_t kSerialDriverPath[] = L"System32\\drivers\\rilo.sys";

// Registers RILO as a boot-start kernel driver. A registration that is still there (a second
// install, or an uninstall that waits for its restart) is given this configuration.
void CreateSerialDriverService(CInstallLog& log);

// Replaces the content of HKLM\`keyPath` by the hive in `cloneFile`: the key is created (open
// to everyone when new), the hive is loaded under a temporary key, the key is emptied, the
// hive copied into it, and the result checked against the hive. A file that cannot be loaded
// leaves the key as it was.
void RestoreClone(const wchar_t* keyPath, const std::wstring& cloneFile, CInstallLog& log);

}  // namespace setup
