// The logon cleanup Sweepo on install folders left in the states an uninstall leaves them in,
// with its Run value in the prefix's registry. It is started from the build's bin folder, not
// through its Run value, so it never schedules its own removal here.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <vector>

#include "ScratchRegistry.h"
#include "TestPaths.h"
#include "TestProcess.h"

using testsupport::ScratchRegistry;

namespace {
const std::wstring kParent = L"C:\\Program Files\\Tiven";
const std::wstring kDir = kParent + L"\\Tiven MAVO";
constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kSessionManager[] = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager";

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring Lower(std::wstring text)
{
    CharLowerBuffW(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

// Each folder comes before what it holds in the listing: removed from its end, it is empty.
void RemoveTree(const std::wstring& folder)
{
    std::vector<std::wstring> paths = testsupport::TreeBelow(folder);
    for (auto path = paths.rbegin(); path != paths.rend(); ++path) {
        SetFileAttributesW(path->c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!RemoveDirectoryW(path->c_str()))
            DeleteFileW(path->c_str());
    }
    RemoveDirectoryW(folder.c_str());
}

// Entries ending in "\" are folders; a leading "!" makes a file read-only.
void Make(const std::vector<std::wstring>& entries)
{
    for (std::wstring entry : entries) {
        bool readOnly = entry[0] == L'!';
        if (readOnly)
            entry = entry.substr(1);
        std::wstring path = kParent + L"\\" + entry;
        for (size_t slash = path.find(L'\\', 3); slash != std::wstring::npos; slash = path.find(L'\\', slash + 1))
            CreateDirectoryW(path.substr(0, slash).c_str(), nullptr);
        if (entry.back() == L'\\')
            continue;
        ASSERT_TRUE(testsupport::WriteFileBytes(path, "x", 1));
        if (readOnly)
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    }
}

struct CleanupCase {
    const char* what;
    std::vector<std::wstring> before;   // below C:\Program Files\Tiven
    std::vector<std::wstring> after;    // what is left there
};

const CleanupCase kCases[] = {
    {"everything the uninstall left goes, with the folders",
     {L"Tiven MAVO\\uninstall\\uninstall.exe", L"Tiven MAVO\\uninstall\\UnInstallMAVO.xml",
      L"Tiven MAVO\\uninstall\\devcon.exe", L"Tiven MAVO\\help\\MAVOHelpEnglish.chm",
      L"Tiven MAVO\\help\\MAVOHelpJapanese.chm", L"Tiven MAVO\\wave\\default.wav",
      L"Tiven MAVO\\xml\\CalibEnglishLabels.xml", L"Tiven MAVO\\xml\\GXEnglishLabels.xml",
      L"Tiven MAVO\\xml\\BeaconetEnglishLabels.xml", L"Tiven MAVO\\xml\\MAVOEnglishLabels.xml",
      L"Tiven MAVO\\Gesturo.exe", L"Tiven MAVO\\Aimwell.exe", L"Tiven MAVO\\RenkaCPL.exe",
      L"Tiven MAVO\\Beaconet.exe", L"Tiven MAVO\\Segmenta.exe", L"Tiven MAVO\\Chimer.exe"},
     {}},
    {"the labels of one language only", {L"Tiven MAVO\\xml\\CalibKoreanLabels.xml",
                                         L"Tiven MAVO\\xml\\MAVOKoreanLabels.xml"},
     {}},
    {"a read-only hidden program is deleted all the same", {L"!Tiven MAVO\\Chimer.exe"}, {}},
    {"another folder beside the install folder keeps the parent", {L"Tiven MAVO\\Aimwell.exe", L"Other\\"},
     {L"Other"}},
    {"a subfolder of the uninstall folder stays, and so do its parents",
     {L"Tiven MAVO\\uninstall\\sub\\", L"Tiven MAVO\\uninstall\\devcon.exe", L"Tiven MAVO\\Gesturo.exe"},
     {L"Tiven MAVO", L"Tiven MAVO\\uninstall", L"Tiven MAVO\\uninstall\\sub"}},
    // Only what the setup installs goes: a file of the user's stays, and so does its folder.
    {"a file the setup did not install stays with its folders",
     {L"Tiven MAVO\\uninstall\\any name.dat", L"Tiven MAVO\\uninstall\\Sweepo.exe", L"Tiven MAVO\\help\\MAVOHelp.hlp",
      L"Tiven MAVO\\help\\MAVOHelpKorean.chm", L"Tiven MAVO\\wave\\mine.wav", L"Tiven MAVO\\wave\\default.wav",
      L"Tiven MAVO\\xml\\MAVOMineLabels.xml", L"Tiven MAVO\\Chimer.exe", L"Tiven MAVO\\Chimer.bak"},
     {L"Tiven MAVO", L"Tiven MAVO\\Chimer.bak", L"Tiven MAVO\\help", L"Tiven MAVO\\help\\MAVOHelp.hlp",
      L"Tiven MAVO\\uninstall", L"Tiven MAVO\\uninstall\\any name.dat", L"Tiven MAVO\\wave", L"Tiven MAVO\\wave\\mine.wav",
      L"Tiven MAVO\\xml", L"Tiven MAVO\\xml\\MAVOMineLabels.xml"}},
    {"a file that is no label file stays in its folder", {L"Tiven MAVO\\xml\\notes.txt"},
     {L"Tiven MAVO", L"Tiven MAVO\\xml", L"Tiven MAVO\\xml\\notes.txt"}},
};

// What is left below `folder`, as paths relative to it, sorted.
std::vector<std::wstring> Left(const std::wstring& folder)
{
    std::vector<std::wstring> left;
    for (const std::wstring& path : testsupport::TreeBelow(folder))
        left.push_back(path.substr(folder.size() + 1));
    std::sort(left.begin(), left.end());
    return left;
}

// The install folder's parent and the Run value "TivenMAVO", set up and taken away again.
class CleanupFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        RemoveTree(kParent);
        registry_.SetString(kRunKey, L"TivenMAVO", L"C:\\windows\\temp\\Sweepo.exe " + kDir);
        pendingBefore_ = registry_.Read(kSessionManager, L"PendingFileRenameOperations").bytes;
    }
    void TearDown() override
    {
        RemoveTree(kParent);
        HKEY run = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_SET_VALUE, &run) == ERROR_SUCCESS) {
            RegDeleteValueW(run, L"TivenMAVO");
            RegCloseKey(run);
        }
    }

    long RunSweepo(const std::wstring& arguments)
    {
        return testsupport::RunAndWait(L"\"" + testsupport::BinPath(L"Sweepo.exe") + L"\" " + arguments);
    }

    ScratchRegistry registry_{ScratchRegistry::RealPrefix};
    std::vector<BYTE> pendingBefore_;
};

