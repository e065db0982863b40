// Restoring clone files during an unattended install, each test in a fresh prefix.
#include <gtest/gtest.h>

#include <vector>

#include "CloneFixture.h"
#include "CloneHive.h"
#include "KeyHandle.h"
#include "Privilege.h"
#include "RestoreLock.h"
#include "SetupRun.h"
#include "TestPaths.h"

using namespace setuptest;

namespace {
class CloneRestore : public CloneFixture {
protected:
    // The clone holds devices 1 and 2. The configuration it is to replace, devices 1 and 3, is
    // put into volatile keys made again once `deleted` is gone (the keys above it that are made
    // for them are volatile too), so no lasting key can be made below them: the restore fails,
    // and the old devices stay as they were.
    void ExpectAFailedRestoreKeepsTheOldDevices(const wchar_t* deleted)
    {
        AddDevice(kSerialParameters, 1, front_);
        AddDevice(kSerialParameters, 2, side_);
        std::wstring clone = WriteClone(kSerialParameters, L"RILOClone.Dat");
        registry_.DeleteTree(deleted);
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
        EXPECT_EQ(LoadedCloneHives(), std::vector<std::wstring>{});
    }
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
    // The service key is volatile too: the copies beside Parameters cannot be made.
    ExpectAFailedRestoreKeepsTheOldDevices(kSerialService);
}

TEST_F(CloneRestore, HandlesOpenBeforeTheRestoreReadTheNewContent)
{
    // The clone holds a value of the key itself besides its devices.
    registry_.SetDword(kSerialParameters, L"Devices", 2);
    AddDevice(kSerialParameters, 1, front_);
    AddDevice(kSerialParameters, 2, side_);
    std::wstring clone = WriteClone(kSerialParameters, L"RILOClone.Dat");
    const KeyTree cloned = ReadTree(HKEY_LOCAL_MACHINE, kSerialParameters);
    registry_.DeleteTree(kSerialParameters);
    registry_.SetDword(kSerialParameters, L"Devices", 1);
    AddDevice(kSerialParameters, 1, {L"Renamed", 1, {0}});
    AddDevice(kSerialParameters, 3, {L"New Panel", 50, {7}});
    // Held as a driver holds them: the key, and a device key that the clone has too.
    CKeyHandle parameters, device;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSerialParameters, 0, KEY_READ, parameters.Receive()), ERROR_SUCCESS);
    ASSERT_EQ(RegOpenKeyExW(parameters.Get(), L"1", 0, KEY_READ, device.Receive()), ERROR_SUCCESS);

    SetupResult run = RunSetup(L"-s -en -eig -ser " + clone);
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 0u) << run.output;

    DWORD devices = 0, bytes = sizeof devices;
    EXPECT_EQ(
        RegQueryValueExW(parameters.Get(), L"Devices", nullptr, nullptr, reinterpret_cast<BYTE*>(&devices), &bytes),
        ERROR_SUCCESS);
    EXPECT_EQ(devices, 2u);
    EXPECT_EQ(ReadTree(parameters.Get(), L""), cloned);
    wchar_t name[64] = {};
    bytes = sizeof name;
    EXPECT_EQ(RegQueryValueExW(device.Get(), L"Device Name", nullptr, nullptr, reinterpret_cast<BYTE*>(name), &bytes),
              ERROR_SUCCESS);
    EXPECT_EQ(std::wstring(name), front_.name);
    EXPECT_EQ(ReadTree(HKEY_LOCAL_MACHINE, kSerialParameters), cloned);
}

TEST_F(CloneRestore, AReplacementThatFailsPutsTheOldContentBack)
{
    // Only Parameters is volatile, below the lasting service key: the copies beside it are made,
    // but the clone's device 2 cannot be made below it, so the replacement fails after it has
    // changed device 1, and the old content comes back from the copy.
    ExpectAFailedRestoreKeepsTheOldDevices(kSerialParameters);
}

