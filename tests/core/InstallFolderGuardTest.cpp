// Which folders the setup refuses and the uninstaller and the logon cleanup leave alone, in the
// spellings the system takes for the same folder.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "FolderAliases.h"
#include "InstallFolderGuard.h"
#include "TestPaths.h"

namespace {
using testsupport::SystemFolder;
using testsupport::WindowsFolder;

std::wstring ProgramFiles(int csidl)
{
    wchar_t folder[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, folder, csidl, FALSE);
    return folder;
}

std::wstring ShortName(const std::wstring& path)
{
    wchar_t shorter[MAX_PATH] = {};
    DWORD n = GetShortPathNameW(path.c_str(), shorter, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::wstring(shorter) : path;
}

std::wstring Upper(std::wstring text)
{
    CharUpperBuffW(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

struct FolderCase {
    std::wstring folder;
    UnsafeFolder expected;
};

const char* Name(UnsafeFolder reason) { return testsupport::UnsafeFolderName(reason); }

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }
}  // namespace

TEST(InstallFolderGuard, RefusesRootsTheWindowsFolderAndProgramFilesInEverySpelling)
{
    const std::wstring windows = WindowsFolder();
    const std::wstring system = SystemFolder();
    const std::wstring programFiles = ProgramFiles(CSIDL_PROGRAM_FILES);
    const std::wstring programFilesX86 = ProgramFiles(CSIDL_PROGRAM_FILESX86);
    ASSERT_EQ(windows.substr(1, 2), L":\\");
    ASSERT_FALSE(programFiles.empty());
    const std::wstring drive = windows.substr(0, 1);

    const std::vector<FolderCase> cases = {
        // What may hold the suite: the default folder, and any folder of its own elsewhere.
        {programFiles + L"\\Tiven\\Tiven MAVO", UnsafeFolder::None},
        {programFiles + L"\\Tiven", UnsafeFolder::None},
        {programFiles + L"\\Common Files", UnsafeFolder::None},
        {drive + L":\\Tiven", UnsafeFolder::None},
        {drive + L":\\Tools\\Windows", UnsafeFolder::None},
        {L"  " + drive + L":\\Tiven  ", UnsafeFolder::NotAFolder},
        // Not a folder of its own: empty, relative to the current folder or drive, wild cards.
        {L"", UnsafeFolder::NotAFolder},
        {L"Windows", UnsafeFolder::NotAFolder},
        {L"..\\..", UnsafeFolder::NotAFolder},
        {drive + L":Windows", UnsafeFolder::NotAFolder},
        {L"\\Windows", UnsafeFolder::NotAFolder},
        {drive + L":\\Win*", UnsafeFolder::NotAFolder},
        {drive + L":\\Windows?", UnsafeFolder::NotAFolder},
        {windows + L"::$INDEX_ALLOCATION", UnsafeFolder::NotAFolder},
        {L"\\??\\" + windows, UnsafeFolder::NotAFolder},
        // Drive roots.
        {drive + L":\\", UnsafeFolder::DriveRoot},
        {L"c:\\", UnsafeFolder::DriveRoot},
        {L"C:/", UnsafeFolder::DriveRoot},
        {L"C:\\\\", UnsafeFolder::DriveRoot},
        {L"C:\\.", UnsafeFolder::DriveRoot},
        {L"C:\\Tiven\\..", UnsafeFolder::DriveRoot},
        {L"D:\\", UnsafeFolder::DriveRoot},
        {L"Z:\\", UnsafeFolder::DriveRoot},
        {L"\\\\?\\C:\\", UnsafeFolder::DriveRoot},
        {L"\\\\server\\share", UnsafeFolder::DriveRoot},
        {L"\\\\server\\share\\", UnsafeFolder::DriveRoot},
        {L"\\\\?\\UNC\\server\\share", UnsafeFolder::DriveRoot},
        // The Windows folder, its system folders and every folder inside it.
        {windows, UnsafeFolder::WindowsFolder},
        {Upper(windows) + L"\\", UnsafeFolder::WindowsFolder},
        {drive + L":/Windows/", UnsafeFolder::WindowsFolder},
        {drive + L":\\Windows\\.", UnsafeFolder::WindowsFolder},
        {drive + L":\\Windows.", UnsafeFolder::WindowsFolder},
        {drive + L":\\Windows \\", UnsafeFolder::WindowsFolder},
        {drive + L":\\\\Windows", UnsafeFolder::WindowsFolder},
        {drive + L":\\Tiven\\..\\Windows", UnsafeFolder::WindowsFolder},
        {L"\\\\?\\" + windows, UnsafeFolder::WindowsFolder},
        {L"\\\\.\\" + windows, UnsafeFolder::WindowsFolder},
        {system, UnsafeFolder::WindowsFolder},
        {drive + L":\\Windows\\System32", UnsafeFolder::WindowsFolder},
        {drive + L":\\windows\\system32\\", UnsafeFolder::WindowsFolder},
        {system + L"\\drivers", UnsafeFolder::WindowsFolder},
        {windows + L"\\help", UnsafeFolder::WindowsFolder},
        {windows + L"\\Temp\\Tiven MAVO", UnsafeFolder::WindowsFolder},
        {windows + L"\\No Such Folder\\Below", UnsafeFolder::WindowsFolder},
        // The Program Files folders themselves.
        {programFiles, UnsafeFolder::ProgramFiles},
        {Upper(programFiles) + L"\\", UnsafeFolder::ProgramFiles},
        {drive + L":/program files", UnsafeFolder::ProgramFiles},
        {programFiles + L"\\Tiven\\..", UnsafeFolder::ProgramFiles},
        {ShortName(programFiles), UnsafeFolder::ProgramFiles},
        {programFilesX86, UnsafeFolder::ProgramFiles},
    };
    for (const FolderCase& c : cases)
        EXPECT_STREQ(Name(CheckInstallFolder(c.folder)), Name(c.expected)) << Narrow(c.folder);
}

TEST(InstallFolderGuard, NormalisesAsTheSystemDoes)
{
    const std::wstring windows = WindowsFolder();
    const std::wstring drive = windows.substr(0, 1);
    EXPECT_EQ(NormalisedFolder(L"c:\\"), L"C:\\");
    EXPECT_EQ(NormalisedFolder(L"c:/Tiven//Tiven MAVO/. /x\\..\\"), L"C:\\Tiven\\Tiven MAVO");
    EXPECT_EQ(NormalisedFolder(L"\\\\?\\UNC\\server\\share\\x\\"), L"\\\\server\\share\\x");
    // An existing folder's short name becomes its long name; the names below it stay.
    const std::wstring programFiles = ProgramFiles(CSIDL_PROGRAM_FILES);
    EXPECT_EQ(NormalisedFolder(ShortName(programFiles) + L"\\Tiven\\New"), programFiles + L"\\Tiven\\New");
    EXPECT_EQ(NormalisedFolder(L"Tiven"), L"");
}
