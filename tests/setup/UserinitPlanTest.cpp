// What the install writes to Winlogon "Userinit" and what it keeps for the uninstall.
#include <gtest/gtest.h>

#include "SetupRegistry.h"

namespace {
using setup::PlanUserinit;

const std::wstring kDir = L"C:\\Program Files\\Tiven\\Tiven MAVO";
const std::wstring kSystem = L"C:\\windows\\system32";
const std::wstring kUserinit = L"C:\\windows\\system32\\userinit.exe,";
const std::wstring kExtended = kUserinit + L"," + kDir + L"\\Chimer.exe,";

struct PlanCase {
    const char* what;
    std::optional<std::wstring> current;
    std::optional<std::wstring> saved;
    std::wstring winlogon;
    std::wstring keep;
};

const PlanCase kCases[] = {
    {"first install appends Chimer and saves the old value", kUserinit, std::nullopt, kExtended, kUserinit},
    {"an unreadable value stands for the system's logon program", std::nullopt, std::nullopt, kExtended, kUserinit},
    {"an empty value likewise", std::wstring(), std::nullopt, kExtended, kUserinit},
    {"a reinstall neither appends again nor saves the extended value", kExtended, kUserinit, kExtended, kUserinit},
    {"a reinstall without a saved copy saves the value without Chimer", kExtended, std::nullopt, kExtended,
     kUserinit},
    {"Chimer is recognised whatever the case", L"C:\\windows\\system32\\userinit.exe,,c:\\program files\\tiven\\"
                                               L"tiven mavo\\CHIMER.EXE,",
     L"C:\\x.exe,", L"C:\\windows\\system32\\userinit.exe,,c:\\program files\\tiven\\tiven mavo\\CHIMER.EXE,",
     L"C:\\x.exe,"},
    {"another program in the value stays", L"C:\\a.exe,C:\\b.exe", std::nullopt,
     L"C:\\a.exe,C:\\b.exe," + kDir + L"\\Chimer.exe,", L"C:\\a.exe,C:\\b.exe"},
    {"a Chimer of another folder is not ours", L"C:\\Old\\Chimer.exe,", std::nullopt,
     L"C:\\Old\\Chimer.exe,," + kDir + L"\\Chimer.exe,", L"C:\\Old\\Chimer.exe,"},
};

class UserinitPlan : public ::testing::TestWithParam<PlanCase> {};

TEST_P(UserinitPlan, KeepsTheSystemLogonProgramAndOneChimer)
{
    const PlanCase& c = GetParam();
    setup::UserinitPlan plan = PlanUserinit(c.current, c.saved, kDir, kSystem);
    EXPECT_EQ(plan.winlogon, c.winlogon) << c.what;
    EXPECT_EQ(plan.saved, c.keep) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Table, UserinitPlan, ::testing::ValuesIn(kCases));
}  // namespace
