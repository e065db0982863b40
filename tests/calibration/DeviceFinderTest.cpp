// Finding a device by name among the serial and USB device keys.
#include <gtest/gtest.h>

#include "DeviceFinder.h"
#include "ScratchRegistry.h"

using testsupport::RegRow;
using testsupport::ScratchRegistry;

namespace {
const std::wstring kRilo = L"SYSTEM\\CurrentControlSet\\Services\\RILO\\Parameters\\";
const std::wstring kMeka = L"SYSTEM\\CurrentControlSet\\Services\\MEKA\\Parameters\\";
}  // namespace

TEST(DeviceFinder, SerialDeviceWinsOverUsbDeviceOfTheSameName)
{
    ScratchRegistry reg;
    reg.Fill({
        RegRow::Str(kMeka + L"1", L"Device Name", L"Panel"),
        RegRow::Str(kMeka + L"1", L"Controller Type", L"Tiven USB"),
        RegRow::Str(kRilo + L"2", L"Device Name", L"Other"),
        RegRow::Str(kRilo + L"3", L"Device Name", L"Panel"),
        RegRow::Str(kRilo + L"3", L"Controller Type", L"Tiven,Zarn,Serial"),
        RegRow::Num(kRilo + L"3", L"Calibration Timeout", 25),
        RegRow::Num(kRilo + L"3", L"CalibPoint", 4),
    });
    CDeviceFinder finder;
    auto record = finder.FindDevice(L"Panel");
    ASSERT_TRUE(record);
    EXPECT_EQ(record->Str_DeviceName, L"Panel");
    EXPECT_EQ(record->Str_SubKey, L"3");
    EXPECT_EQ(record->ControllerProtocol, L"Tiven,Zarn,Serial");
    EXPECT_EQ(record->dwCalibrationTimeout, 25u);
    EXPECT_EQ(record->hDevice, nullptr);
    // The finder's key stands on the device key.
    DWORD calibPoint = 0;
    EXPECT_TRUE(finder.Key().ReadDword(L"CalibPoint", &calibPoint));
    EXPECT_EQ(calibPoint, 4u);
}

TEST(DeviceFinder, UsbDeviceIsFoundWithDefaultsForMissingValues)
{
    ScratchRegistry reg;
    reg.Fill({
        RegRow::KeyOnly(kRilo + L"1"),   // no "Device Name": skipped
        RegRow::Str(kMeka + L"4", L"Device Name", L"USB Panel"),
        RegRow::Num(kMeka + L"4", L"Calibration Timeout", 0),
        RegRow::Str(kMeka + L"5", L"Device Name", L"Bare"),
    });
    CDeviceFinder finder;
    auto zero = finder.FindDevice(L"USB Panel");
    ASSERT_TRUE(zero);
    EXPECT_EQ(zero->Str_SubKey, L"4");
    EXPECT_EQ(zero->dwCalibrationTimeout, 10u);
    auto bare = finder.FindDevice(L"Bare");
    ASSERT_TRUE(bare);
    EXPECT_EQ(bare->dwCalibrationTimeout, 10u);
    EXPECT_EQ(bare->ControllerProtocol, L"");
}

TEST(DeviceFinder, NamesMustMatchExactly)
{
    ScratchRegistry reg;
    const std::wstring longName(130, L'x');   // 131 characters with the NUL: beyond 260 bytes
    reg.Fill({
        RegRow::Str(kRilo + L"1", L"Device Name", L"RILO Device-1"),
        RegRow::Str(kRilo + L"2", L"Device Name", longName),
    });
    CDeviceFinder finder;
    for (const wchar_t* name : {L"rilo device-1", L"RILO Device-1 ", L"RILO", L""})
        EXPECT_FALSE(finder.FindDevice(name)) << testing::PrintToString(std::wstring(name));
    EXPECT_FALSE(finder.FindDevice(longName.c_str()));
    EXPECT_TRUE(finder.FindDevice(L"RILO Device-1"));
}

TEST(DeviceFinder, NoDriverKeysFindsNothing)
{
    ScratchRegistry reg;
    CDeviceFinder finder;
    EXPECT_FALSE(finder.FindDevice(L"Panel"));
}
