// What the install writes to Winlogon "Userinit" and what it keeps for the uninstall.
#include <gtest/gtest.h>

#include "SetupRegistry.h"

namespace {
using setup::PlanUserinit;

const std::wstring kDir = L"C:\\Program Files\\Tiven\\Tiven MAVO";
const std::wstring kUserinit = L"C:\\windows\\system32\\userinit.exe,";
const std::wstring kExtended = kUserinit + L"," + kDir + L"\\Chimer.exe,";

struct PlanCase {
    const char* what;
    std::optional<std::wstring> current;
    std::optional<std::wstring> saved;
    std::optional<std::wstring> winlogon;   // none: Winlogon is left as it is
    std::wstring keep;
};

// The system's logon program and `count` more programs.
std::wstring WithEntries(size_t count)
{
    std::wstring value = kUserinit;
    for (size_t i = 1; i <= count; ++i)
        value += L"C:\\Program Files\\Logon Helpers\\helper" + std::to_wstring(i) + L".exe,";
    return value;
}

const PlanCase kCases[] = {
    {"first install appends Chimer and saves the old value", kUserinit, std::nullopt, kExtended, kUserinit},
    {"an unreadable value is left as it is", std::nullopt, std::nullopt, std::nullopt, L""},
    {"an empty value starts no logon program: left as it is", std::wstring(), std::nullopt, std::nullopt, L""},
    {"a value without the system's logon program is left as it is", L"C:\\x.exe,", std::nullopt, std::nullopt, L""},
    {"a look-alike of the logon program is not it", L"C:\\userinit.exe.bak,", std::nullopt, std::nullopt, L""},
    {"a reinstall neither appends again nor saves the extended value", kExtended, kUserinit, kExtended, kUserinit},
    {"a reinstall without a saved copy saves the value without Chimer", kExtended, std::nullopt, kExtended,
     kUserinit},
    {"Chimer is recognised whatever the case", L"C:\\windows\\system32\\userinit.exe,,c:\\program files\\tiven\\"
                                               L"tiven mavo\\CHIMER.EXE,",
     L"C:\\x.exe,", L"C:\\windows\\system32\\userinit.exe,,c:\\program files\\tiven\\tiven mavo\\CHIMER.EXE,",
     L"C:\\x.exe,"},
    {"another program in the value stays", L"C:\\windows\\system32\\userinit.exe,C:\\b.exe", std::nullopt,
     L"C:\\windows\\system32\\userinit.exe,C:\\b.exe," + kDir + L"\\Chimer.exe,",
     L"C:\\windows\\system32\\userinit.exe,C:\\b.exe"},
    {"a Chimer of another folder is not ours", kUserinit + L"C:\\Old\\Chimer.exe,", std::nullopt,
     kUserinit + L"C:\\Old\\Chimer.exe,," + kDir + L"\\Chimer.exe,", kUserinit + L"C:\\Old\\Chimer.exe,"},
    {"a long list of logon programs is kept whole", WithEntries(26), std::nullopt,
     WithEntries(26) + L"," + kDir + L"\\Chimer.exe,", WithEntries(26)},
};

class UserinitPlan : public ::testing::TestWithParam<PlanCase> {};

TEST_P(UserinitPlan, KeepsTheSystemLogonProgramAndOneChimer)
{
    const PlanCase& c = GetParam();
    std::optional<setup::UserinitPlan> plan = PlanUserinit(c.current, c.saved, kDir);
    ASSERT_EQ(plan.has_value(), c.winlogon.has_value()) << c.what;
    if (plan) {
        EXPECT_EQ(plan->winlogon, *c.winlogon) << c.what;
        EXPECT_EQ(plan->saved, c.keep) << c.what;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, UserinitPlan, ::testing::ValuesIn(kCases));
}  // namespace
