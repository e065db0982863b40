// The installed uninstaller in a fresh prefix: after a silent install and a logon it removes the
// registry entries, stops the logon programs, deletes the files (what is in use at the restart)
// and leaves the rest to the logon cleanup; then the restart and the cleanup leave nothing.
// Also: Winlogon "Userinit" in the states others may leave it in, a planted product key, a second
// run, a No, and a program that does not end.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "InstallManifest.h"
#include "SetupRun.h"
#include "TestNames.h"
#include "TestPaths.h"
#include "UninstallRun.h"

using namespace uninstalltest;
using setuptest::FileBytes;
using setuptest::FileExists;
using setuptest::kProductKey;
using setuptest::kWinlogonKey;
using setuptest::PrepareWindowsState;
using setuptest::SystemUserinit;
using testsupport::RegValue;
using testsupport::ScratchRegistry;

namespace {
class Uninstall : public ::testing::Test {
protected:
    void InstallOnce(const wchar_t* userinit)
    {
        PrepareWindowsState(registry_, userinit);
        std::string output;
        ASSERT_TRUE(Install(&output)) << output;
    }

    ScratchRegistry registry_{ScratchRegistry::RealPrefix};
};

TEST_F(Uninstall, RemovesTheSuiteAndTheRestartAndTheCleanupLeaveNothing)
{
    const std::wstring dir = InstallFolder();
    ASSERT_NO_FATAL_FAILURE(InstallOnce(SystemUserinit().c_str()));
    LogonPrograms programs;
    ASSERT_TRUE(StartLogonPrograms(programs));

    UninstallRun run = RunUninstaller();
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_TRUE(run.confirmAsked);
    EXPECT_TRUE(run.progressShown);
    EXPECT_EQ(run.status, kFinished);
    EXPECT_TRUE(run.boxTexts.empty()) << Narrow(run.boxTexts.front());
    EXPECT_TRUE(run.restartAsked);

    // The registry: product, driver and uninstall keys gone; Userinit as before the install.
    for (const wchar_t* key : {kProductKey, setuptest::kSerialParameters, kSerialServiceKey, kUninstallKey,
                               L"SYSTEM\\CurrentControlSet\\Services\\mavomavo"})
        EXPECT_FALSE(registry_.KeyExists(key)) << Narrow(key);
    RegValue userinit = registry_.Read(kWinlogonKey, L"Userinit");
    EXPECT_EQ(userinit.type, static_cast<DWORD>(REG_SZ));
    const std::wstring before = SystemUserinit();
    EXPECT_EQ(userinit.bytes, std::vector<BYTE>(reinterpret_cast<const BYTE*>(before.c_str()),
                                                reinterpret_cast<const BYTE*>(before.c_str() + before.size() + 1)));
    for (const wchar_t* name : {L"BeaconetApplication", L"MultiMonitor Listener", L"BeepApplication"})
        EXPECT_FALSE(registry_.Read(kRunKey, name).present) << Narrow(name);
    // The cleanup runs from a copy in a folder of its own under the system TEMP folder, named in
    // quotes, then the install folder as it is.
    RegValue cleanup = registry_.Read(kRunKey, L"TivenMAVO");
    EXPECT_EQ(cleanup.type, static_cast<DWORD>(REG_EXPAND_SZ));
    const std::wstring copy = CleanupProgram();
    const std::wstring copyFolder = CleanupProgramFolder();
    ASSERT_FALSE(copy.empty()) << Narrow(cleanup.AsString());
    EXPECT_EQ(cleanup.AsString(), L"\"" + copy + L"\" " + dir);
    EXPECT_EQ(_wcsnicmp(copyFolder.c_str(), (SystemTemp() + L"\\TivenCleanup").c_str(), SystemTemp().size() + 13), 0)
        << Narrow(copyFolder);
    EXPECT_EQ(testsupport::TreeBelow(copyFolder), std::vector<std::wstring>{copy});

    // The logon programs were stopped before their files went.
    DWORD code = 0;
    EXPECT_TRUE(programs.segmenta.WaitExit(code, 0)) << "Segmenta still runs";
    EXPECT_TRUE(programs.chimer.WaitExit(code, 0)) << "Chimer still runs";
    EXPECT_TRUE(programs.beaconet.WaitExit(code, 0)) << "Beaconet still runs";

    // Now: everything but the running uninstaller and its labels is gone; they, their folder and
    // the install folder go at the restart. The cleanup has its own copy where the Run value
    // names it.
    const std::wstring labels = dir + L"\\uninstall\\UnInstallMAVO.xml";
    EXPECT_EQ(Sorted(testsupport::TreeBelow(dir)), Sorted({dir + L"\\uninstall", Uninstaller(), labels}));
    EXPECT_EQ(PendingRemovals(), (std::vector<std::wstring>{Uninstaller(), labels, dir + L"\\uninstall", dir}));
    for (const InstalledFile& file : InstalledSystemFiles(setuptest::WindowsFolder(), L"English"))
        EXPECT_FALSE(FileExists(file.target)) << Narrow(file.target);
    EXPECT_FALSE(FileExists(StartMenuFolder()));
    EXPECT_EQ(FileBytes(copy), FileBytes(setuptest::SetupFolder() + L"\\setup\\uninstall\\Sweepo.exe"));

    // The restart, then the next logon's cleanup: nothing of the suite is left.
    ASSERT_TRUE(Restart());
    EXPECT_FALSE(FileExists(dir));
    EXPECT_EQ(RunCleanupAtLogon(), 0);
    EXPECT_FALSE(FileExists(L"C:\\Program Files\\Tiven"));
    EXPECT_FALSE(registry_.Read(kRunKey, L"TivenMAVO").present);
    // The cleanup cannot delete itself while it runs: its copy, then its folder, go at the next
    // restart.
    EXPECT_EQ(PendingRemovals(), (std::vector<std::wstring>{copy, copyFolder}));
    ASSERT_TRUE(Restart());
    EXPECT_FALSE(FileExists(copy));
    EXPECT_FALSE(FileExists(copyFolder));
    EXPECT_TRUE(PendingRemovals().empty());
}

// Winlogon "Userinit" in the states an install, the user or another program leave it in.
struct UserinitCase {
    const char* what;
    int installs;
    // Applied after the installs, before the uninstall.
    std::function<void(ScratchRegistry&)> change;
    // Winlogon "Userinit" after the uninstall; none: missing.
    std::function<std::optional<std::wstring>()> expected;
};

void SetUserinit(ScratchRegistry& registry, const std::wstring& text)
{
    registry.SetRaw(kWinlogonKey, L"Userinit", REG_SZ, text.c_str(),
                    static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

const UserinitCase kUserinitCases[] = {
    {"after two installs", 2, [](ScratchRegistry&) {},
     [] { return std::optional<std::wstring>(SystemUserinit()); }},
    {"a missing value stays missing", 1,
     [](ScratchRegistry& registry) {
         HKEY key = nullptr;
         RegOpenKeyExW(HKEY_LOCAL_MACHINE, kWinlogonKey, 0, KEY_SET_VALUE, &key);
         RegDeleteValueW(key, L"Userinit");
         RegCloseKey(key);
         (void)registry;
     },
     [] { return std::optional<std::wstring>(); }},
    {"a value without Chimer stays as it is", 1,
     [](ScratchRegistry& registry) { SetUserinit(registry, L"C:\\custom\\userinit.exe,C:\\other.exe"); },
     [] { return std::optional<std::wstring>(L"C:\\custom\\userinit.exe,C:\\other.exe"); }},
    {"a planted product-key copy never reaches Winlogon", 1,
     [](ScratchRegistry& registry) {
         registry.SetString(kProductKey, L"Userinit", L"C:\\Users\\Public\\planted.exe,");
     },
     [] { return std::optional<std::wstring>(SystemUserinit()); }},
    {"what another program added after the install stays", 1,
     [](ScratchRegistry& registry) {
         SetUserinit(registry, registry.Read(kWinlogonKey, L"Userinit").AsString() + L",C:\\x\\other.exe,");
     },
     [] { return std::optional<std::wstring>(SystemUserinit() + L",C:\\x\\other.exe,"); }},
};

class UninstallUserinit : public ::testing::TestWithParam<UserinitCase> {
protected:
    ScratchRegistry registry_{ScratchRegistry::RealPrefix};
};

void PrintTo(const UserinitCase& c, std::ostream* out) { *out << c.what; }

TEST_P(UninstallUserinit, RestoresWinlogonExactly)
{
    const UserinitCase& c = GetParam();
    PrepareWindowsState(registry_, SystemUserinit().c_str());
    for (int i = 0; i < c.installs; ++i) {
        std::string output;
        ASSERT_TRUE(Install(&output)) << output;
    }
    c.change(registry_);
    UninstallRun run = RunUninstaller();
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.status, kFinished);
    EXPECT_FALSE(registry_.KeyExists(kProductKey));

    RegValue value = registry_.Read(kWinlogonKey, L"Userinit");
    std::optional<std::wstring> expected = c.expected();
    ASSERT_EQ(value.present, expected.has_value()) << c.what << ": " << Narrow(value.AsString());
    if (expected) {
        EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ)) << c.what;
        EXPECT_EQ(value.AsString(), *expected) << c.what;
        EXPECT_EQ(value.Size(), (expected->size() + 1) * sizeof(wchar_t)) << c.what;
    }
}