class Cleanup : public CleanupFixture, public ::testing::WithParamInterface<CleanupCase> {};

void PrintTo(const CleanupCase& c, std::ostream* out) { *out << c.what; }

TEST_P(Cleanup, RemovesWhatTheUninstallLeftAndItsRunValue)
{
    const CleanupCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(Make(c.before));
    // The install folder as the Run value gives it: no quotes, blanks inside, blanks around.
    EXPECT_EQ(RunSweepo(L"  " + kDir + L" "), 0);
    std::vector<std::wstring> expected = c.after;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Left(kParent), expected) << c.what;
    EXPECT_EQ(Exists(kParent), !c.after.empty()) << c.what;
    EXPECT_FALSE(registry_.Read(kRunKey, L"TivenMAVO").present);
    EXPECT_EQ(registry_.Read(kSessionManager, L"PendingFileRenameOperations").bytes, pendingBefore_)
        << "a cleanup not started by its Run value schedules nothing";
}

INSTANTIATE_TEST_SUITE_P(Folders, Cleanup, ::testing::ValuesIn(kCases));

TEST_F(Cleanup, AnEmptyCommandLineRemovesOnlyTheRunValueAndTheDriveRootCopy)
{
    ASSERT_NO_FATAL_FAILURE(Make({L"Tiven MAVO\\Chimer.exe"}));
    ASSERT_TRUE(testsupport::WriteFileBytes(L"C:\\Sweepo.exe", "x", 1));
    EXPECT_EQ(RunSweepo(L"   "), 0);
    EXPECT_TRUE(Exists(kDir + L"\\Chimer.exe"));
    EXPECT_FALSE(Exists(L"C:\\Sweepo.exe"));
    EXPECT_FALSE(registry_.Read(kRunKey, L"TivenMAVO").present);
}
// Started through its Run value from the uninstaller's copy, the cleanup cannot delete that copy
// while it runs: the copy, then the folder the uninstaller made for it, go at the next restart.
// A folder that is not such a folder of its own is never scheduled.
struct OwnCopyCase {
    const char* what;
    const wchar_t* folderStem;   // the copy's folder under TEMP: this stem and a number
    bool quoted;                 // the Run value names the copy in quotes
    size_t scheduled;            // 0 nothing, 1 the copy, 2 the copy and its folder
};

