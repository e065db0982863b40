#include <algorithm>

#include "ApplyFixture.h"
#include "DriverProtocol.h"
#include "MessageBoxResponder.h"
#include "NamedObjects.h"
#include "RegistryKey.h"
#include "RegistryWriteLog.h"

using namespace corefixtures;
using namespace testsupport;
using standin::Driver;
using testsupport::MessageBoxResponder;
using testsupport::RegistryWriteLog;

namespace {
const std::vector<uint8_t> kFrontPacketFilter = Bytes({4, 60, 30, 15, 14});   // touchdown, rate, deglitch, averaging, stabilization
const std::vector<uint8_t> kFrontModes = Bytes({3, 0, 0, 0, 13, 0, 0, 0, 11, 12, 13, 0});

std::vector<std::wstring> Sorted(std::vector<std::wstring> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

// A new record as the Devices page adds one: defaults, its key created, appended.
CDeviceSettings* AddNewDevice(CAppletContext& ctx, const std::wstring& name, const std::wstring& type, int instance,
                              const std::wstring& port = L"")
{
    auto* record = new CDeviceSettings;
    record->SetDefaults(ctx.installDir, ctx.controllerKind);
    record->bAdded = true;
    record->Str_SubKey = std::to_wstring(instance);
    record->Str_DeviceName = name;
    record->ControllerProtocol = type;
    record->Str_DesktopSegment = 3;
    std::wstring path = type == kSerialControllerType ? SerialKey(instance) : UsbKey(instance);
    if (type == kSerialControllerType)
        record->Str_Port = port;
    HKEY key = nullptr;
    EXPECT_EQ(ERROR_SUCCESS, CRegistryKey().CreateSecuredKey(path.c_str(), &key));
    record->hSubKey.Reset(key);
    ctx.deviceCollection.Add(record);
    return record;
}

// The values a new device's key gets, in the order they are written.
std::vector<std::wstring> NewDeviceValues(bool serial)
{
    std::vector<std::wstring> names = {L"Device Name", L"Logical Desktop Segment", L"Logical Desktop Segment ID",
                                       L"Controller Type", L"LockFlag"};
    for (const wchar_t* letter : {L"X", L"Y", L"M", L"N"})
        for (int i = 1; i <= 4; ++i)
            names.push_back(std::wstring(L"Cal_") + letter + std::to_wstring(i));
    for (const wchar_t* name :
         {L"Max XPixels", L"Max YPixels", L"Controller", L"Sample Rate", L"Touchdown Filter", L"Deglitch",
          L"Controller Enabled", L"Sound Enabled", L"Wave File", L"Calibration Timeout", L"CalibPoint", L"calflag",
          L"Primary Button Mode", L"Secondary Button Mode", L"ClickTime", L"Liftoff Time", L"Tap Time",
          L"Stabilization", L"Averaging"})
        names.push_back(name);
    if (serial)
        for (const wchar_t* name :
             {L"Port", L"FIFO", L"Address", L"Baud Rate", L"Parity", L"Data bits", L"Stop Bits", L"IRQ"})
            names.push_back(name);
    return names;
}
}  // namespace

class ExistingDevices : public ApplyTest {
protected:
    void SetUp() override
    {
        ApplyTest::SetUp();
        AddDevice(reg, Distinct(Serial(1, L"Front")));
        AddDevice(reg, Distinct(Usb(2, L"Back")));
    }
};

TEST_F(ExistingDevices, NothingIsWrittenSentOrAskedWithoutAChangedGroup)
{
    CAppletContext ctx;
    CDeviceSettings* front = ctx.deviceCollection.FindByName(L"Front");
    front->bRecalibrate = true;
    front->bSoundChanged = true;
    ClearValues(SerialKey(1));
    HANDLE beep = CreateEventW(nullptr, TRUE, FALSE, kBeepEvent);
    MessageBoxResponder responder(IDNO);

    ctx.deviceCollection.ApplyChanges();

    EXPECT_FALSE(responder.Cancel()) << "unexpected question: " << std::string(responder.Result().text.begin(), responder.Result().text.end());
    EXPECT_TRUE(reg.ValueNames(SerialKey(1)).empty());
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(beep, 0));
    CloseHandle(beep);
    EXPECT_TRUE(front->bRecalibrate);
    EXPECT_DRIVER_LOG({});
}

