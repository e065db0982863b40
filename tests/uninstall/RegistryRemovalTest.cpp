// The uninstaller's registry step in this process, on a private HKLM: Chimer taken out of a
// Winlogon "Userinit" of any length and either text type, a "Userinit" that cannot be written
// reported as not done, and the logon cleanup's copy in a folder of its own.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <algorithm>

#include "ImportRedirect.h"
#include "LabelStore.h"
#include "LogonEntries.h"
#include "PurgentApp.h"
#include "ScratchRegistry.h"
#include "TestPaths.h"
#include "UninstallSteps.h"

using testsupport::RegValue;
using testsupport::ScratchRegistry;

namespace {
const std::wstring kWinlogon = kWinlogonPath;
const std::wstring kRun = kRunPath;
const std::wstring kSystemUserinit = L"C:\\windows\\system32\\userinit.exe,";

// The system's logon program and `count` more programs.
std::wstring WithEntries(size_t count)
{
    std::wstring value = kSystemUserinit;
    for (size_t i = 1; i <= count; ++i)
        value += L"C:\\Program Files\\Logon Helpers\\helper" + std::to_wstring(i) + L".exe,";
    return value;
}

void RemoveTree(const std::wstring& folder)
{
    std::vector<std::wstring> paths = testsupport::TreeBelow(folder);
    for (auto path = paths.rbegin(); path != paths.rend(); ++path) {
        if (!RemoveDirectoryW(path->c_str()))
            DeleteFileW(path->c_str());
    }
    RemoveDirectoryW(folder.c_str());
}

std::string Bytes(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "<missing>";
    char buffer[256] = {};
    DWORD read = 0;
    ReadFile(file, buffer, sizeof buffer, &read, nullptr);
    CloseHandle(file);
    return std::string(buffer, read);
}

// The program a command line starts, as the system splits it.
std::wstring StartedProgram(const std::wstring& command)
{
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(command.c_str(), &count);
    std::wstring program = args && count > 0 ? args[0] : L"";
    LocalFree(args);
    return program;
}

class RegistryRemoval : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CreateDirectoryW((installFolder_ + L"\\uninstall").c_str(), nullptr));
        ASSERT_TRUE(CopyFileW(testsupport::BinPath(L"Sweepo.exe").c_str(), InstalledCleanup().c_str(), FALSE));
        plan_.installFolder = installFolder_;
        purge::SetCleanupFolder(plan_, temp_);
        registry_.CreateKey(kRun);
    }
    void TearDown() override
    {
        RemoveTree(installFolder_);
        RemoveTree(temp_);
    }

    void SetUserinit(DWORD type, const std::wstring& text)
    {
        registry_.SetRaw(kWinlogon, L"Userinit", type, text.c_str(), static_cast<DWORD>((text.size() + 1) * 2));
    }
    std::wstring InstalledCleanup() const { return installFolder_ + L"\\uninstall\\Sweepo.exe"; }
    std::wstring Extended(const std::wstring& before) const
    {
        return before + L"," + ChimerEntry(installFolder_) + L",";
    }

    ScratchRegistry registry_;
    std::wstring installFolder_ = testsupport::MakeTempDir(L"Tiven MAVO");
    std::wstring temp_ = testsupport::MakeTempDir(L"SystemTemp");
    purge::UninstallPlan plan_;
};

struct LengthCase {
    const char* what;
    DWORD type;
    std::wstring before;
};

const LengthCase kLengthCases[] = {
    {"the system's logon program alone", REG_SZ, kSystemUserinit},
    {"a value that fits in 1000 bytes only without Chimer's entry", REG_SZ, WithEntries(10)},
    {"a value of over 1000 bytes", REG_SZ, WithEntries(26)},
    {"an expandable value keeps its type", REG_EXPAND_SZ, L"%SystemRoot%\\system32\\userinit.exe," + WithEntries(3)},
};

TEST_F(RegistryRemoval, TakesChimerOutOfAUserinitOfAnyLengthAndKeepsItsType)
{
    for (const LengthCase& c : kLengthCases) {
        SetUserinit(c.type, Extended(c.before));
        purge::RegistryRemoval removal = purge::RemoveRegistryEntries(plan_);
        EXPECT_TRUE(removal.userinitDone) << c.what;
        RegValue after = registry_.Read(kWinlogon, L"Userinit");
        EXPECT_EQ(after.AsString(), c.before) << c.what;
        EXPECT_EQ(after.type, c.type) << c.what;
        EXPECT_EQ(after.Size(), (c.before.size() + 1) * sizeof(wchar_t)) << c.what;
    }
}