const OwnCopyCase kOwnCopyCases[] = {
    {"the uninstaller's folder, named in quotes", L"TivenCleanup", true, 2},
    {"the uninstaller's folder, named without quotes", L"TivenCleanup", false, 2},
    {"another folder keeps its place", L"SomeFolder", true, 1},
};

// The removals a PendingFileRenameOperations value holds (pairs whose target is empty), in order,
// as plain paths in lower case.
std::vector<std::wstring> Removals(const std::vector<BYTE>& multi)
{
    std::vector<std::wstring> strings;
    const wchar_t* text = reinterpret_cast<const wchar_t*>(multi.data());
    size_t count = multi.size() / sizeof(wchar_t);
    for (size_t pos = 0; pos < count;) {
        std::wstring s(text + pos);
        pos += s.size() + 1;
        strings.push_back(s);
    }
    std::vector<std::wstring> removals;
    for (size_t i = 0; i + 1 < strings.size(); i += 2) {
        if (!strings[i].empty() && strings[i + 1].empty())
            removals.push_back(Lower(strings[i].compare(0, 4, L"\\??\\") == 0 ? strings[i].substr(4) : strings[i]));
    }
    return removals;
}

class CleanupOwnCopy : public CleanupFixture, public ::testing::WithParamInterface<OwnCopyCase> {
protected:
    void TearDown() override
    {
        if (pendingBefore_.empty()) {
            HKEY key = nullptr;
            if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
                RegDeleteValueW(key, L"PendingFileRenameOperations");
                RegCloseKey(key);
            }
        } else {
            registry_.SetRaw(kSessionManager, L"PendingFileRenameOperations", REG_MULTI_SZ, pendingBefore_.data(),
                             static_cast<DWORD>(pendingBefore_.size()));
        }
        if (!copy_.empty()) {
            DeleteFileW(copy_.c_str());
            RemoveDirectoryW(folder_.c_str());
        }
        CleanupFixture::TearDown();
    }

    std::wstring folder_, copy_;
};

TEST_P(CleanupOwnCopy, RemovesItsCopyAndItsFolderAtTheRestart)
{
    const OwnCopyCase& c = GetParam();
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + c.folderStem + L"00" + std::to_wstring(GetCurrentProcessId());
    copy_ = folder_ + L"\\Sweepo.exe";
    ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
    ASSERT_TRUE(CopyFileW(testsupport::BinPath(L"Sweepo.exe").c_str(), copy_.c_str(), TRUE));
    const std::wstring command = (c.quoted ? L"\"" + copy_ + L"\"" : copy_) + L" " + kDir;
    registry_.SetString(kRunKey, L"TivenMAVO", command);

    EXPECT_EQ(testsupport::RunAndWait(command), 0);
    EXPECT_FALSE(registry_.Read(kRunKey, L"TivenMAVO").present);
    std::vector<std::wstring> expected = Removals(pendingBefore_);
    if (c.scheduled >= 1)
        expected.push_back(Lower(copy_));
    if (c.scheduled >= 2)
        expected.push_back(Lower(folder_));
    EXPECT_EQ(Removals(registry_.Read(kSessionManager, L"PendingFileRenameOperations").bytes), expected) << c.what;
}

