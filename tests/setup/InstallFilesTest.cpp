// The table of files the setup installs, for one language.
#include <gtest/gtest.h>

#include "InstallFiles.h"

namespace {
TEST(InstallFiles, KoreanInstallsKoreanHelpLabelsAndUninstallerLabels)
{
    std::vector<setup::InstallFile> files = setup::ProgramFiles(L"D:\\T", L"Korean");
    ASSERT_EQ(files.size(), 16u);
    const std::pair<const wchar_t*, const wchar_t*> expected[] = {
        {L"setup\\exes\\RenkaCPL.exe", L"D:\\T\\RenkaCPL.exe"},
        {L"setup\\exes\\Gesturo.exe", L"D:\\T\\Gesturo.exe"},
        {L"setup\\exes\\Beaconet.exe", L"D:\\T\\Beaconet.exe"},
        {L"setup\\exes\\Aimwell.exe", L"D:\\T\\Aimwell.exe"},
        {L"setup\\exes\\Segmenta.exe", L"D:\\T\\Segmenta.exe"},
        {L"setup\\exes\\Chimer.exe", L"D:\\T\\Chimer.exe"},
        {L"setup\\help\\MAVOHelpKorean.chm", L"D:\\T\\help\\MAVOHelpKorean.chm"},
        {L"setup\\xml\\BeaconetKoreanLabels.xml", L"D:\\T\\XML\\BeaconetKoreanLabels.xml"},
        {L"setup\\xml\\CalibKoreanLabels.xml", L"D:\\T\\XML\\CalibKoreanLabels.xml"},
        {L"setup\\xml\\MAVOKoreanLabels.xml", L"D:\\T\\XML\\MAVOKoreanLabels.xml"},
        {L"setup\\xml\\GXKoreanLabels.xml", L"D:\\T\\XML\\GXKoreanLabels.xml"},
        {L"setup\\wave\\default.wav", L"D:\\T\\wave\\default.wav"},
        {L"setup\\uninstall\\uninstall.exe", L"D:\\T\\uninstall\\uninstall.exe"},
        {L"setup\\uninstall\\Sweepo.exe", L"D:\\T\\uninstall\\Sweepo.exe"},
        {L"setup\\uninstall\\UnInstallMAVOKorean.xml", L"D:\\T\\uninstall\\UnInstallMAVO.xml"},
        {L"setup\\uninstall\\devcon.exe", L"D:\\T\\uninstall\\devcon.exe"},
    };
    for (size_t i = 0; i < files.size(); ++i) {
        EXPECT_EQ(files[i].source, expected[i].first) << i;
        EXPECT_EQ(files[i].target, expected[i].second) << i;
    }
}

TEST(InstallFiles, SystemFilesGoBelowTheWindowsFolder)
{
    std::vector<setup::InstallFile> files = setup::SystemFiles(L"C:\\windows", L"ChineseSimple");
    ASSERT_EQ(files.size(), 5u);
    EXPECT_EQ(files[0].target, L"C:\\windows\\system32\\Tunora.cpl");
    EXPECT_EQ(files[1].source, L"setup\\help\\MAVOHelpChineseSimple.chm");
    EXPECT_EQ(files[1].target, L"C:\\windows\\system32\\Tunora.chm");
    EXPECT_EQ(files[2].target, L"C:\\windows\\system32\\drivers\\rilo.sys");
    EXPECT_EQ(files[3].target, L"C:\\windows\\system32\\drivers\\meka.sys");
    EXPECT_EQ(files[4].target, L"C:\\windows\\inf\\meka.inf");
}

TEST(InstallFiles, TrimsBlanksAroundAFolder)
{
    EXPECT_EQ(setup::Trimmed(L"  C:\\My Folder \t"), L"C:\\My Folder");
    EXPECT_EQ(setup::Trimmed(L"   "), L"");
}
}  // namespace
