// Runs cut off as by a power loss (TerminateProcess at a milestone the test waits for: a file,
// a value or a pending removal appearing, or a call the program makes, where it is ended as the
// call begins), then the next run: it mends what it finds, and the
// end is what an uninterrupted run leaves. Each case prints a row of the table
// "[cutoff-table] | what | where | state found | next run | final state |".
#include <gtest/gtest.h>

#include <cstdio>

#include "CallCutOff.h"
#include "InstallManifest.h"
#include "SetupRun.h"
#include "TestPaths.h"
#include "InstalledSuite.h"
#include "UninstallRun.h"

using namespace uninstalltest;
using setuptest::FileBytes;
using setuptest::FileExists;
using setuptest::kProductKey;
using setuptest::kWinlogonKey;
using setuptest::SystemUserinit;
using testsupport::CallCutOff;
using testsupport::ScratchRegistry;
using testsupport::TestProcess;

namespace {
std::string Joined(const std::vector<std::wstring>& items)
{
    std::string text;
    for (const std::wstring& item : items)
        text += (text.empty() ? "" : "; ") + Narrow(item);
    return text.empty() ? "nothing" : text;
}

void TableRow(const char* what, const char* where, const std::string& found, const char* next,
              const std::string& final)
{
    std::printf("[cutoff-table] | %s | %s | %s | %s | %s |\n", what, where, found.c_str(), next, final.c_str());
}

class CutOff : public InstalledSuite {
protected:
    // What of the suite is there, against an uninterrupted uninstall (which leaves nothing).
    std::vector<std::wstring> SuiteLeft() const
    {
        std::vector<std::wstring> left;
        if (FileExists(InstallFolder()))
            left.push_back(L"the install folder");
        for (const wchar_t* key : {kProductKey, kUninstallKey, kSerialServiceKey})
            if (registry_.KeyExists(key))
                left.push_back(key);
        for (const wchar_t* name : {L"BeaconetApplication", L"MultiMonitor Listener", L"TivenMAVO"})
            if (registry_.Read(kRunKey, name).present)
                left.push_back(std::wstring(L"Run value ") + name);
        if (Userinit() != SystemUserinit())
            left.push_back(L"Userinit " + Userinit());
        for (const std::wstring& folder : CleanupFolders())
            left.push_back(folder);
        return left;
    }

    // What differs from an uninterrupted install: a file missing or not the setup folder's, a
    // logon entry that names no installed program or names Chimer more than once.
    std::vector<std::wstring> InstallDiffers() const
    {
        std::vector<std::wstring> differs;
        for (const InstalledFile& file : InstalledProgramFiles(InstallFolder(), L"English")) {
            if (!FileExists(file.target) ||
                FileBytes(file.target) != FileBytes(setuptest::SetupFolder() + L"\\" + file.source))
                differs.push_back(file.target);
            if (FileExists(PartialCopyName(file.target)))
                differs.push_back(PartialCopyName(file.target));
        }
        if (Userinit() != SystemUserinit() + L"," + InstallFolder() + L"\\Chimer.exe,")
            differs.push_back(L"Userinit " + Userinit());
        for (const wchar_t* name : {L"BeaconetApplication", L"MultiMonitor Listener"}) {
            const std::wstring program = RunValueProgram(registry_.Read(kRunKey, name).AsString());
            if (program.empty() || !FileExists(program))
                differs.push_back(std::wstring(L"Run value ") + name);
        }
        if (registry_.Read(kRunKey, L"TivenMAVO").present)
            differs.push_back(L"Run value TivenMAVO");
        if (!FileExists(RunValueProgram(registry_.Read(kUninstallKey, L"UninstallString").AsString())))
            differs.push_back(L"the uninstall entry");
        return differs;
    }