INSTANTIATE_TEST_SUITE_P(States, UninstallUserinit, ::testing::ValuesIn(kUserinitCases),
                         [](const ::testing::TestParamInfo<UserinitCase>& info) {
                             return testsupport::CaseName(info.param.what);
                         });

TEST_F(Uninstall, ASecondRunFindsNothingToRemoveAndChangesNothing)
{
    ASSERT_NO_FATAL_FAILURE(InstallOnce(SystemUserinit().c_str()));
    ASSERT_TRUE(RunUninstaller().ended);
    const std::vector<std::wstring> pending = PendingRemovals();
    const std::wstring cleanup = registry_.Read(kRunKey, L"TivenMAVO").AsString();

    UninstallRun second = RunUninstaller();
    ASSERT_TRUE(second.ended);
    EXPECT_EQ(second.exitCode, 0u);
    ASSERT_EQ(second.boxTexts.size(), 1u);
    EXPECT_EQ(second.boxTexts[0], kCannotComplete);
    EXPECT_FALSE(second.restartAsked);
    EXPECT_EQ(second.status, L"");
    EXPECT_EQ(PendingRemovals(), pending);
    EXPECT_EQ(registry_.Read(kRunKey, L"TivenMAVO").AsString(), cleanup);
    EXPECT_EQ(registry_.Read(kWinlogonKey, L"Userinit").AsString(), SystemUserinit());
}

