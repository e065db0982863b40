// Restoring clone files during an unattended install, each test in a fresh prefix. The clone
// files are written as the applet's settings copy writes them: RegSaveKeyW of a driver's
// Parameters key with the backup privilege.
#include <gtest/gtest.h>

#include <vector>

#include "FreshPrefix.h"
#include "KeyHandle.h"
#include "Privilege.h"
#include "SetupRun.h"
#include "TestPaths.h"

using namespace setuptest;
using testsupport::ScratchRegistry;

namespace {
constexpr wchar_t kSerialService[] = L"SYSTEM\\CurrentControlSet\\Services\\RILO";

struct DeviceValues {
    std::wstring name;
    DWORD sampleRate;
    std::vector<BYTE> calibration;
};

class CloneRestore : public ::testing::Test {
protected:
    void SetUp() override
    {
        PrepareWindowsState(registry_, SystemUserinit().c_str());
        folder_ = testsupport::MakeTempDir(L"clones");
        ASSERT_FALSE(folder_.empty());
    }

    void AddDevice(const std::wstring& parameters, int number, const DeviceValues& values)
    {
        std::wstring key = parameters + L"\\" + std::to_wstring(number);
        registry_.SetString(key, L"Device Name", values.name);
        registry_.SetDword(key, L"Sample Rate", values.sampleRate);
        registry_.SetRaw(key, L"Calibration Data", REG_BINARY, values.calibration.data(),
                         static_cast<DWORD>(values.calibration.size()));
    }

    // What the applet's "Copy of Settings" does for one driver.
    std::wstring WriteClone(const wchar_t* parameters, const wchar_t* fileName)
    {
        std::wstring file = folder_ + L"\\" + fileName;
        EXPECT_TRUE(EnablePrivilege(SE_BACKUP_NAME));
        CKeyHandle key;
        EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, parameters, 0, nullptr, REG_OPTION_BACKUP_RESTORE,
                                  KEY_ALL_ACCESS, nullptr, key.Receive(), nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(RegSaveKeyW(key.Get(), file.c_str(), nullptr), ERROR_SUCCESS);
        return file;
    }

    // A device key as AddDevice makes it, but volatile, and so are the keys above it that are
    // made for it: no lasting key can then be made below them.
    void AddVolatileDevice(const std::wstring& parameters, int number, const DeviceValues& values)
    {
        std::wstring key = parameters + L"\\" + std::to_wstring(number);
        CKeyHandle device;
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kSerialService, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                                  nullptr, device.Receive(), nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, parameters.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                                  KEY_ALL_ACCESS, nullptr, device.Receive(), nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                                  nullptr, device.Receive(), nullptr),
                  ERROR_SUCCESS);
        registry_.SetString(key, L"Device Name", values.name);
        registry_.SetDword(key, L"Sample Rate", values.sampleRate);
        registry_.SetRaw(key, L"Calibration Data", REG_BINARY, values.calibration.data(),
                         static_cast<DWORD>(values.calibration.size()));
    }

    void ExpectDevice(const std::wstring& parameters, int number, const DeviceValues& values)
    {
        std::wstring key = parameters + L"\\" + std::to_wstring(number);
        EXPECT_EQ(registry_.Read(key, L"Device Name").AsString(), values.name) << number;
        EXPECT_EQ(registry_.Read(key, L"Sample Rate").AsDword(), values.sampleRate) << number;
        testsupport::RegValue calibration = registry_.Read(key, L"Calibration Data");
        EXPECT_EQ(calibration.type, static_cast<DWORD>(REG_BINARY)) << number;
        EXPECT_EQ(calibration.bytes, values.calibration) << number;
    }

    ScratchRegistry registry_{ScratchRegistry::RealPrefix};
    std::wstring folder_;
    const DeviceValues front_{L"Front Panel", 150, {1, 2, 3, 4, 5, 6, 7, 8}};
    const DeviceValues side_{L"Side Panel", 100, {9, 9, 9}};
    const DeviceValues usb_{L"USB Panel", 200, {0xA0, 0xB0}};
};

