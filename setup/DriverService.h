#pragma once
// The serial touch driver's kernel service.
#include <string>

namespace setup {

class CInstallLog;

inline constexpr wchar_t kSerialServiceName[] = L"RILO";
inline constexpr wchar_t kSerialDriverPath[] = L"System32\\drivers\\rilo.sys";

// Registers RILO as a boot-start kernel driver. A registration that is still there (a second
// install, or an uninstall that waits for its restart) is given this configuration.
void CreateSerialDriverService(CInstallLog& log);

}  // namespace setup