TEST_F(ExistingDevices, OneChangedGroupWritesItsValuesAndSendsItsRequests)
{
    using Change = void (*)(CDeviceSettings&);
    struct Case {
        const char* group;
        Change change;
        std::vector<std::wstring> values;
        std::vector<Expected> requests;
    } cases[] = {
        {"advanced", [](CDeviceSettings& d) { d.dwSampleRate = 50; d.bAdvancedChanged = true; },
         {L"Sample Rate", L"Touchdown Filter", L"Deglitch", L"Controller Enabled", L"Sound Enabled", L"Wave File"},
         {{Driver::Rilo, 1, IOCTL_PACKET_FILTER_SETTINGS, Bytes({4, 50, 30, 15, 14})}}},
        {"calibration", [](CDeviceSettings& d) { d.dwCalFlag = 9; d.bCalibrationChanged = true; },
         {L"Calibration Timeout", L"CalibPoint", L"calflag"},
         {}},
        {"identity", [](CDeviceSettings& d) { d.Str_DesktopSegment = 15; d.bIdentityChanged = true; },
         {L"Device Name", L"Logical Desktop Segment", L"Logical Desktop Segment ID", L"Controller Type"},
         {{Driver::Rilo, 1, IOCTL_DEVICE_SEGMENT, Bytes({18})}}},
        {"button modes", [](CDeviceSettings& d) { d.dwPrimaryButtonMode = 5; d.bEventsChanged = true; },
         {L"Primary Button Mode", L"Secondary Button Mode"},
         {{Driver::Rilo, 1, IOCTL_MODE_SETTINGS, Bytes({6, 0, 0, 0, 13, 0, 0, 0, 11, 12, 13, 0})}}},
        {"serial", [](CDeviceSettings& d) { d.Str_Port = L"COM7"; d.bHardwareChanged = true; },
         {L"Port", L"FIFO", L"Address", L"Baud Rate", L"Parity", L"Data bits", L"Stop Bits", L"IRQ"},
         {{Driver::Rilo, 1, IOCTL_SERIAL_SETTINGS, BytesOf(MakeSerialSettingsRequest(19200, 14, 7, 2, 2, L"COM7"))}}},
        {"timing", [](CDeviceSettings& d) { d.dwClickTime = 20; d.bSettingsChanged = true; },
         {L"ClickTime", L"Liftoff Time", L"Tap Time", L"Stabilization", L"Averaging"},
         {{Driver::Rilo, 1, IOCTL_MODE_SETTINGS, Bytes({3, 0, 0, 0, 13, 0, 0, 0, 20, 12, 13, 0})},
          {Driver::Rilo, 1, IOCTL_PACKET_FILTER_SETTINGS, kFrontPacketFilter}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.group);
        AddDevice(reg, Distinct(Serial(1, L"Front")));
        ASSERT_TRUE(standin::Reset());
        CAppletContext ctx;
        CDeviceSettings* front = ctx.deviceCollection.FindByName(L"Front");
        ASSERT_NE(nullptr, front);
        ClearValues(SerialKey(1));
        c.change(*front);
        ASSERT_TRUE(ctx.deviceCollection.HasChanges());
        RegistryWriteLog writes;
        ASSERT_TRUE(writes.Active());
        EXPECT_TRUE(ctx.deviceCollection.ApplyChanges());
        EXPECT_EQ(c.values, writes.NamesWrittenTo(front->hSubKey.Get()));
        EXPECT_EQ(Sorted(c.values), Sorted(reg.ValueNames(SerialKey(1))));
        EXPECT_FALSE(ctx.deviceCollection.HasChanges());
        EXPECT_DRIVER_LOG(c.requests);
    }
}

TEST_F(ExistingDevices, WrittenValuesRoundTrip)
{
    {
        CAppletContext ctx;
        CDeviceSettings* back = ctx.deviceCollection.FindByName(L"Back");
        back->dwPrimaryButtonMode = 12;
        back->dwSecondaryButtonMode = 0;
        back->Str_DesktopSegment = 15;
        back->Str_WaveFile = L"C:\\Program Files\\Tiven\\wave\\" + std::wstring(200, L'w') + L".wav";
        back->bEventsChanged = back->bIdentityChanged = back->bAdvancedChanged = true;
        ctx.deviceCollection.ApplyChanges();
    }
    EXPECT_EQ(13u, reg.Read(UsbKey(2), L"Primary Button Mode").AsDword());
    EXPECT_EQ(1u, reg.Read(UsbKey(2), L"Secondary Button Mode").AsDword());
    EXPECT_EQ(18u, reg.Read(UsbKey(2), L"Logical Desktop Segment ID").AsDword());
    testsupport::RegValue wave = reg.Read(UsbKey(2), L"Wave File");
    EXPECT_EQ(static_cast<DWORD>(REG_EXPAND_SZ), wave.type);
    EXPECT_EQ(2 * (wave.AsString().size() + 1), wave.Size());
    CAppletContext again;
    CDeviceSettings* back = again.deviceCollection.FindByName(L"Back");
    EXPECT_EQ(12u, back->dwPrimaryButtonMode);
    EXPECT_EQ(0u, back->dwSecondaryButtonMode);
    EXPECT_EQ(15u, back->Str_DesktopSegment);
    EXPECT_EQ(wave.AsString(), back->Str_WaveFile);
    EXPECT_FALSE(again.deviceCollection.HasChanges());
}

TEST_F(ExistingDevices, DisablingAndEnablingFollowThePacketFilter)
{
    struct Case { DWORD enabled; DWORD code; bool state; } cases[] = {
        {0, IOCTL_DISABLE_DEVICE, false}, {1, IOCTL_ENABLE_DEVICE, true},
    };
    CAppletContext ctx;
    CDeviceSettings* front = ctx.deviceCollection.FindByName(L"Front");
    for (const Case& c : cases) {
        ASSERT_TRUE(standin::ClearLog());
        front->dwControllerEnabled = c.enabled;
        front->bAdvancedChanged = front->bEnableChanged = true;
        ctx.deviceCollection.ApplyChanges();
        EXPECT_DRIVER_LOG({{Driver::Rilo, 1, IOCTL_PACKET_FILTER_SETTINGS, kFrontPacketFilter},
                           {Driver::Rilo, 1, c.code, {}}});
        EXPECT_EQ(c.state, standin::GetState(Driver::Rilo, 1).enabled);
        EXPECT_FALSE(front->bEnableChanged);
        EXPECT_EQ(c.enabled, reg.Read(SerialKey(1), L"Controller Enabled").AsDword());
    }
}

TEST_F(ExistingDevices, AnEnableChangeWaitsForTheDeviceToAppear)
{
    ASSERT_TRUE(standin::Unplug(Driver::Meka, 2));
    CAppletContext ctx;
    CDeviceSettings* back = ctx.deviceCollection.FindByName(L"Back");
    EXPECT_EQ(INVALID_HANDLE_VALUE, back->hDevice);
    back->dwControllerEnabled = 0;
    back->bAdvancedChanged = back->bEnableChanged = true;
    ctx.deviceCollection.ApplyChanges();
    EXPECT_EQ(0u, reg.Read(UsbKey(2), L"Controller Enabled").AsDword());   // the registry is written anyway
    EXPECT_TRUE(back->bEnableChanged);
    EXPECT_FALSE(back->bAdvancedChanged);
    EXPECT_DRIVER_LOG({});

    ASSERT_TRUE(standin::Replug(Driver::Meka, 2));   // the failed open is tried again
    back->bAdvancedChanged = true;
    ctx.deviceCollection.ApplyChanges();
    EXPECT_DRIVER_LOG({{Driver::Meka, 2, IOCTL_PACKET_FILTER_SETTINGS, kFrontPacketFilter},
                       {Driver::Meka, 2, IOCTL_DISABLE_DEVICE, {}}});
    EXPECT_FALSE(back->bEnableChanged);
}

TEST_F(ExistingDevices, ASoundChangeWakesTheSoundProgram)
{
    HANDLE beep = CreateEventW(nullptr, TRUE, FALSE, kBeepEvent);
    ASSERT_NE(nullptr, beep);
    CAppletContext ctx;
    CDeviceSettings* back = ctx.deviceCollection.FindByName(L"Back");
    back->dwSoundEnabled = 1;
    back->bSoundChanged = back->bAdvancedChanged = true;
    ctx.deviceCollection.ApplyChanges();
    EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), WaitForSingleObject(beep, 0));
    EXPECT_FALSE(back->bSoundChanged);
    EXPECT_EQ(1u, reg.Read(UsbKey(2), L"Sound Enabled").AsDword());
    CloseHandle(beep);
}