TEST_F(Uninstall, NoChangesNothing)
{
    ASSERT_NO_FATAL_FAILURE(InstallOnce(SystemUserinit().c_str()));
    UninstallAnswers answers;
    answers.confirm = IDNO;
    UninstallRun run = RunUninstaller(answers);
    ASSERT_TRUE(run.ended);
    EXPECT_TRUE(run.confirmAsked);
    EXPECT_FALSE(run.progressShown);
    EXPECT_TRUE(registry_.KeyExists(kProductKey));
    EXPECT_TRUE(registry_.KeyExists(kUninstallKey));
    EXPECT_TRUE(registry_.Read(kRunKey, L"BeaconetApplication").present);
    EXPECT_FALSE(registry_.Read(kRunKey, L"TivenMAVO").present);
    EXPECT_FALSE(registry_.KeyExists(L"SYSTEM\\CurrentControlSet\\Services\\mavomavo"));
    EXPECT_TRUE(FileExists(InstallFolder() + L"\\Chimer.exe"));
    EXPECT_TRUE(PendingRemovals().empty());
}

TEST_F(Uninstall, AnotherFolderNamedInTheProductKeyIsNotTouched)
{
    ASSERT_NO_FATAL_FAILURE(InstallOnce(SystemUserinit().c_str()));
    // Anyone may write the product key: a folder it names is not the suite's install folder.
    const std::wstring decoy = L"C:\\users\\Public\\Decoy";
    for (const wchar_t* sub : {L"", L"\\xml", L"\\uninstall"})
        ASSERT_TRUE(CreateDirectoryW((decoy + sub).c_str(), nullptr));
    for (const wchar_t* file : {L"\\Chimer.exe", L"\\xml\\kept.xml", L"\\uninstall\\uninstall.exe"})
        ASSERT_TRUE(testsupport::WriteFileBytes(decoy + file, "x", 1));
    registry_.SetString(kProductKey, L"Tiven Installed Path", decoy);

    UninstallRun run = RunUninstaller();
    ASSERT_TRUE(run.ended);
    ASSERT_EQ(run.boxTexts.size(), 1u);
    EXPECT_EQ(run.boxTexts[0], kCannotComplete);
    EXPECT_FALSE(run.restartAsked);
    EXPECT_EQ(testsupport::TreeBelow(decoy).size(), 5u);
    EXPECT_TRUE(registry_.KeyExists(kProductKey));
    EXPECT_TRUE(registry_.Read(kRunKey, L"MultiMonitor Listener").present);
    EXPECT_TRUE(FileExists(InstallFolder() + L"\\Chimer.exe"));
    EXPECT_TRUE(PendingRemovals().empty());
}

