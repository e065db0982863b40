#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "DeviceKeyFixture.h"
#include "Equipment.h"
#include "StandinClient.h"
#include "TestPaths.h"
#include "TestProcess.h"

using namespace testsupport;
using testsupport::ScratchRegistry;

namespace {
// The sample registry shipped next to the tool, as a Windows path (the source tree is on Z:).
std::wstring SampleRegistryFile()
{
    std::string unixPath = TIVEN_SAMPLE_REGISTRY;
    std::wstring path = L"Z:";
    for (char ch : unixPath)
        path += ch == '/' ? L'\\' : static_cast<wchar_t>(ch);
    return path;
}

std::string ReadWholeFile(const std::wstring& path)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    std::string text;
    char buffer[4096];
    DWORD read = 0;
    while (h != INVALID_HANDLE_VALUE && ReadFile(h, buffer, sizeof buffer, &read, nullptr) && read > 0)
        text.append(buffer, read);
    if (h != INVALID_HANDLE_VALUE)
        CloseHandle(h);
    return text;
}
}  // namespace

// The tool runs in its own process, so the sample goes into the prefix's real registry.
TEST(DevList, ListsTheSampleDevicesAppliesThemAndShowsTheDriverRequests)
{
    ScratchRegistry reg(ScratchRegistry::RealPrefix);
    reg.Own(kProductKeyPath);
    reg.Own(kSerialParametersPath);
    reg.Own(kUsbParametersPath);
    ASSERT_EQ(0, testsupport::RunAndWait(L"regedit /S \"" + SampleRegistryFile() + L"\""));
    ASSERT_EQ(L"RILO Device-2", reg.Read(SerialKey(2), L"Device Name").AsString());
    ASSERT_EQUIPMENT(standin::Running() && standin::Reset(), "the stand-in drivers");

    std::wstring out = testsupport::MakeTempDir(L"devlist") + L"\\out.txt";
    std::wstring line = L"cmd /c \"\"" + testsupport::BinPath(L"TivenDevList.exe") + L"\" > \"" + out + L"\"\"";
    ASSERT_EQ(0, testsupport::RunAndWait(line));
    std::string text = ReadWholeFile(out);
    DeleteFileW(out.c_str());

    for (const char* expected : {"Controller 2, installed in \"C:\\Program Files\\Tiven\", 3 touch devices",
                                 "RILO Device-1\r\n", "RILO Device-2\r\n", "MEKA Device-1\r\n",
                                 "  Port                     \"COM2\"\r\n",
                                 "  Sample Rate              100   (default)\r\n",
                                 "  Sample Rate              80\r\n", "applied 3 devices"})
        EXPECT_NE(std::string::npos, text.find(expected)) << expected << "\n--- output:\n" << text;

    // The apply wrote the defaults of the second serial device back.
    EXPECT_EQ(100u, reg.Read(SerialKey(2), L"Sample Rate").AsDword());
    EXPECT_EQ(static_cast<DWORD>(REG_EXPAND_SZ), reg.Read(SerialKey(2), L"Wave File").type);
    // Two serial devices with seven requests each, the USB device six.
    EXPECT_NE(std::string::npos, text.find("20 requests reached the drivers")) << text;
    EXPECT_NE(std::string::npos, text.find("RILO2 0x220018 in 1 [07]")) << text;   // Right Half: code 7
    EXPECT_EQ(20u, standin::ReadLog().size());
}
