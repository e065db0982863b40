// Folders judged by what they are, not by their spelling: links, another drive letter for the
// same drive and Wine's Z: names lead to the Windows folder, a drive's root or Program Files, and
// the install-folder check refuses them all; two paths to one file compare as the same.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "FileIdentity.h"
#include "FolderAliases.h"
#include "InstallFolderGuard.h"

using testsupport::FolderAlias;

namespace {
const char* Name(UnsafeFolder reason) { return testsupport::UnsafeFolderName(reason); }

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

class FolderIdentity : public ::testing::Test {
protected:
    void SetUp() override
    {
        aliases_ = testsupport::MakeFolderAliases();
        ASSERT_FALSE(aliases_.empty()) << "the aliases could not be made";
    }
    std::vector<FolderAlias> aliases_;
};

TEST_F(FolderIdentity, EveryOtherNameForAProtectedFolderIsRefused)
{
    for (const FolderAlias& alias : aliases_) {
        EXPECT_STREQ(Name(CheckInstallFolder(alias.path)), Name(alias.kind)) << alias.what << ": " << Narrow(alias.path);
        EXPECT_STREQ(Name(CheckInstallFolder(alias.path + L"\\")), Name(alias.kind)) << alias.what;
    }
}

TEST_F(FolderIdentity, AFolderReachedThroughALinkIsJudgedWhereItLies)
{
    const struct {
        std::wstring folder;
        UnsafeFolder expected;
    } cases[] = {
        // Inside the Windows folder, existing or not, through the link and through drive D:.
        {L"C:\\winlink\\help", UnsafeFolder::WindowsFolder},
        {L"C:\\winlink\\Tiven MAVO", UnsafeFolder::WindowsFolder},
        {L"C:\\winlink\\system32\\drivers", UnsafeFolder::WindowsFolder},
        {L"D:\\windows\\Temp\\Tiven MAVO", UnsafeFolder::WindowsFolder},
        {testsupport::UnixRootName(L"C:\\windows") + L"\\help", UnsafeFolder::WindowsFolder},
        // A folder of its own below the other names of the root and of Program Files is fine.
        {L"C:\\rootlink\\Tiven", UnsafeFolder::None},
        {L"C:\\pflink\\Tiven\\Tiven MAVO", UnsafeFolder::None},
        {L"D:\\Program Files\\Tiven\\Tiven MAVO", UnsafeFolder::None},
        {L"D:\\Tiven", UnsafeFolder::None},
        {testsupport::UnixRootName(L"C:\\") + L"\\Tiven", UnsafeFolder::None},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(Name(CheckInstallFolder(c.folder)), Name(c.expected)) << Narrow(c.folder);
}

TEST_F(FolderIdentity, TwoPathsToOneFileAreTheSameLocation)
{
    const std::wstring notepad = L"C:\\windows\\notepad.exe";
    for (const std::wstring& other :
         {std::wstring(L"C:\\winlink\\notepad.exe"), std::wstring(L"D:\\WINDOWS\\Notepad.exe"),
          std::wstring(L"C:/rootlink/windows/notepad.exe"), testsupport::UnixRootName(notepad),
          std::wstring(L"C:\\windows\\system32\\..\\notepad.exe")})
        EXPECT_TRUE(SameLocation(notepad, other)) << Narrow(other);
    // Below a folder that exists, the names that do not exist yet compare as text.
    EXPECT_TRUE(SameLocation(L"C:\\Program Files\\Tiven\\Tiven MAVO\\Chimer.exe",
                             L"C:\\pflink\\TIVEN\\tiven mavo\\Chimer.exe"));
    EXPECT_TRUE(SameLocation(L"C:\\Program Files\\Tiven\\Tiven MAVO\\", L"D:\\Program Files\\Tiven\\Tiven MAVO"));
    EXPECT_FALSE(SameLocation(L"C:\\Program Files\\Tiven\\Tiven MAVO\\Chimer.exe",
                              L"C:\\Program Files\\Tiven\\Other\\Chimer.exe"));
    EXPECT_FALSE(SameLocation(notepad, L"C:\\windows\\regedit.exe"));
    EXPECT_FALSE(SameLocation(notepad, L"windows\\notepad.exe"));
    EXPECT_FALSE(SameLocation(notepad, L"Q:\\windows\\notepad.exe"));
}

TEST_F(FolderIdentity, EveryNameOfAFolderHasOneIdentityAndFinalPath)
{
    const std::optional<FileIdentity> windows = IdentityOf(L"C:\\windows");
    ASSERT_TRUE(windows);
    EXPECT_TRUE(SamePathText(windows->finalPath, L"C:\\windows")) << Narrow(windows->finalPath);
    for (const FolderAlias& alias : aliases_) {
        if (alias.kind != UnsafeFolder::WindowsFolder)
            continue;
        const std::optional<FileIdentity> other = IdentityOf(alias.path);
        ASSERT_TRUE(other) << alias.what;
        EXPECT_EQ(other->volume, windows->volume) << alias.what;
        EXPECT_EQ(std::memcmp(other->id, windows->id, sizeof windows->id), 0) << alias.what;
        EXPECT_TRUE(*other == *windows) << alias.what << ": " << Narrow(other->finalPath);
    }
    const std::optional<FileIdentity> root = IdentityOf(L"C:\\");
    ASSERT_TRUE(root);
    EXPECT_FALSE(*root == *windows);
}
}  // namespace