TEST_F(CloneRestore, ARestoreWaitsForOneThatRunsAndUnloadsHivesOfOnesThatEnded)
{
    AddDevice(kSerialParameters, 1, front_);
    std::wstring clone = WriteClone(kSerialParameters, L"RILOClone.Dat");
    const DeviceValues renamed{L"Renamed", 1, {0}};
    AddDevice(kSerialParameters, 1, renamed);
    ASSERT_TRUE(EnablePrivilege(SE_RESTORE_NAME));
    ASSERT_TRUE(EnablePrivilege(SE_BACKUP_NAME));
    {
        // This process runs a restore: it holds the lock and has its hive loaded.
        setup::CRestoreLock lock;
        ASSERT_TRUE(lock.Acquire(0));
        setup::CCloneHive hive;
        ASSERT_EQ(hive.Load(clone), ERROR_SUCCESS);

        SetupResult run = RunSetup(L"-s -en -eig -ser " + clone);
        ASSERT_TRUE(run.ended);
        EXPECT_EQ(run.exitCode, 1u) << run.output;
        EXPECT_NE(run.output.find("another restore of a clone file is still running"), std::string::npos) << run.output;
        EXPECT_EQ(LoadedCloneHives(), std::vector<std::wstring>{hive.Name()});
        ExpectDevice(kSerialParameters, 1, renamed);
        EXPECT_EQ(registry_.SubkeyNames(kSerialService), (std::vector<std::wstring>{L"Parameters"}));
    }
    // A hive left by a restore that has ended, under the name of a process that runs (this one,
    // as after a process id was handed out again): the next restore unloads it and goes on.
    const std::wstring leftover = setup::kCloneHivePrefix + std::to_wstring(GetCurrentProcessId());
    ASSERT_EQ(RegLoadKeyW(HKEY_USERS, leftover.c_str(), clone.c_str()), ERROR_SUCCESS);

    SetupResult run = RunSetup(L"-s -en -eig -ser " + clone);
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    ExpectDevice(kSerialParameters, 1, front_);
    EXPECT_EQ(LoadedCloneHives(), std::vector<std::wstring>{});
}
TEST_F(CloneRestore, WhatAnEarlierSwappingRestoreLeftIsMendedAndTheRestoreGoesOn)
{
    AddDevice(kSerialParameters, 1, front_);
    AddDevice(kSerialParameters, 2, side_);
    std::wstring clone = WriteClone(kSerialParameters, L"RILOClone.Dat");
    const std::wstring previous = std::wstring(kSerialParameters) + L".Old";
    const std::wstring staged = std::wstring(kSerialParameters) + L".New";
    const DeviceValues old1{L"Old Front", 60, {4, 4}};

    // Cut off between its two renames: no Parameters, its content in ".Old", the hive's copy
    // in ".New".
    registry_.DeleteTree(kSerialParameters);
    AddDevice(previous, 1, old1);
    AddDevice(staged, 1, front_);
    SetupResult run = RunSetup(L"-s -en -eig -ser " + clone);
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_EQ(registry_.SubkeyNames(kSerialParameters), (std::vector<std::wstring>{L"1", L"2"}));
    ExpectDevice(kSerialParameters, 1, front_);
    ExpectDevice(kSerialParameters, 2, side_);
    EXPECT_EQ(registry_.SubkeyNames(kSerialService), (std::vector<std::wstring>{L"Parameters"}));

    // Cut off after them: ".Old" beside the finished key. Without a clone to restore, the mend
    // alone shows: the key as it was, the leftover gone.
    AddDevice(previous, 1, old1);
    run = RunSetup(L"-s -en -eig -ser " + folder_ + L"\\missing.dat");
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(registry_.SubkeyNames(kSerialParameters), (std::vector<std::wstring>{L"1", L"2"}));
    ExpectDevice(kSerialParameters, 1, front_);
    EXPECT_EQ(registry_.SubkeyNames(kSerialService), (std::vector<std::wstring>{L"Parameters"}));
}
}  // namespace
