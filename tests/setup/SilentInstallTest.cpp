// Unattended installs, each in a fresh prefix: every language and both controller kinds, what
// they leave in the registry, the install and system folders, the Start menu and the service
// manager, and reinstalls over an earlier install.
#include <gtest/gtest.h>

#include <shlobj.h>

#include "FreshPrefix.h"
#include "InstallFiles.h"
#include "SetupRun.h"
#include "TestPaths.h"
#include "TestProcess.h"

using namespace setuptest;
using testsupport::RegValue;
using testsupport::ScratchRegistry;

namespace {
constexpr char kCompleted[] = "Tiven Touch Panel Utility Installation Completed Successfully";

struct LanguageCase {
    const wchar_t* arguments;
    DWORD index;
    const wchar_t* word;
    DWORD wire;
    const wchar_t* tag;   // how the setup folder's label file marks this language's texts
};

void PrintTo(const LanguageCase& c, std::ostream* out)
{
    *out << std::string(c.arguments, c.arguments + wcslen(c.arguments));
}

const LanguageCase kLanguages[] = {
    {L"-s -en -eig", 0, L"English", 0, L""},
    {L"-s -ja -fiv", 1, L"Japanese", 1, L"[ja] "},
    {L"-s -tch -eig", 2, L"ChineseTraditional", 0, L"[zh-tw] "},
    {L"-s -sch -fiv", 3, L"ChineseSimple", 1, L"[zh-cn] "},
    {L"-S -KR -FIV", 4, L"Korean", 1, L"[ko] "},
};

void ExpectText(const ScratchRegistry& registry, const std::wstring& path, const wchar_t* name,
                const std::wstring& text, DWORD type = REG_EXPAND_SZ)
{
    RegValue value = registry.Read(path, name);
    ASSERT_TRUE(value.present) << path << " \"" << std::string(name, name + wcslen(name)) << "\" is missing";
    EXPECT_EQ(value.type, type) << std::string(name, name + wcslen(name));
    EXPECT_EQ(value.AsString(), text) << std::string(name, name + wcslen(name));
    EXPECT_EQ(value.Size(), (text.size() + 1) * sizeof(wchar_t)) << "the NUL is counted";
}

void ExpectNumber(const ScratchRegistry& registry, const std::wstring& path, const wchar_t* name, DWORD number)
{
    RegValue value = registry.Read(path, name);
    ASSERT_TRUE(value.present) << std::string(name, name + wcslen(name)) << " is missing";
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(value.AsDword(), number) << std::string(name, name + wcslen(name));
}

std::wstring CommonPrograms()
{
    wchar_t folder[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, folder, CSIDL_COMMON_PROGRAMS, FALSE);
    return folder;
}

class SilentInstall : public ::testing::TestWithParam<LanguageCase> {
protected:
    ScratchRegistry registry_{ScratchRegistry::RealPrefix};
};

TEST_P(SilentInstall, InstallsEverythingForTheChosenLanguageAndController)
{
    const LanguageCase& c = GetParam();
    const std::wstring dir = kInstallFolder;
    const std::wstring word = c.word;
    const std::wstring tag = c.tag;
    PrepareWindowsState(registry_, SystemUserinit().c_str());

    // Started from another folder: the setup finds its files beside itself.
    SetupResult run = RunSetup(c.arguments);
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_NE(run.output.find(kCompleted), std::string::npos) << run.output;

    // Product key, every value with its type.
    const std::wstring p = kProductKey;
    ExpectText(registry_, p, L"BeaconetApplication", dir + L"\\Beaconet.exe");
    ExpectText(registry_, p, L"Tiven Installed Path", dir);
    ExpectText(registry_, p, L"Beaconet XML File Path", dir + L"\\XML\\Beaconet" + word + L"Labels.xml");
    ExpectText(registry_, p, L"Calibration XML FilePath", dir + L"\\XML\\Calib" + word + L"Labels.xml");
    ExpectText(registry_, p, L"XML File Path", dir + L"\\XML\\MAVO" + word + L"Labels.xml");
    ExpectText(registry_, p, L"GXLabelsPath", dir + L"\\XML\\GX" + word + L"Labels.xml");
    ExpectText(registry_, p, L"Help File Path", dir + L"\\help\\MAVOHelp" + word + L".chm");
    ExpectText(registry_, p, L"Userinit", SystemUserinit());
    ExpectText(registry_, p, L"RenkaCPL Application", dir + L"\\RenkaCPL.exe");
    ExpectText(registry_, p, L"Gesturo Application", dir + L"\\Gesturo.exe");
    ExpectText(registry_, p, L"Calibration Application", dir + L"\\Aimwell.exe");
    ExpectText(registry_, p, L"RootKeyName", L"Tiven MAVO");
    ExpectText(registry_, p, L"RenkaCPLName", tag + L"Touch Panel");
    ExpectText(registry_, p, L"RenkaCPLInfo", tag + L"Configures the touch panels");
    ExpectText(registry_, p, L"Device Name", L"RILO Device-1");
    ExpectNumber(registry_, p, L"System Tray Icons", 1);
    ExpectNumber(registry_, p, L"Calibration Beeps", 0);
    ExpectNumber(registry_, p, L"Language", c.index);
    ExpectNumber(registry_, p, L"Check Calibration", 0);
    ExpectNumber(registry_, p, L"Gesturo", 0);
    ExpectNumber(registry_, p, L"AlwaysOnTop", 0);
    ExpectNumber(registry_, p, L"HitOne", 0);
    ExpectNumber(registry_, p, L"IconType", 1012);
    ExpectNumber(registry_, p, L"Controller", c.wire + 1);
    EXPECT_EQ(registry_.ValueNames(p).size(), 24u);

    // Logon starts, uninstall entry, mouse ports and double-click settings.
    ExpectText(registry_, kWinlogonKey, L"Userinit", SystemUserinit() + L"," + dir + L"\\Chimer.exe,", REG_SZ);
    const std::wstring run_ = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
    // The command lines the system starts name their programs in quotes.
    ExpectText(registry_, run_, L"BeaconetApplication", L"\"" + dir + L"\\Beaconet.exe\"");
    ExpectText(registry_, run_, L"MultiMonitor Listener", L"\"" + dir + L"\\Segmenta.exe\"");
    const std::wstring uninstall = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\TivenMAVO";
    ExpectText(registry_, uninstall, L"UninstallString", L"\"" + dir + L"\\uninstall\\uninstall.exe\"");
    ExpectText(registry_, uninstall, L"DisplayName", L"Tiven MAVO");
    ExpectText(registry_, uninstall, L"DisplayIcon", dir + L"\\uninstall\\uninstall.exe");
    ExpectNumber(registry_, L"SYSTEM\\CurrentControlSet\\Services\\Mouclass\\Parameters", L"MaximumPortsServiced", 7);
    HKEY mouse = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Mouse", 0, KEY_READ, &mouse), ERROR_SUCCESS);
    for (auto setting : {std::make_pair(L"DoubleClickSpeed", L"900"), std::make_pair(L"DoubleClickHeight", L"64"),
                         std::make_pair(L"DoubleClickWidth", L"64")}) {
        wchar_t text[32] = {};
        DWORD bytes = sizeof text;
        EXPECT_EQ(RegQueryValueExW(mouse, setting.first, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &bytes),
                  ERROR_SUCCESS);
        EXPECT_STREQ(text, setting.second);
    }
    RegCloseKey(mouse);

    // Every file, with the content of its source.
    auto files = setup::ProgramFiles(dir, word);
    auto system = setup::SystemFiles(WindowsFolder(), word);
    files.insert(files.end(), system.begin(), system.end());
    for (const setup::InstallFile& file : files) {
        std::wstring source = SetupFolder() + L"\\" + file.source;
        ASSERT_TRUE(FileExists(file.target)) << std::string(file.target.begin(), file.target.end());
        EXPECT_EQ(FileBytes(file.target), FileBytes(source)) << std::string(file.target.begin(), file.target.end());
    }
    EXPECT_EQ(FileBytes(dir + L"\\uninstall\\UnInstallMAVO.xml"),
              FileBytes(SetupFolder() + L"\\setup\\uninstall\\UnInstallMAVO" + word + L".xml"));

    // Start-menu links: target, no arguments, "c:\" and the target's own icon.
    const std::wstring folder = CommonPrograms() + L"\\Tiven MAVO\\";
    const std::pair<std::wstring, std::wstring> links[] = {
        {tag + L"Button Mode", dir + L"\\Gesturo.exe"},
        {tag + L"Adjust Settings", dir + L"\\RenkaCPL.exe"},
        {tag + L"Calibrate", dir + L"\\Aimwell.exe"},
        {tag + L"Help", dir + L"\\help\\MAVOHelp" + word + L".chm"},
        {tag + L"Uninstall", dir + L"\\uninstall\\uninstall.exe"},
    };
    for (const auto& link : links) {
        LinkInfo info = ReadLink(folder + link.first + L".lnk");
        std::string name(link.first.begin(), link.first.end());
        ASSERT_TRUE(info.loaded) << name;
        EXPECT_EQ(info.target, link.second) << name;
        EXPECT_EQ(info.arguments, L"") << name;
        EXPECT_EQ(info.workingDirectory, L"c:\\") << name;
        EXPECT_EQ(info.iconPath, link.second) << name;
        EXPECT_EQ(info.iconIndex, 0) << name;
    }

    // The serial driver's service; no clone was named, so no Parameters key is made.
    ServiceInfo rilo = ReadService(L"RILO");
    ASSERT_TRUE(rilo.exists);
    EXPECT_EQ(rilo.type, static_cast<DWORD>(SERVICE_KERNEL_DRIVER));
    EXPECT_EQ(rilo.start, static_cast<DWORD>(SERVICE_BOOT_START));
    EXPECT_EQ(rilo.errorControl, static_cast<DWORD>(SERVICE_ERROR_NORMAL));
    EXPECT_EQ(rilo.binaryPath, L"System32\\drivers\\rilo.sys");
    EXPECT_EQ(rilo.displayName, L"RILO");
    EXPECT_FALSE(registry_.KeyExists(kSerialParameters));
    EXPECT_FALSE(registry_.KeyExists(kUsbParameters));
    EXPECT_FALSE(registry_.KeyExists(L"SYSTEM\\CurrentControlSet\\Services\\mavomavo"));
}

INSTANTIATE_TEST_SUITE_P(Languages, SilentInstall, ::testing::ValuesIn(kLanguages),
                         [](const ::testing::TestParamInfo<LanguageCase>& info) {
                             return std::string(info.param.word, info.param.word + wcslen(info.param.word));
                         });

class SilentReinstall : public ::testing::Test {
protected:
    ScratchRegistry registry_{ScratchRegistry::RealPrefix};
};

TEST(SilentInstallState, AMissingUserinitIsLeftAloneAndFailsTheInstallAndAForeignProbeKeyStays)
{
    ScratchRegistry registry(ScratchRegistry::RealPrefix);
    PrepareWindowsState(registry, nullptr);
    // The setup probes its write access with this key; one it did not create is not its own.
    const std::wstring probe = L"SYSTEM\\CurrentControlSet\\Services\\mavomavo";
    registry.SetDword(probe + L"\\Inner", L"Kept", 5);
    SetupResult run = RunSetup(L"-s -en -eig");
    ASSERT_TRUE(run.ended);
    // Winlogon is not made up from nothing: Chimer is not started, and the install says so.
    EXPECT_EQ(run.exitCode, 1u) << run.output;
    EXPECT_NE(run.output.find("Chimer is not started at logon"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find(kCompleted), std::string::npos) << run.output;
    EXPECT_FALSE(registry.Read(kWinlogonKey, L"Userinit").present);
    EXPECT_EQ(registry.Read(kProductKey, L"Userinit").AsString(), L"");
    EXPECT_EQ(registry.Read(probe + L"\\Inner", L"Kept").AsDword(), 5u);
}

// The logon starts as the system runs them, with a program planted at the first blank of the
// install folder's path ("C:\Program.exe" for "C:\Program Files\..."): the installed program
// starts, the planted one never does. The installed programs are replaced by a program that
// records the command-line text after its own name.
class RunValues : public ::testing::TestWithParam<const wchar_t*> {
protected:
    ScratchRegistry registry_{ScratchRegistry::RealPrefix};
};

TEST_P(RunValues, StartTheInstalledProgramAndNotOnePlantedAtTheFirstBlank)
{
    const std::wstring name = GetParam();
    PrepareWindowsState(registry_, SystemUserinit().c_str());
    SetupResult run = RunSetup(L"-s -en -eig");
    ASSERT_TRUE(run.ended);
    ASSERT_EQ(run.exitCode, 0u) << run.output;

    const std::wstring command = registry_.Read(L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", name).AsString();
    const std::wstring program = name == L"BeaconetApplication" ? L"Beaconet.exe" : L"Segmenta.exe";
    const std::wstring echo = testsupport::BinPath(L"CoreArgEcho.exe");
    ASSERT_TRUE(CopyFileW(echo.c_str(), (std::wstring(kInstallFolder) + L"\\" + program).c_str(), FALSE));
    ASSERT_TRUE(CopyFileW(echo.c_str(), L"C:\\Program.exe", FALSE));
    const std::wstring output = L"C:\\run-value-started.txt";
    SetEnvironmentVariableW(L"TIVEN_ARGECHO_OUT", output.c_str());
    long code = testsupport::RunAndWait(command);
    SetEnvironmentVariableW(L"TIVEN_ARGECHO_OUT", nullptr);
    EXPECT_EQ(code, 0) << std::string(command.begin(), command.end());
    // The installed program gets nothing after its name; the planted one would get the rest of
    // the path ("Files\Tiven\...").
    std::string started = FileBytes(output);
    EXPECT_TRUE(started.empty()) << "the planted C:\\Program.exe ran for " << std::string(command.begin(), command.end());
    EXPECT_TRUE(FileExists(output));
    DeleteFileW(output.c_str());
    DeleteFileW(L"C:\\Program.exe");
}

INSTANTIATE_TEST_SUITE_P(Logon, RunValues, ::testing::Values(L"BeaconetApplication", L"MultiMonitor Listener"),
                         [](const ::testing::TestParamInfo<const wchar_t*>& info) {
                             return info.param[0] == L'B' ? std::string("Beaconet") : std::string("Segmenta");
                         });

TEST_F(SilentReinstall, AppendsChimerOnceKeepsTheSavedValueAndUpdatesTheService)
{
    PrepareWindowsState(registry_, SystemUserinit().c_str());
    // An uninstall that waits for its restart leaves the service registered, differently.
    ASSERT_TRUE(RegisterService(L"RILO", SERVICE_DEMAND_START, L"\\SystemRoot\\System32\\drivers\\old.sys"));

    SetupResult first = RunSetup(L"-s -en -eig");
    ASSERT_TRUE(first.ended);
    EXPECT_EQ(first.exitCode, 0u) << first.output;
    SetupResult second = RunSetup(L"-s -ja -fiv");
    ASSERT_TRUE(second.ended);
    EXPECT_EQ(second.exitCode, 0u) << second.output;
    EXPECT_NE(second.output.find(kCompleted), std::string::npos) << second.output;

    const std::wstring extended = SystemUserinit() + L"," + kInstallFolder + L"\\Chimer.exe,";
    RegValue winlogon = registry_.Read(kWinlogonKey, L"Userinit");
    EXPECT_EQ(winlogon.AsString(), extended);
    EXPECT_EQ(winlogon.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(registry_.Read(kProductKey, L"Userinit").AsString(), SystemUserinit());
    EXPECT_EQ(registry_.Read(kProductKey, L"Language").AsDword(), 1u);
    EXPECT_EQ(registry_.Read(kProductKey, L"Controller").AsDword(), 2u);

    ServiceInfo rilo = ReadService(L"RILO");
    ASSERT_TRUE(rilo.exists);
    EXPECT_EQ(rilo.start, static_cast<DWORD>(SERVICE_BOOT_START));
    EXPECT_EQ(rilo.errorControl, static_cast<DWORD>(SERVICE_ERROR_NORMAL));
    EXPECT_EQ(rilo.binaryPath, L"System32\\drivers\\rilo.sys");
    EXPECT_EQ(rilo.displayName, L"RILO");
}
}  // namespace
