// The uninstaller and the logon cleanup judge the install folder by what it is and remove only
// what the setup put there: other names for a system folder (links, another drive letter, Wine's
// Z: names) remove nothing and say why; a user's files in the suite's folders stay with their
// folders; and every spelling of the real folder in the product key either removes Chimer from
// Winlogon "Userinit" and says "removed", or changes nothing and says it cannot be completed.
#include <gtest/gtest.h>

#include <algorithm>

#include "FolderAliases.h"
#include "InstallManifest.h"
#include "SetupRun.h"
#include "TestNames.h"
#include "TestPaths.h"
#include "InstalledSuite.h"
#include "UninstallRun.h"

using namespace uninstalltest;
using setuptest::FileBytes;
using setuptest::FileExists;
using setuptest::kProductKey;
using setuptest::kWinlogonKey;
using setuptest::SystemUserinit;
using testsupport::ScratchRegistry;

namespace {
using UninstallFolders = InstalledSuite;

std::wstring Sweepo() { return setuptest::SetupFolder() + L"\\setup\\uninstall\\Sweepo.exe"; }

TEST_F(UninstallFolders, AnotherNameForASystemFolderRemovesNothingAndSaysWhyAndTheCleanupLeavesItAlone)
{
    const std::vector<testsupport::FolderAlias> aliases = testsupport::MakeFolderAliases();
    ASSERT_FALSE(aliases.empty()) << "the aliases could not be made";
    const std::wstring userinit = Userinit();
    for (const testsupport::FolderAlias& alias : aliases) {
        // The uninstaller as an install into that folder would have left it, named by the key.
        PlantedFolder planted{alias.path, {}, {}};
        ASSERT_TRUE(planted.Plant()) << alias.what;
        registry_.SetString(kProductKey, L"Tiven Installed Path", alias.path);

        UninstallRun run = RunUninstaller({}, planted.Uninstaller());
        EXPECT_TRUE(run.ended) << alias.what;
        EXPECT_EQ(run.boxTexts, std::vector<std::wstring>{std::wstring(kFolderRefused) + L"\n\n" + alias.path})
            << alias.what;
        EXPECT_EQ(run.status, L"") << alias.what;
        EXPECT_FALSE(run.restartAsked) << alias.what;
        for (const std::wstring& file : planted.files)
            EXPECT_TRUE(FileExists(file)) << alias.what << ": " << Narrow(file);
        EXPECT_TRUE(PendingRemovals().empty()) << alias.what;
        EXPECT_TRUE(registry_.KeyExists(kProductKey)) << alias.what;
        EXPECT_FALSE(registry_.Read(kRunKey, L"TivenMAVO").present) << alias.what;
        EXPECT_EQ(Userinit(), userinit) << alias.what;

        // The logon cleanup given that folder on its command line removes nothing either (the
        // product key names the real folder again, so the cleanup does not take it for one the
        // suite was installed into again).
        registry_.SetString(kProductKey, L"Tiven Installed Path", InstallFolder());
        EXPECT_EQ(testsupport::RunAndWait(L"\"" + Sweepo() + L"\" " + alias.path), 0) << alias.what;
        for (const std::wstring& file : planted.files)
            EXPECT_TRUE(FileExists(file)) << alias.what << ": " << Narrow(file);
        EXPECT_TRUE(PendingRemovals().empty()) << alias.what;
        planted.Remove();
    }
    EXPECT_TRUE(FileExists(InstallFolder() + L"\\Chimer.exe"));
}

TEST_F(UninstallFolders, AUsersFilesStayWithTheirFoldersAndNothingTheSetupInstalledIsLeft)
{
    const std::wstring dir = InstallFolder();
    const std::wstring menu = StartMenuFolder();
    const std::vector<std::wstring> planted = {dir + L"\\help\\my notes.txt", dir + L"\\xml\\MAVOMineLabels.xml",
                                               dir + L"\\wave\\mine.wav", dir + L"\\uninstall\\mine.txt",
                                               menu + L"\\notes.txt"};
    for (const std::wstring& file : planted)
        ASSERT_TRUE(testsupport::WriteFileBytes(file, "mine", 4)) << Narrow(file);
    // Another program's link in the Start-menu folder.
    const std::wstring otherLink = menu + L"\\Notepad.lnk";
    ASSERT_TRUE(setuptest::WriteLink(otherLink, setuptest::WindowsFolder() + L"\\notepad.exe"));

    UninstallRun run = RunUninstaller();
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.status, kFinished);
    EXPECT_TRUE(run.boxTexts.empty()) << Narrow(run.boxTexts.front());
    ASSERT_TRUE(Restart());
    EXPECT_EQ(RunCleanupAtLogon(), 0);
    ASSERT_TRUE(Restart());

