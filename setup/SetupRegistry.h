#pragma once
// The registry step of the install: the product key with its first values, the logon starts
// (Chimer in Winlogon "Userinit", Beaconet and Segmenta as Run values), the uninstall entry,
// the Mouclass port count and the system's double-click settings.
#include <windows.h>

#include <optional>
#include <string>

#include "LogonEntries.h"

namespace setup {

class CInstallLog;

inline constexpr wchar_t kMouclassParametersPath[] = L"SYSTEM\\CurrentControlSet\\Services\\Mouclass\\Parameters";

// What the install writes for Winlogon "Userinit" and what it keeps as the value to put back
// at the uninstall.
struct UserinitPlan {
    std::wstring winlogon;   // the new Winlogon value
    std::wstring saved;      // the product key's copy of the value before the suite
};

// `current`: the Winlogon value, none when it cannot be read as text; `saved`: the product key's
// copy from an earlier install, if any. None when `current` is none or starts no system logon
// program (userinit.exe): Winlogon is then left as it is, since a value the install made would
// no longer start the system's own logon program, or would lose what the value held. A value
// that already starts Chimer from `installFolder` is kept as it is, and so is an earlier saved
// copy; without one the saved copy is the value with that Chimer entry taken out.
std::optional<UserinitPlan> PlanUserinit(const std::optional<std::wstring>& current,
                                         const std::optional<std::wstring>& saved, const std::wstring& installFolder);

struct RegistryTexts {
    std::wstring installFolder;
    std::wstring languageWord;
    DWORD languageIndex = 0;
    DWORD wireType = 0;
    std::wstring productName;   // label "TIVEN_MAVO"
    std::wstring appletName;    // label "CPL_NAME"
    std::wstring appletInfo;    // label "CPL_INFO"
};

// Which logon programs this install put in place whole. A logon entry is made only for a
// program installed whole: an entry for one whose copy failed would start nothing, or a program
// cut off by a full disk. An entry an earlier install made stays.
struct InstalledLogonPrograms {
    bool chimer = false;     // Winlogon "Userinit"
    bool beaconet = false;   // Run value "BeaconetApplication"
    bool segmenta = false;   // Run value "MultiMonitor Listener"
};

void WriteRegistry(const RegistryTexts& texts, const InstalledLogonPrograms& installed, CInstallLog& log);

}  // namespace setup