    // The next logon's cleanup, as the system runs it (when a Run value names it), and the
    // restart after it.
    void RestartAndLogOn()
    {
        ASSERT_TRUE(Restart());
        if (registry_.Read(kRunKey, L"TivenMAVO").present) {
            EXPECT_EQ(RunCleanupAtLogon(), 0);
        }
        ASSERT_TRUE(Restart());
    }

};

TEST_F(CutOff, AnInstallAfterAnUninstallCutOffOnceItsCleanupWasScheduledSurvivesTheRestartAndTheLogon)
{
    TestProcess uninstall;
    ASSERT_TRUE(StartUninstallerAndConfirm(uninstall));
    // (A run that ends before the check sees the milestone leaves the same: both are there.)
    const bool cut = testsupport::KillAtMilestone(uninstall, [&] {
        return registry_.Read(kRunKey, L"TivenMAVO").present && !PendingRemovals().empty();
    }, kRunDeadlineMs);
    ASSERT_TRUE(registry_.Read(kRunKey, L"TivenMAVO").present);
    const std::string found = std::to_string(PendingRemovals().size()) + " removals pending, cleanup named";

    std::string output;
    ASSERT_TRUE(Install(&output)) << output;
    EXPECT_NE(output.find("Completed Successfully"), std::string::npos) << output;
    // The new install took the old removal back: nothing of its own waits for the restart.
    EXPECT_TRUE(PendingRemovals().empty()) << Joined(PendingRemovals());
    EXPECT_FALSE(registry_.Read(kRunKey, L"TivenMAVO").present);
    EXPECT_TRUE(CleanupFolders().empty()) << Joined(CleanupFolders());

    ASSERT_NO_FATAL_FAILURE(RestartAndLogOn());
    const std::vector<std::wstring> differs = InstallDiffers();
    EXPECT_TRUE(differs.empty()) << Joined(differs);
    TableRow("uninstall", cut ? "cleanup named, removals pending (killed)" : "ended before the kill", found,
             "setup: took back the removals and the cleanup, installed", "restart and logon: " + Joined(differs) +
             " differs from an uninterrupted install");
}

TEST_F(CutOff, AnUninstallCutOffAtItsCleanupCopyLeavesNoCopyBehind)
{
    // Cut off as it names its cleanup: the copy is made, the Run value not yet written.
    CallCutOff uninstall({L"advapi32.dll", "RegSetValueExW", 1,
                          [](const std::wstring& name) { return lstrcmpiW(name.c_str(), L"TivenMAVO") == 0; }});
    ASSERT_TRUE(uninstall.Start(L"\"" + Uninstaller() + L"\"", setuptest::WindowsFolder()));
    ASSERT_TRUE(ConfirmUninstall(uninstall.Pid()));
    ASSERT_TRUE(uninstall.WaitCut(kRunDeadlineMs)) << "the uninstaller did not name its cleanup";
    ASSERT_EQ(CleanupFolders().size(), 1u) << Joined(CleanupFolders());
    ASSERT_FALSE(registry_.Read(kRunKey, L"TivenMAVO").present);
    const std::string found = "1 cleanup folder, Run value not written";

    // The user installs again and uninstalls, as one would after a failed removal.
    std::string output;
    ASSERT_TRUE(Install(&output)) << output;
    UninstallRun run = RunUninstaller();
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.status, kFinished);
    // Only the copy the new Run value names is left.
    ASSERT_EQ(CleanupFolders(), std::vector<std::wstring>{CleanupProgramFolder()}) << Joined(CleanupFolders());
    ASSERT_NO_FATAL_FAILURE(RestartAndLogOn());
    const std::vector<std::wstring> left = SuiteLeft();
    EXPECT_TRUE(left.empty()) << Joined(left);
    TableRow("uninstall", "naming its cleanup, the copy made (killed)", found,
             "setup, then uninstall: removed the earlier copy", "restart and logon: " + Joined(left) + " left");
}