using SetValueFn = LONG(WINAPI*)(HKEY, LPCWSTR, DWORD, DWORD, const BYTE*, DWORD);
SetValueFn realSetValue = nullptr;

LONG WINAPI RefuseUserinit(HKEY key, LPCWSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size)
{
    if (name && _wcsicmp(name, L"Userinit") == 0)
        return ERROR_ACCESS_DENIED;
    return realSetValue(key, name, reserved, type, data, size);
}

TEST_F(RegistryRemoval, AUserinitThatCannotBeWrittenIsReportedAsNotDone)
{
    const std::wstring extended = Extended(WithEntries(2));
    SetUserinit(REG_SZ, extended);
    realSetValue = reinterpret_cast<SetValueFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"advapi32.dll"), "RegSetValueExW")));
    purge::RegistryRemoval removal;
    {
        testsupport::ImportRedirect refuse(L"advapi32.dll", "RegSetValueExW", reinterpret_cast<void*>(&RefuseUserinit));
        ASSERT_TRUE(refuse.Active());
        removal = purge::RemoveRegistryEntries(plan_);
    }
    EXPECT_FALSE(removal.userinitDone);
    EXPECT_EQ(registry_.Read(kWinlogon, L"Userinit").AsString(), extended);

    // The step's other work is done all the same.
    EXPECT_FALSE(removal.cleanupProgram.empty());
    EXPECT_TRUE(registry_.Read(kRun, L"TivenMAVO").present);
}

TEST_F(RegistryRemoval, NoUserinitOrOneThatIsNoTextHasNothingToRemove)
{
    purge::RegistryRemoval removal = purge::RemoveRegistryEntries(plan_);
    EXPECT_TRUE(removal.userinitDone);
    EXPECT_FALSE(registry_.Read(kWinlogon, L"Userinit").present);

    DWORD one = 1;
    registry_.SetRaw(kWinlogon, L"Userinit", REG_DWORD, &one, sizeof one);
    removal = purge::RemoveRegistryEntries(plan_);
    EXPECT_TRUE(removal.userinitDone);
    EXPECT_EQ(registry_.Read(kWinlogon, L"Userinit").AsDword(), 1u);
}

TEST_F(RegistryRemoval, TheCleanupRunsFromACopyInAFolderOfItsOwnNeverFromAPlantedFile)
{
    // Anyone may put a file into the TEMP folder under the name an uninstall would use.
    const std::string planted = "planted by another user";
    const std::wstring plantedPath = temp_ + L"\\Sweepo.exe";
    ASSERT_TRUE(testsupport::WriteFileBytes(plantedPath, planted.data(), planted.size()));

    purge::RegistryRemoval removal = purge::RemoveRegistryEntries(plan_);
    RegValue run = registry_.Read(kRun, L"TivenMAVO");
    ASSERT_TRUE(run.present);
    const std::wstring program = StartedProgram(run.AsString());
    EXPECT_EQ(program, removal.cleanupProgram);
    EXPECT_EQ(run.AsString(), L"\"" + program + L"\" " + installFolder_);

    // The copy is the installed program, alone in a new folder under TEMP; the planted file is
    // neither named nor touched.
    const size_t slash = program.rfind(L'\\');
    ASSERT_NE(slash, std::wstring::npos);
    const std::wstring folder = program.substr(0, slash);
    EXPECT_EQ(folder.substr(0, temp_.size() + 13), temp_ + L"\\TivenCleanup");
    EXPECT_EQ(program.substr(slash), L"\\Sweepo.exe");
    EXPECT_EQ(Bytes(program), Bytes(InstalledCleanup()));
    EXPECT_EQ(testsupport::TreeBelow(folder), std::vector<std::wstring>{program});
    EXPECT_EQ(Bytes(plantedPath), planted);

    // A second uninstall makes a folder of its own again, and the earlier one, which its Run
    // value no longer names, goes.
    purge::RegistryRemoval second = purge::RemoveRegistryEntries(plan_);
    EXPECT_FALSE(second.cleanupProgram.empty());
    EXPECT_NE(second.cleanupProgram, program);
    EXPECT_EQ(StartedProgram(registry_.Read(kRun, L"TivenMAVO").AsString()), second.cleanupProgram);
    const std::wstring secondFolder = second.cleanupProgram.substr(0, second.cleanupProgram.rfind(L'\\'));
    std::vector<std::wstring> left = testsupport::TreeBelow(temp_);
    std::sort(left.begin(), left.end());
    std::vector<std::wstring> expected = {plantedPath, secondFolder, second.cleanupProgram};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(left, expected);
}