TEST_F(ExistingDevices, ANewSerialDeviceIsWrittenInFullAndAnnouncedToTheControlDevice)
{
    CAppletContext ctx;
    CDeviceSettings* added = AddNewDevice(ctx, L"Side", kSerialControllerType, 3, L"COM4");
    RegistryWriteLog writes;
    ASSERT_TRUE(writes.Active());
    EXPECT_TRUE(ctx.deviceCollection.ApplyChanges());
    EXPECT_FALSE(added->bAdded);
    EXPECT_FALSE(ctx.deviceCollection.HasChanges());

    EXPECT_EQ(NewDeviceValues(true), writes.NamesWrittenTo(added->hSubKey.Get()));
    EXPECT_EQ(Sorted(NewDeviceValues(true)), Sorted(reg.ValueNames(SerialKey(3))));
    struct Value { const wchar_t* name; DWORD value; } values[] = {
        {L"Logical Desktop Segment", 3}, {L"Logical Desktop Segment ID", 6}, {L"LockFlag", 0}, {L"Cal_N4", 0},
        {L"Max XPixels", static_cast<DWORD>(GetSystemMetrics(SM_CXSCREEN))},
        {L"Max YPixels", static_cast<DWORD>(GetSystemMetrics(SM_CYSCREEN))}, {L"Controller", 2}, {L"calflag", 9},
        {L"Primary Button Mode", 1}, {L"Secondary Button Mode", 2}, {L"Baud Rate", 9600}, {L"Address", 760},
    };
    for (const Value& v : values)
        EXPECT_EQ(v.value, reg.Read(SerialKey(3), v.name).AsDword()) << v.name;
    EXPECT_EQ(L"COM4", reg.Read(SerialKey(3), L"Port").AsString());
    EXPECT_EQ(L"C:\\Tiven\\wave\\default.wav", reg.Read(SerialKey(3), L"Wave File").AsString());

    EXPECT_DRIVER_LOG({{Driver::Rilo, 0, IOCTL_NEW_DEVICE_NOTIFIATION, BytesOf(MakeNewDeviceRequest(L"COM4", 3))}});
}

