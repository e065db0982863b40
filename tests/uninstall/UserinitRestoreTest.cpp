// What the uninstall makes of Winlogon "Userinit", and the checks on the folders it removes.
#include <gtest/gtest.h>

#include <optional>

#include "LogonEntries.h"
#include "UninstallSteps.h"

namespace {
const std::wstring kDir = L"C:\\Program Files\\Tiven\\Tiven MAVO";
const std::wstring kChimer = kDir + L"\\Chimer.exe";
const std::wstring kSystem = L"C:\\windows\\system32\\userinit.exe,";

struct RestoreCase {
    const char* what;
    std::optional<std::wstring> current;   // none: the value cannot be read
    std::optional<std::wstring> after;     // none: the value is left as it is
};

const RestoreCase kCases[] = {
    {"one install: the value before it, byte for byte", kSystem + L"," + kChimer + L",", kSystem},
    {"an old value without a trailing comma gets none", L"C:\\w\\userinit.exe," + kChimer + L",",
     L"C:\\w\\userinit.exe"},
    {"Chimer appended twice goes twice", kSystem + L"," + kChimer + L",," + kChimer + L",", kSystem},
    {"another program added after Chimer stays", kSystem + L"," + kChimer + L",,C:\\x\\other.exe,",
     kSystem + L",C:\\x\\other.exe,"},
    {"a program before Chimer stays", L"C:\\windows\\system32\\userinit.exe,C:\\a.exe,," + kChimer + L",",
     L"C:\\windows\\system32\\userinit.exe,C:\\a.exe,"},
    {"letter case and blanks around the entry do not matter",
     kSystem + L", C:\\PROGRAM FILES\\tiven\\Tiven Mavo\\chimer.EXE ,", kSystem},
    {"a value without Chimer is left alone", kSystem + L"C:\\x.exe,", std::nullopt},
    {"a Chimer of another folder is not ours", kSystem + L",C:\\Old\\Chimer.exe,", std::nullopt},
    {"an unreadable value is left alone", std::nullopt, std::nullopt},
    {"nothing but Chimer: the system's logon program comes back", L"," + kChimer + L",", kSystem},
    {"a value that would lose the logon program gets it back", L"C:\\x.exe,," + kChimer + L",", kSystem},
};

void PrintTo(const RestoreCase& c, std::ostream* out) { *out << c.what; }

class UserinitAfterUninstall : public ::testing::TestWithParam<RestoreCase> {};

TEST_P(UserinitAfterUninstall, TakesOutExactlyTheSuitesEntries)
{
    const RestoreCase& c = GetParam();
    std::optional<std::wstring> after = purge::UserinitAfterUninstall(c.current, kDir, kSystem);
    ASSERT_EQ(after.has_value(), c.after.has_value()) << c.what;
    if (after) {
        EXPECT_EQ(*after, *c.after) << c.what;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, UserinitAfterUninstall, ::testing::ValuesIn(kCases));

TEST(UserinitEntries, SetupAndUninstallUndoEachOther)
{
    for (const std::wstring& old : {kSystem, std::wstring(L"C:\\w\\userinit.exe"), std::wstring(L"a,,b,"),
                                    std::wstring(L"C:\\w\\userinit.exe, C:\\x.exe")}) {
        std::wstring extended = old + L"," + ChimerEntry(kDir) + L",";
        bool found = false;
        EXPECT_EQ(UserinitWithoutChimer(extended, kDir, &found), old);
        EXPECT_TRUE(found);
        EXPECT_EQ(UserinitWithoutChimer(old, kDir, &found), old);
        EXPECT_FALSE(found);
    }
}

TEST(UserinitEntries, TheLogonProgramIsFoundByItsFileName)
{
    EXPECT_TRUE(UserinitStartsLogonProgram(L"C:\\WINDOWS\\system32\\USERINIT.EXE,"));
    EXPECT_TRUE(UserinitStartsLogonProgram(L"C:\\a.exe, userinit"));
    EXPECT_FALSE(UserinitStartsLogonProgram(L"C:\\a.exe,C:\\userinit.exe.bak,"));
    EXPECT_FALSE(UserinitStartsLogonProgram(L""));
}

TEST(UninstallFolders, OnlyTheFolderTheUninstallerRunsFromIsRemoved)
{
    const std::wstring own = kDir + L"\\uninstall\\uninstall.exe";
    EXPECT_TRUE(purge::IsOwnInstallFolder(kDir, own));
    EXPECT_TRUE(purge::IsOwnInstallFolder(L"c:\\program files\\TIVEN\\Tiven MAVO", own));
    EXPECT_TRUE(purge::IsOwnInstallFolder(kDir + L"\\.", own));
    EXPECT_FALSE(purge::IsOwnInstallFolder(L"C:\\windows", own));
    EXPECT_FALSE(purge::IsOwnInstallFolder(L"C:\\Program Files\\Tiven", own));
    EXPECT_FALSE(purge::IsOwnInstallFolder(L"", own));
    EXPECT_FALSE(purge::IsOwnInstallFolder(L"Program Files\\Tiven\\Tiven MAVO", own));
    EXPECT_FALSE(purge::IsOwnInstallFolder(kDir, L"C:\\setup\\uninstall\\uninstall.exe"));
}

TEST(UninstallFolders, TheStartMenuFolderIsOneFolderName)
{
    EXPECT_TRUE(purge::IsPlainFolderName(L"Tiven MAVO"));
    for (const wchar_t* name : {L"", L".", L"..", L"..\\..\\Windows", L"a/b", L"C:\\x", L"x\\y"})
        EXPECT_FALSE(purge::IsPlainFolderName(name)) << std::string(name, name + wcslen(name));
}

TEST(UninstallPlan, TheCleanupRunsFromTheTempFolderOrTheDriveRoot)
{
    purge::UninstallPlan plan;
    plan.installFolder = kDir;
    purge::SetCleanupFolder(plan, L"C:\\WINDOWS\\TEMP");
    EXPECT_EQ(plan.cleanupFolder, L"C:\\WINDOWS\\TEMP");
    purge::SetCleanupFolder(plan, L"");
    EXPECT_EQ(plan.cleanupFolder, L"C:");
}

TEST(UninstallPlan, TheCleanupCommandQuotesTheProgramAndKeepsTheFolderAsItIs)
{
    // The cleanup takes the whole rest of its command line as the install folder: no quotes there.
    EXPECT_EQ(purge::CleanupCommand(L"C:\\Documents and Settings\\Temp\\TivenCleanup0A\\Sweepo.exe", kDir),
              L"\"C:\\Documents and Settings\\Temp\\TivenCleanup0A\\Sweepo.exe\" C:\\Program Files\\Tiven\\Tiven MAVO");
}
}  // namespace