TEST_F(CutOff, AnUninstallCutOffAfterItsCleanupWasNamedIsFinishedByItsNextRun)
{
    // Cut off as it deletes the product key, its last step: the cleanup is named, the rest of
    // the registry and the files are done, the product key is still there.
    CallCutOff uninstall({L"shlwapi.dll", "SHDeleteKeyW", 1,
                          [](const std::wstring& key) { return lstrcmpiW(key.c_str(), kProductKey) == 0; }});
    ASSERT_TRUE(uninstall.Start(L"\"" + Uninstaller() + L"\"", setuptest::WindowsFolder()));
    ASSERT_TRUE(ConfirmUninstall(uninstall.Pid()));
    ASSERT_TRUE(uninstall.WaitCut(kRunDeadlineMs)) << "the uninstaller did not delete the product key";
    ASSERT_TRUE(registry_.Read(kRunKey, L"TivenMAVO").present);
    ASSERT_TRUE(registry_.KeyExists(kProductKey));
    const std::string found = "cleanup named, product key kept, " + Joined(SuiteLeft()) + " left";

    // The product key goes last, so the uninstaller can simply be run again.
    UninstallRun run = RunUninstaller();
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.status, kFinished);
    EXPECT_TRUE(run.boxTexts.empty()) << Narrow(run.boxTexts.front());
    ASSERT_NO_FATAL_FAILURE(RestartAndLogOn());
    const std::vector<std::wstring> left = SuiteLeft();
    EXPECT_TRUE(left.empty()) << Joined(left);
    TableRow("uninstall", "deleting the product key, its last step (killed)", found, "uninstall again: removed",
             "restart and logon: " + Joined(left) + " left");
}

TEST_F(CutOff, ASetupCutOffWhileItCopiesIsFinishedByItsNextRunAndLeavesNoPartialFile)
{
    // A second install over the first, cut off as it puts its whole copy of Segmenta.exe in
    // place: the copy is there under its partial name, the real name is the earlier install's.
    const std::wstring partial = PartialCopyName(InstallFolder() + L"\\Segmenta.exe");
    CallCutOff setup({L"kernel32.dll", "MoveFileExW", 0,
                      [&](const std::wstring& from) { return lstrcmpiW(from.c_str(), partial.c_str()) == 0; }});
    ASSERT_TRUE(setup.Start(L"\"" + setuptest::SetupProgram() + L"\" -s -en -eig", setuptest::WindowsFolder()));
    ASSERT_TRUE(setup.WaitCut(kRunDeadlineMs)) << "the setup did not put Segmenta.exe in place";
    const std::string source = FileBytes(setuptest::SetupFolder() + L"\\setup\\exes\\Segmenta.exe");
    const std::string found = std::string("Segmenta.exe ") +
                              (FileBytes(InstallFolder() + L"\\Segmenta.exe") == source ? "whole" : "NOT whole") +
                              ", its copy beside it " + (FileBytes(partial) == source ? "whole" : "NOT whole");
    // What the cut left under the real names is whole: the earlier install's files.
    for (const InstalledFile& file : InstalledProgramFiles(InstallFolder(), L"English"))
        EXPECT_EQ(FileBytes(file.target), FileBytes(setuptest::SetupFolder() + L"\\" + file.source))
            << Narrow(file.target);
    EXPECT_TRUE(FileExists(partial));

    std::string output;
    ASSERT_TRUE(Install(&output)) << output;
    std::vector<std::wstring> differs = InstallDiffers();
    EXPECT_TRUE(differs.empty()) << Joined(differs);

    // And the uninstall then removes everything, a partial file left beside a program included.
    ASSERT_TRUE(testsupport::WriteFileBytes(partial, "cut", 3));
    UninstallRun run = RunUninstaller();
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.status, kFinished);
    ASSERT_NO_FATAL_FAILURE(RestartAndLogOn());
    const std::vector<std::wstring> left = SuiteLeft();
    EXPECT_TRUE(left.empty()) << Joined(left);
    TableRow("setup (second install)", "putting its copy of Segmenta.exe in place (killed)", found,
             "setup again: installed",
             Joined(differs) + " differs from an uninterrupted install; after the uninstall " + Joined(left) + " left");
}
}  // namespace