TEST_F(ExistingDevices, ANewUsbDeviceGetsNoNoticeAndNoSerialValues)
{
    reg.SetDword(kProductKeyPath, L"Controller", 1);
    CAppletContext ctx;
    CDeviceSettings* added = AddNewDevice(ctx, L"Top", kUsbControllerType, 4);
    RegistryWriteLog writes;
    ASSERT_TRUE(writes.Active());
    EXPECT_TRUE(ctx.deviceCollection.ApplyChanges());
    EXPECT_EQ(NewDeviceValues(false), writes.NamesWrittenTo(added->hSubKey.Get()));
    EXPECT_EQ(Sorted(NewDeviceValues(false)), Sorted(reg.ValueNames(UsbKey(4))));
    EXPECT_EQ(4u, reg.Read(UsbKey(4), L"calflag").AsDword());
    EXPECT_EQ(1u, reg.Read(UsbKey(4), L"Controller").AsDword());
    EXPECT_DRIVER_LOG({});
}

TEST_F(ExistingDevices, ANewDeviceWhoseKeyCannotBeCreatedIsReportedAndNotAnnounced)
{
    // Under a volatile Parameters key no lasting device key can be created.
    reg.DeleteTree(kSerialParametersPath);
    HKEY parameters = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_LOCAL_MACHINE, kSerialParametersPath, 0, nullptr,
                                             REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &parameters, nullptr));
    RegCloseKey(parameters);
    HKEY probe = nullptr;
    ASSERT_NE(ERROR_SUCCESS, CRegistryKey().CreateSecuredKey(SerialKey(3).c_str(), &probe));

    CAppletContext ctx;
    auto* added = new CDeviceSettings;   // as the Devices page leaves it when the create failed
    added->SetDefaults(ctx.installDir, ctx.controllerKind);
    added->bAdded = true;
    added->Str_SubKey = L"3";
    added->Str_DeviceName = L"Side";
    added->ControllerProtocol = kSerialControllerType;
    added->Str_Port = L"COM4";
    ctx.deviceCollection.Add(added);
    CDeviceSettings* back = ctx.deviceCollection.FindByName(L"Back");
    back->dwSampleRate = 70;
    back->bAdvancedChanged = true;

    EXPECT_FALSE(ctx.deviceCollection.ApplyChanges());
    EXPECT_TRUE(added->bAdded) << "the device stays to be written";
    EXPECT_FALSE(reg.KeyExists(SerialKey(3)));
    EXPECT_EQ(70u, reg.Read(UsbKey(2), L"Sample Rate").AsDword()) << "the other devices are applied";
    EXPECT_DRIVER_LOG({{Driver::Meka, 2, IOCTL_PACKET_FILTER_SETTINGS, Bytes({4, 70, 30, 15, 14})}});

    // Once the key can be created, the next apply writes the device and announces it.
    reg.DeleteTree(kSerialParametersPath);
    ASSERT_TRUE(standin::ClearLog());
    EXPECT_TRUE(ctx.deviceCollection.ApplyChanges());
    EXPECT_FALSE(added->bAdded);
    EXPECT_EQ(L"Side", reg.Read(SerialKey(3), L"Device Name").AsString());
    EXPECT_DRIVER_LOG({{Driver::Rilo, 0, IOCTL_NEW_DEVICE_NOTIFIATION, BytesOf(MakeNewDeviceRequest(L"COM4", 3))}});
}