TEST_F(Uninstall, AProductKeyNamingADriveRootOrTheWindowsFolderRemovesNothingAndSaysWhy)
{
    ASSERT_NO_FATAL_FAILURE(InstallOnce(SystemUserinit().c_str()));
    const std::wstring windows = setuptest::WindowsFolder();
    std::wstring lower = windows;
    CharLowerBuffW(&lower[0], static_cast<DWORD>(lower.size()));
    // Each as the product key may name it; the uninstaller runs from that folder's uninstall
    // folder, as it would after an install there.
    for (const std::wstring& folder : {std::wstring(L"C:\\"), windows, lower + L"\\"}) {
        PlantedFolder planted{folder, {}, {}};
        ASSERT_TRUE(planted.Plant()) << Narrow(folder);
        registry_.SetString(kProductKey, L"Tiven Installed Path", folder);

        UninstallRun run = RunUninstaller({}, planted.Uninstaller());
        EXPECT_TRUE(run.ended) << Narrow(folder);
        EXPECT_TRUE(run.progressShown) << Narrow(folder);
        EXPECT_EQ(run.boxTexts, std::vector<std::wstring>{std::wstring(kFolderRefused) + L"\n\n" + folder})
            << Narrow(folder);
        EXPECT_EQ(run.status, L"") << Narrow(folder);
        EXPECT_FALSE(run.restartAsked) << Narrow(folder);
        for (const std::wstring& file : planted.files)
            EXPECT_TRUE(FileExists(file)) << Narrow(file);
        EXPECT_TRUE(PendingRemovals().empty()) << Narrow(folder);
        EXPECT_TRUE(registry_.KeyExists(kProductKey)) << Narrow(folder);
        EXPECT_TRUE(registry_.KeyExists(kUninstallKey)) << Narrow(folder);
        EXPECT_FALSE(registry_.Read(kRunKey, L"TivenMAVO").present) << Narrow(folder);
        EXPECT_TRUE(FileExists(InstallFolder() + L"\\Chimer.exe")) << Narrow(folder);
        planted.Remove();
    }
}

TEST_F(Uninstall, AFileTheSetupDidNotPutInTheUninstallFolderStays)
{
    const std::wstring dir = InstallFolder();
    ASSERT_NO_FATAL_FAILURE(InstallOnce(SystemUserinit().c_str()));
    const std::wstring notes = dir + L"\\uninstall\\notes.txt";
    ASSERT_TRUE(testsupport::WriteFileBytes(notes, "mine", 4));

    UninstallRun run = RunUninstaller();
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.status, kFinished);
    EXPECT_TRUE(FileExists(notes));
    EXPECT_EQ(FileBytes(notes), "mine");
    // What the setup put there is gone, or goes at the restart.
    const std::wstring labels = dir + L"\\uninstall\\UnInstallMAVO.xml";
    EXPECT_EQ(Sorted(testsupport::TreeBelow(dir)), Sorted({dir + L"\\uninstall", Uninstaller(), labels, notes}));
    EXPECT_EQ(PendingRemovals(), (std::vector<std::wstring>{Uninstaller(), labels, dir + L"\\uninstall", dir}));
}

TEST_F(Uninstall, AProgramThatDoesNotEndIsRemovedAtTheRestartAndTheDialogWaitsMeanwhile)
{
    const std::wstring dir = InstallFolder();
    ASSERT_NO_FATAL_FAILURE(InstallOnce(SystemUserinit().c_str()));
    LogonPrograms programs;
    ASSERT_TRUE(StartLogonPrograms(programs, true));

    UninstallAnswers answers;
    answers.closeWhileRunning = true;
    UninstallRun run = RunUninstaller(answers);
    ASSERT_TRUE(run.ended);
    ASSERT_TRUE(run.closedWhileRunning) << "the removal ended before the close came";
    EXPECT_TRUE(run.closeRefused);
    EXPECT_EQ(run.status, kFinished);
    EXPECT_TRUE(run.restartAsked);

    EXPECT_TRUE(programs.segmenta.Running());
    DWORD code = 0;
    EXPECT_TRUE(programs.chimer.WaitExit(code, 0));
    EXPECT_TRUE(programs.beaconet.WaitExit(code, 0));
    const std::wstring labels = dir + L"\\uninstall\\UnInstallMAVO.xml";
    EXPECT_EQ(PendingRemovals(), (std::vector<std::wstring>{Uninstaller(), labels, dir + L"\\uninstall",
                                                            dir + L"\\Segmenta.exe", dir}));
    EXPECT_EQ(Sorted(testsupport::TreeBelow(dir)),
              Sorted({dir + L"\\uninstall", Uninstaller(), labels, dir + L"\\Segmenta.exe"}));
}
}  // namespace
