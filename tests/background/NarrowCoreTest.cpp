// The core's narrow build, as the background programs use it: the device-key walk, the device
// record and finder and the device files in the system code page.
#include <gtest/gtest.h>

#include "DeviceAccess.h"
#include "DeviceFinder.h"
#include "DeviceKeyFixture.h"
#include "DeviceKeys.h"

using testsupport::RegRow;
using testsupport::ScratchRegistry;
using testsupport::SerialKey;
using testsupport::UsbKey;

TEST(NarrowDeviceKeys, WalkSerialKeysThenUsbKeysWithTheirNames)
{
    ScratchRegistry reg;
    reg.Fill({RegRow::KeyOnly(UsbKey(1)), RegRow::KeyOnly(SerialKey(2)), RegRow::KeyOnly(SerialKey(5))});
    CRegistryKey registry;
    std::vector<std::string> seen;
    ForEachDeviceKey(registry, [&](DeviceFamily family, const std::string& subkey, CKeyHandle& key) {
        EXPECT_TRUE(key.IsValid());
        seen.push_back((family == DeviceFamily::Serial ? "RILO" : "MEKA") + subkey);
        return false;
    });
    EXPECT_EQ(seen, (std::vector<std::string>{"RILO2", "RILO5", "MEKA1"}));
}

TEST(NarrowDeviceFinder, FindsTheSerialDeviceFirstAndReadsItsValues)
{
    ScratchRegistry reg;
    reg.Fill({
        RegRow::Str(UsbKey(1), L"Device Name", L"Panel"),
        RegRow::Str(UsbKey(1), L"Controller Type", L"Tiven USB"),
        RegRow::Str(SerialKey(3), L"Device Name", L"Panel"),
        RegRow::Str(SerialKey(3), L"Controller Type", L"Tiven,Zarn,Serial"),
        RegRow::Num(SerialKey(3), L"Controller Enabled", 1),
        RegRow::Str(UsbKey(4), L"Device Name", L"Usb Only"),
    });
    CDeviceFinderA finder;
    std::unique_ptr<CDeviceRecordA> panel = finder.FindDevice("Panel");
    ASSERT_TRUE(panel);
    EXPECT_EQ(panel->Str_DeviceName, "Panel");
    EXPECT_EQ(panel->Str_SubKey, "3");
    EXPECT_EQ(panel->ControllerProtocol, "Tiven,Zarn,Serial");
    EXPECT_EQ(panel->dwCalibrationTimeout, 10u);
    DWORD enabled = 0;
    EXPECT_TRUE(finder.Key().ReadDword("Controller Enabled", &enabled));   // the finder stands on the key
    EXPECT_EQ(enabled, 1u);

    std::unique_ptr<CDeviceRecordA> usb = finder.FindDevice("Usb Only");
    ASSERT_TRUE(usb);
    EXPECT_EQ(usb->Str_SubKey, "4");
    EXPECT_EQ(usb->ControllerProtocol, "");
    EXPECT_FALSE(finder.FindDevice("panel")) << "names compare case-sensitively";
    EXPECT_FALSE(finder.FindDevice("Missing"));
}

// "Device Name" is read through 260 bytes in both builds: 129 UTF-16 characters in the wide
// build, 259 characters of the system code page in the narrow one.
TEST(NarrowDeviceFinder, ReadsDeviceNamesThroughTwoHundredSixtyBytes)
{
    const std::string fits(259, 'N');
    const std::string tooLong(260, 'L');
    ScratchRegistry reg;
    reg.Fill({
        RegRow::Str(SerialKey(1), L"Device Name", std::wstring(fits.begin(), fits.end())),
        RegRow::Str(SerialKey(2), L"Device Name", std::wstring(tooLong.begin(), tooLong.end())),
    });
    CDeviceFinderA narrow;
    std::unique_ptr<CDeviceRecordA> found = narrow.FindDevice(fits.c_str());
    ASSERT_TRUE(found);
    EXPECT_EQ(found->Str_SubKey, "1");
    EXPECT_FALSE(narrow.FindDevice(tooLong.c_str()));
    CDeviceFinder wide;
    EXPECT_FALSE(wide.FindDevice(std::wstring(fits.begin(), fits.end()).c_str()));
}

TEST(NarrowDeviceAccess, DeviceFilesFollowTheControllerType)
{
    EXPECT_EQ(DeviceFilePath(std::string("Tiven,Zarn,Serial"), std::string("2")), "\\\\.\\RILO2");
    EXPECT_EQ(DeviceFilePath(std::string("Tiven USB"), std::string("3")), "\\\\.\\MEKA3");
    EXPECT_EQ(DeviceFilePath(std::string("tiven,zarn,serial"), std::string("1")), "\\\\.\\MEKA1");
    EXPECT_EQ(DeviceFilePath(std::string(""), std::string("7")), "\\\\.\\MEKA7");
    EXPECT_TRUE(IsSerialProtocol(std::string("Tiven,Zarn,Serial")));
    EXPECT_FALSE(IsSerialProtocol(std::string("Tiven,Zarn,Serial ")));
}

TEST(NarrowDeviceAccess, NoRecordAndNoDeviceGiveNoHandleAndSendNothing)
{
    CDeviceRecordA* none = nullptr;
    EXPECT_EQ(GetDeviceHandle(none), nullptr);
    EXPECT_FALSE(DeviceIoctl(none, 0x220018));
    CDeviceRecordA absent;
    absent.ControllerProtocol = "Tiven,Zarn,Serial";
    absent.Str_SubKey = "999";   // no such device file
    EXPECT_EQ(GetDeviceHandle(&absent), INVALID_HANDLE_VALUE);
    const BYTE code = 1;
    EXPECT_FALSE(DeviceIoctl(&absent, 0x220018, &code, 1));
}