TEST_F(ExistingDevices, RemovedDevicesAreAnnouncedAndTheirKeysDeleted)
{
    struct Case { const wchar_t* name; std::wstring key; Expected notice; } cases[] = {
        {L"Front", SerialKey(1), {Driver::Rilo, 0, IOCTL_DELETE_DEVICE_NOTIFICATION, Bytes({1})}},
        {L"Back", UsbKey(2), {Driver::Meka, 2, IOCTL_DELETE_DEVICE_NOTIFICATION, {}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key.begin(), c.key.end()));
        AddDevice(reg, Distinct(Serial(1, L"Front")));
        AddDevice(reg, Distinct(Usb(2, L"Back")));
        ASSERT_TRUE(standin::Reset());
        CAppletContext ctx;
        ASSERT_TRUE(ctx.SelectDevice(c.name));
        ctx.deviceCollection.FindByName(c.name)->bRemoved = true;
        ctx.deviceCollection.ApplyChanges();
        EXPECT_FALSE(reg.KeyExists(c.key));
        EXPECT_EQ(nullptr, ctx.deviceCollection.FindByName(c.name));
        EXPECT_EQ(1u, ctx.deviceCollection.Count());
        EXPECT_EQ(nullptr, ctx.currentDevice);   // not left pointing at the freed record
        EXPECT_DRIVER_LOG({c.notice});
        if (c.notice.driver == Driver::Rilo) {
            EXPECT_EQ(1, standin::GetState(Driver::Rilo, 0).deletedInstance);
        } else {
            EXPECT_TRUE(standin::GetState(Driver::Meka, 2).deleteNotified);
        }
    }
}

TEST_F(ExistingDevices, TheCurrentDeviceIsLookedUpAgainAfterAnApply)
{
    CAppletContext ctx;
    ASSERT_TRUE(ctx.SelectDevice(L"Front"));
    ctx.deviceCollection.FindByName(L"Front")->bRemoved = true;
    CDeviceSettings* replacement = AddNewDevice(ctx, L"Front", kUsbControllerType, 5);
    ctx.deviceCollection.ApplyChanges();
    EXPECT_EQ(replacement, ctx.currentDevice);
    EXPECT_EQ(replacement, ctx.deviceCollection.FindByName(L"Front"));
    EXPECT_TRUE(reg.KeyExists(UsbKey(5)));
    EXPECT_FALSE(reg.KeyExists(SerialKey(1)));
}

TEST_F(ExistingDevices, DiscardAddedDevicesDeletesOnlyNewKeys)
{
    CAppletContext ctx;
    EXPECT_EQ(0u, ctx.deviceCollection.DiscardAddedDevices());   // nothing changed
    AddNewDevice(ctx, L"New serial", kSerialControllerType, 6, L"COM1");
    AddNewDevice(ctx, L"New usb", L"TIVEN usb", 7);   // the USB text is compared without case
    ASSERT_TRUE(reg.KeyExists(SerialKey(6)));
    EXPECT_EQ(4u, ctx.deviceCollection.DiscardAddedDevices());
    EXPECT_FALSE(reg.KeyExists(SerialKey(6)));
    EXPECT_FALSE(reg.KeyExists(UsbKey(7)));
    EXPECT_TRUE(reg.KeyExists(SerialKey(1)));
    EXPECT_TRUE(reg.KeyExists(UsbKey(2)));
    EXPECT_EQ(4u, ctx.deviceCollection.Count());
}