TEST_F(RegistryRemoval, TheCopiesOfEarlierCutOffRunsGoButFoldersOfOthersStay)
{
    // Left by runs cut off: a copy that no Run value names, one cut off halfway, an empty folder.
    const std::wstring whole = temp_ + L"\\TivenCleanup0000000A", halfway = temp_ + L"\\TivenCleanup0000000B",
                       empty = temp_ + L"\\TivenCleanup0000000C";
    for (const std::wstring& folder : {whole, halfway, empty})
        ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    ASSERT_TRUE(CopyFileW(InstalledCleanup().c_str(), (whole + L"\\Sweepo.exe").c_str(), FALSE));
    ASSERT_TRUE(testsupport::WriteFileBytes(halfway + L"\\Sweepo.exe", "MZ", 2));
    // Not the uninstaller's: a folder holding more, or under another name.
    const std::wstring more = temp_ + L"\\TivenCleanup0000000D", other = temp_ + L"\\OtherCleanup";
    for (const std::wstring& folder : {more, other})
        ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    ASSERT_TRUE(CopyFileW(InstalledCleanup().c_str(), (more + L"\\Sweepo.exe").c_str(), FALSE));
    ASSERT_TRUE(testsupport::WriteFileBytes(more + L"\\notes.txt", "mine", 4));
    ASSERT_TRUE(CopyFileW(InstalledCleanup().c_str(), (other + L"\\Sweepo.exe").c_str(), FALSE));

    purge::RegistryRemoval removal = purge::RemoveRegistryEntries(plan_);
    ASSERT_FALSE(removal.cleanupProgram.empty());
    const std::wstring own = removal.cleanupProgram.substr(0, removal.cleanupProgram.rfind(L'\\'));
    std::vector<std::wstring> left = testsupport::TreeBelow(temp_);
    std::sort(left.begin(), left.end());
    std::vector<std::wstring> expected = {own, removal.cleanupProgram, more, more + L"\\Sweepo.exe",
                                          more + L"\\notes.txt", other, other + L"\\Sweepo.exe"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(left, expected);
}

TEST_F(RegistryRemoval, ACleanupProgramThatIsNotWholeIsNeitherCopiedNorNamed)
{
    // The installed program cut off by a full disk: its start is there, its end is not.
    std::string bytes;
    {
        HANDLE file = CreateFileW(InstalledCleanup().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        bytes.resize(GetFileSize(file, nullptr) / 2);
        DWORD read = 0;
        ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
        CloseHandle(file);
    }
    ASSERT_TRUE(testsupport::WriteFileBytes(InstalledCleanup(), bytes.data(), bytes.size()));

    purge::RegistryRemoval removal = purge::RemoveRegistryEntries(plan_);
    EXPECT_TRUE(removal.cleanupProgram.empty());
    EXPECT_FALSE(registry_.Read(kRun, L"TivenMAVO").present);
    EXPECT_TRUE(testsupport::TreeBelow(temp_).empty());
}

TEST_F(RegistryRemoval, NoRunValueAndNoFolderLeftWhenTheCopyFails)
{
    ASSERT_TRUE(DeleteFileW((installFolder_ + L"\\uninstall\\Sweepo.exe").c_str()));
    const std::string planted = "planted by another user";
    ASSERT_TRUE(testsupport::WriteFileBytes(temp_ + L"\\Sweepo.exe", planted.data(), planted.size()));

    purge::RegistryRemoval removal = purge::RemoveRegistryEntries(plan_);
    EXPECT_TRUE(removal.cleanupProgram.empty());
    EXPECT_FALSE(registry_.Read(kRun, L"TivenMAVO").present);
    EXPECT_EQ(testsupport::TreeBelow(temp_), std::vector<std::wstring>{temp_ + L"\\Sweepo.exe"});

    // Nor when the TEMP folder is not there to make a folder in.
    ASSERT_TRUE(CopyFileW(testsupport::BinPath(L"Sweepo.exe").c_str(), InstalledCleanup().c_str(), FALSE));
    purge::SetCleanupFolder(plan_, temp_ + L"\\missing");
    removal = purge::RemoveRegistryEntries(plan_);
    EXPECT_TRUE(removal.cleanupProgram.empty());
    EXPECT_FALSE(registry_.Read(kRun, L"TivenMAVO").present);
}

TEST(UninstallStatus, AnIncompleteRemovalNeverEndsOnAnEmptyOrTheFinishedText)
{
    CLabelStore none;
    EXPECT_NE(purge::IncompleteText(none).find(L"Chimer"), std::wstring::npos);
    CLabelStore labels;
    labels.Insert(L"REMOVING_FINISHED", L"removed");
    labels.Insert(L"UNINSTALLATION_INCOMPLETE", L"not removed");
    EXPECT_EQ(purge::IncompleteText(labels), L"not removed");
}
}  // namespace