TEST_F(CloneRestore, SerialCloneReplacesTheWholeSerialConfigurationAndLeavesUsbAlone)
{
    AddDevice(kSerialParameters, 1, front_);
    AddDevice(kSerialParameters, 2, side_);
    std::wstring clone = WriteClone(kSerialParameters, L"RILOClone.Dat");
    // Since the copy: one device changed, one gone, one new; the USB side has a device.
    AddDevice(kSerialParameters, 1, {L"Renamed", 1, {0}});
    registry_.DeleteTree(std::wstring(kSerialParameters) + L"\\2");
    AddDevice(kSerialParameters, 3, {L"New Panel", 50, {7}});
    AddDevice(kUsbParameters, 1, usb_);

    SetupResult run = RunSetup(L"-s -ja -fiv -ser " + clone + L" ignored");
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 0u) << run.output;

    EXPECT_EQ(registry_.SubkeyNames(kSerialParameters), (std::vector<std::wstring>{L"1", L"2"}));
    ExpectDevice(kSerialParameters, 1, front_);
    ExpectDevice(kSerialParameters, 2, side_);
    EXPECT_EQ(registry_.SubkeyNames(kUsbParameters), (std::vector<std::wstring>{L"1"}));
    ExpectDevice(kUsbParameters, 1, usb_);
    // Nothing of the restore is left beside the key.
    EXPECT_EQ(registry_.SubkeyNames(kSerialService), (std::vector<std::wstring>{L"Parameters"}));
}

TEST_F(CloneRestore, UsbCloneRestoresOnlyTheUsbConfiguration)
{
    AddDevice(kUsbParameters, 1, usb_);
    AddDevice(kUsbParameters, 2, front_);
    std::wstring clone = WriteClone(kUsbParameters, L"MEKAClone.Dat");
    registry_.DeleteTree(kUsbParameters);

    SetupResult run = RunSetup(L"-s -en -eig -usb " + clone);
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_EQ(registry_.SubkeyNames(kUsbParameters), (std::vector<std::wstring>{L"1", L"2"}));
    ExpectDevice(kUsbParameters, 1, usb_);
    ExpectDevice(kUsbParameters, 2, front_);
    EXPECT_FALSE(registry_.KeyExists(kSerialParameters));
}

TEST_F(CloneRestore, AnUnreadableCloneFailsTheInstallAndKeepsTheDevices)
{
    AddDevice(kSerialParameters, 1, front_);
    const std::wstring garbage = folder_ + L"\\RILOClone.Dat";
    ASSERT_TRUE(testsupport::WriteFileBytes(garbage, "not a hive", 10));
    for (const std::wstring& file : {garbage, folder_ + L"\\missing.Dat"}) {
        SetupResult run = RunSetup(L"-s -en -eig -ser " + file);
        ASSERT_TRUE(run.ended);
        EXPECT_EQ(run.exitCode, 1u) << run.output;
        EXPECT_EQ(run.output.find("Completed Successfully"), std::string::npos) << run.output;
        EXPECT_NE(run.output.find("Tiven Touch Panel Utility Installation Failed"), std::string::npos) << run.output;
        EXPECT_EQ(registry_.SubkeyNames(kSerialParameters), (std::vector<std::wstring>{L"1"}));
        ExpectDevice(kSerialParameters, 1, front_);
    }
}

TEST_F(CloneRestore, ACopyThatFailsKeepsTheOldDevicesAndFailsTheInstall)
{
    AddDevice(kSerialParameters, 1, front_);
    AddDevice(kSerialParameters, 2, side_);
    std::wstring clone = WriteClone(kSerialParameters, L"RILOClone.Dat");
    // The configuration the restore is to replace, in keys below which no lasting key can be
    // made: copying the clone's device keys there fails.
    registry_.DeleteTree(kSerialService);
    const DeviceValues old1{L"Old Front", 60, {4, 4}}, old3{L"Old Third", 70, {3}};
    ASSERT_NO_FATAL_FAILURE(AddVolatileDevice(kSerialParameters, 1, old1));
    ASSERT_NO_FATAL_FAILURE(AddVolatileDevice(kSerialParameters, 3, old3));

    SetupResult run = RunSetup(L"-s -en -eig -ser " + clone);
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 1u) << run.output;
    EXPECT_NE(run.output.find("Cannot restore"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("Tiven Touch Panel Utility Installation Failed"), std::string::npos) << run.output;

    EXPECT_EQ(registry_.SubkeyNames(kSerialParameters), (std::vector<std::wstring>{L"1", L"3"}));
    ExpectDevice(kSerialParameters, 1, old1);
    ExpectDevice(kSerialParameters, 3, old3);
    EXPECT_EQ(registry_.SubkeyNames(kSerialService), (std::vector<std::wstring>{L"Parameters"}));
}
}  // namespace