void PrintTo(const OwnCopyCase& c, std::ostream* out) { *out << c.what; }

INSTANTIATE_TEST_SUITE_P(Copies, CleanupOwnCopy, ::testing::ValuesIn(kOwnCopyCases));

// The command line comes from a Run value anyone may write: a system folder it names keeps
// every file the cleanup would otherwise delete there.
class CleanupOfASystemFolder : public ::testing::Test {
protected:
    void TearDown() override { Clean(); }

    // Takes away what Plant made, and the Run value.
    void Clean()
    {
        for (const std::wstring& file : files_)
            DeleteFileW(file.c_str());
        for (auto folder = made_.rbegin(); folder != made_.rend(); ++folder)
            RemoveDirectoryW(folder->c_str());
        HKEY run = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_SET_VALUE, &run) == ERROR_SUCCESS) {
            RegDeleteValueW(run, L"TivenMAVO");
            RegCloseKey(run);
        }
        files_.clear();
        made_.clear();
    }

    // Files with the names the cleanup deletes, in the folders it empties, below `base` ("C:"
    // for the drive's root).
    void Plant(const std::wstring& base)
    {
        for (const wchar_t* sub : {L"\\uninstall", L"\\help", L"\\wave", L"\\xml"}) {
            const std::wstring folder = base + sub;
            if (CreateDirectoryW(folder.c_str(), nullptr))
                made_.push_back(folder);
            else
                ASSERT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS)) << Narrow(folder);
        }
        for (const wchar_t* file : {L"\\uninstall\\UnInstallMAVO.xml", L"\\uninstall\\system.dat",
                                    L"\\help\\MAVOHelpSystem.chm", L"\\help\\MAVOHelpSystem.hlp",
                                    L"\\wave\\default.wav", L"\\xml\\CalibSystemLabels.xml",
                                    L"\\xml\\MAVOSystemLabels.xml", L"\\Chimer.exe", L"\\Gesturo.exe"}) {
            const std::wstring path = base + file;
            ASSERT_FALSE(Exists(path)) << Narrow(path) << " is there already";
            ASSERT_TRUE(testsupport::WriteFileBytes(path, "x", 1));
            files_.push_back(path);
        }
    }

    static std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

    ScratchRegistry registry_{ScratchRegistry::RealPrefix};
    std::vector<std::wstring> files_;
    std::vector<std::wstring> made_;
};

TEST_F(CleanupOfASystemFolder, LeavesDriveRootsTheWindowsFolderAndProgramFilesAlone)
{
    wchar_t windows[MAX_PATH] = {};
    ASSERT_GT(GetWindowsDirectoryW(windows, MAX_PATH), 0u);
    wchar_t programFiles[MAX_PATH] = {};
    ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, programFiles, CSIDL_PROGRAM_FILES, FALSE));
    std::wstring upper = windows;
    CharUpperBuffW(&upper[0], static_cast<DWORD>(upper.size()));
    struct Case {
        std::wstring base;          // where the files are planted
        std::wstring commandLine;   // how the Run value names that folder
    };
    const Case cases[] = {
        {L"C:", L"C:\\"},
        {windows, windows},
        {windows, upper + L"\\"},
        {programFiles, programFiles},
    };
    for (const Case& c : cases) {
        ASSERT_NO_FATAL_FAILURE(Plant(c.base));
        registry_.SetString(kRunKey, L"TivenMAVO", L"C:\\windows\\temp\\Sweepo.exe " + c.commandLine);
        EXPECT_EQ(testsupport::RunAndWait(L"\"" + testsupport::BinPath(L"Sweepo.exe") + L"\" " + c.commandLine), 0);
        for (const std::wstring& file : files_)
            EXPECT_TRUE(Exists(file)) << Narrow(file) << " (" << Narrow(c.commandLine) << ")";
        for (const std::wstring& folder : made_)
            EXPECT_TRUE(Exists(folder)) << Narrow(folder);
        // The cleanup still runs only once.
        EXPECT_FALSE(registry_.Read(kRunKey, L"TivenMAVO").present) << Narrow(c.commandLine);
        Clean();
    }
}
}  // namespace