    for (const std::wstring& file : planted)
        EXPECT_EQ(FileBytes(file), "mine") << Narrow(file);
    EXPECT_TRUE(setuptest::ReadLink(otherLink).loaded);
    // What is left is the user's files and the folders that hold them, nothing of the setup's.
    std::vector<std::wstring> expected = {dir + L"\\help", dir + L"\\xml", dir + L"\\wave", dir + L"\\uninstall"};
    for (const std::wstring& file : planted) {
        if (file.compare(0, dir.size(), dir) == 0)
            expected.push_back(file);
    }
    EXPECT_EQ(Sorted(testsupport::TreeBelow(dir)), Sorted(expected));
    EXPECT_EQ(Sorted(testsupport::TreeBelow(menu)), Sorted({menu + L"\\notes.txt", otherLink}));
    for (const std::wstring& file : InstalledProgramTargetsOfEveryLanguage(dir))
        EXPECT_FALSE(FileExists(file)) << Narrow(file);
    for (const InstalledFile& file : InstalledSystemFiles(setuptest::WindowsFolder(), L"English"))
        EXPECT_FALSE(FileExists(file.target)) << Narrow(file.target);
    EXPECT_FALSE(registry_.KeyExists(kProductKey));
    EXPECT_EQ(Userinit(), SystemUserinit());
}

// "Tiven Installed Path" as anyone may rewrite it: other spellings of the real folder, and one
// that is no full path. The uninstaller starts in "c:\", as its Start-menu link starts it.
struct SpellingCase {
    const char* what;
    std::wstring (*folder)();
    bool removes;
};

std::wstring ShortSpelling()
{
    wchar_t shorter[MAX_PATH] = {};
    GetShortPathNameW(InstallFolder().c_str(), shorter, MAX_PATH);
    return shorter;
}

std::wstring Replaced(std::wstring text, wchar_t from, wchar_t to)
{
    std::replace(text.begin(), text.end(), from, to);
    return text;
}

const SpellingCase kSpellings[] = {
    {"as installed", [] { return InstallFolder(); }, true},
    {"with a trailing backslash", [] { return InstallFolder() + L"\\"; }, true},
    {"by its short name", ShortSpelling, true},
    {"with forward slashes", [] { return Replaced(InstallFolder(), L'\\', L'/'); }, true},
    {"in mixed case", [] { return std::wstring(L"c:\\PROGRAM files\\tiven\\TIVEN mavo"); }, true},
    {"relative to the drive's current folder", [] { return std::wstring(L"C:Program Files\\Tiven\\Tiven MAVO"); },
     false},
};

class UninstallSpelling : public UninstallFolders, public ::testing::WithParamInterface<SpellingCase> {};

void PrintTo(const SpellingCase& c, std::ostream* out) { *out << c.what; }

TEST_P(UninstallSpelling, TakesChimerOutOfUserinitAndSaysRemovedOrChangesNothing)
{
    const SpellingCase& c = GetParam();
    const std::wstring installed = Userinit();
    ASSERT_NE(installed, SystemUserinit());
    const std::wstring folder = c.folder();
    if (c.folder == ShortSpelling) {
        ASSERT_NE(folder, InstallFolder()) << "the install folder has no short name";
    }
    registry_.SetString(kProductKey, L"Tiven Installed Path", folder);

    UninstallAnswers answers;
    answers.workDir = L"C:\\";
    UninstallRun run = RunUninstaller(answers);
    ASSERT_TRUE(run.ended) << c.what;
    if (c.removes) {
        EXPECT_EQ(run.status, kFinished) << c.what;
        EXPECT_TRUE(run.boxTexts.empty()) << c.what << ": " << Narrow(run.boxTexts.front());
        EXPECT_EQ(Userinit(), SystemUserinit()) << c.what;
        EXPECT_FALSE(registry_.KeyExists(kProductKey)) << c.what;
        // The cleanup is given the folder as the system names it.
        EXPECT_EQ(registry_.Read(kRunKey, L"TivenMAVO").AsString(),
                  L"\"" + CleanupProgram() + L"\" " + InstallFolder()) << c.what;
    } else {
        EXPECT_EQ(run.boxTexts, std::vector<std::wstring>{kCannotComplete}) << c.what;
        EXPECT_EQ(run.status, L"") << c.what;
        EXPECT_FALSE(run.restartAsked) << c.what;
        EXPECT_EQ(Userinit(), installed) << c.what;
        EXPECT_TRUE(registry_.KeyExists(kProductKey)) << c.what;
        EXPECT_TRUE(registry_.Read(kRunKey, L"MultiMonitor Listener").present) << c.what;
        EXPECT_FALSE(registry_.Read(kRunKey, L"TivenMAVO").present) << c.what;
        EXPECT_TRUE(FileExists(InstallFolder() + L"\\Chimer.exe")) << c.what;
        EXPECT_TRUE(PendingRemovals().empty()) << c.what;
    }
}

INSTANTIATE_TEST_SUITE_P(Spellings, UninstallSpelling, ::testing::ValuesIn(kSpellings),
                         [](const ::testing::TestParamInfo<SpellingCase>& info) {
                             return testsupport::CaseName(info.param.what);
                         });
}  // namespace
