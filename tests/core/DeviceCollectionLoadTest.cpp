#include <gtest/gtest.h>

#include "AppletContext.h"
#include "DeviceKeyFixture.h"

using namespace testsupport;
using testsupport::ScratchRegistry;

// Instances above 32 have no stand-in device file, so loading here never reaches a driver.

namespace {
std::vector<std::wstring> NamesOf(const CDeviceCollection& collection)
{
    std::vector<CDeviceSettings*> devices;
    collection.GetDevices(devices);
    std::vector<std::wstring> names;
    for (CDeviceSettings* d : devices)
        names.push_back(d->Str_DeviceName);
    return names;
}

struct Flags {
    bool identity, advanced, calibration, events, hardware, settings;
    bool operator==(const Flags& o) const
    {
        return identity == o.identity && advanced == o.advanced && calibration == o.calibration &&
               events == o.events && hardware == o.hardware && settings == o.settings;
    }
};
Flags FlagsOf(const CDeviceSettings& d)
{
    return {d.bIdentityChanged, d.bAdvancedChanged, d.bCalibrationChanged, d.bEventsChanged, d.bHardwareChanged,
            d.bSettingsChanged};
}
std::ostream& operator<<(std::ostream& os, const Flags& f)
{
    return os << "id " << f.identity << " adv " << f.advanced << " cal " << f.calibration << " ev " << f.events
              << " hw " << f.hardware << " set " << f.settings;
}
}  // namespace

TEST(DeviceCollectionLoad, ACompleteSerialKeyLoadsEveryValueAndMarksNothing)
{
    ScratchRegistry reg;
    AddProduct(reg, {2, L"C:\\Tiven"});
    AddDevice(reg, Distinct(Serial(41, L"Front")));
    CAppletContext ctx;
    ASSERT_EQ(1u, ctx.deviceCollection.Count());
    const CDeviceSettings& d = *ctx.deviceCollection.FindByName(L"Front");
    EXPECT_EQ(2u, ctx.controllerKind);
    EXPECT_EQ(L"C:\\Tiven", ctx.installDir);
    EXPECT_EQ(L"41", d.Str_SubKey);
    EXPECT_TRUE(d.hSubKey);
    EXPECT_EQ(INVALID_HANDLE_VALUE, d.hDevice);   // no such device file
    EXPECT_EQ(kSerialControllerType, d.ControllerProtocol);
    EXPECT_EQ(7u, d.Str_DesktopSegment);
    EXPECT_EQ((std::vector<DWORD>{60, 4, 30, 1, 2}),
              (std::vector<DWORD>{d.dwSampleRate, d.dwTouchdownFilter, d.dwDeglitch, d.dwControllerEnabled, d.dwSoundEnabled}));
    EXPECT_EQ(L"C:\\sounds\\tick.wav", d.Str_WaveFile);
    EXPECT_EQ((std::vector<DWORD>{25, 3, 25}), (std::vector<DWORD>{d.dwCalibrationTimeout, d.dwCalibPoint, d.dwCalFlag}));
    EXPECT_EQ(2u, d.dwPrimaryButtonMode);     // stored code 3
    EXPECT_EQ(12u, d.dwSecondaryButtonMode);  // stored code 13
    EXPECT_EQ((std::vector<DWORD>{14, 0x3E8, 19200, 2, 4, 7, 2}),
              (std::vector<DWORD>{d.dwFIFO, d.dwAddress, d.BaudRate, d.dwParity, d.dwIRQ, d.DataBits, d.dwStopBits}));
    EXPECT_EQ(L"COM3", d.Str_Port);
    EXPECT_EQ((std::vector<DWORD>{11, 12, 13, 14, 15}),
              (std::vector<DWORD>{d.dwClickTime, d.dwTapTime, d.dwLiftOffTime, d.dwStabilization, d.dwAveraging}));
    EXPECT_EQ((Flags{false, false, false, false, false, false}), FlagsOf(d));
    EXPECT_FALSE(ctx.deviceCollection.HasChanges());
}

TEST(DeviceCollectionLoad, AKeyWithOnlyItsIdentityTakesEveryDefaultAndMarksItsGroups)
{
    struct Case { bool serial; DWORD controller; DWORD calFlag; Flags flags; } cases[] = {
        {true, 1, 4, {false, true, true, true, true, true}},
        {false, 2, 9, {false, true, true, true, false, true}},   // USB: never the serial group
        {true, 0, 9, {false, true, true, true, true, true}},
    };
    for (const Case& c : cases) {
        ScratchRegistry reg;
        AddProduct(reg, {c.controller, L"D:\\Touch"});
        std::wstring key = c.serial ? SerialKey(42) : UsbKey(42);
        reg.SetString(key, L"Device Name", L"Bare");
        reg.SetString(key, L"Controller Type", c.serial ? kSerialControllerType : L"Tiven USB");
        CAppletContext ctx;
        ASSERT_EQ(1u, ctx.deviceCollection.Count());
        const CDeviceSettings& d = *ctx.deviceCollection.FindByName(L"Bare");
        EXPECT_EQ(c.flags, FlagsOf(d)) << c.serial;
        EXPECT_TRUE(ctx.deviceCollection.HasChanges());
        EXPECT_EQ(0u, d.Str_DesktopSegment);
        EXPECT_EQ((std::vector<DWORD>{100, 0, 0, 1, 0}),
                  (std::vector<DWORD>{d.dwSampleRate, d.dwTouchdownFilter, d.dwDeglitch, d.dwControllerEnabled, d.dwSoundEnabled}));
        EXPECT_EQ(L"D:\\Touch\\wave\\default.wav", d.Str_WaveFile);
        EXPECT_EQ((std::vector<DWORD>{10, 1, c.calFlag}),
                  (std::vector<DWORD>{d.dwCalibrationTimeout, d.dwCalibPoint, d.dwCalFlag}));
        EXPECT_EQ(0u, d.dwPrimaryButtonMode);
        EXPECT_EQ(1u, d.dwSecondaryButtonMode);
        EXPECT_EQ((std::vector<DWORD>{9, 9, 5, 0, 0}),
                  (std::vector<DWORD>{d.dwClickTime, d.dwTapTime, d.dwLiftOffTime, d.dwStabilization, d.dwAveraging}));
        if (c.serial) {
            EXPECT_EQ((std::vector<DWORD>{0, 760, 9600, 0, 0, 8, 1}),
                      (std::vector<DWORD>{d.dwFIFO, d.dwAddress, d.BaudRate, d.dwParity, d.dwIRQ, d.DataBits, d.dwStopBits}));
            EXPECT_EQ(L"No COM2", d.Str_Port);
        }
    }
}

TEST(DeviceCollectionLoad, OneMissingValueMarksOnlyItsGroup)
{
    struct Case { const wchar_t* value; Flags flags; } cases[] = {
        {L"Logical Desktop Segment", {false, false, false, false, false, false}},   // 0, no flag
        {L"Deglitch", {false, true, false, false, false, false}},
        {L"Wave File", {false, true, false, false, false, false}},
        {L"CalibPoint", {false, false, true, false, false, false}},
        {L"Secondary Button Mode", {false, false, false, true, false, false}},
        {L"Port", {false, false, false, false, true, false}},
        {L"Stop Bits", {false, false, false, false, true, false}},
        {L"Averaging", {false, false, false, false, false, true}},
    };
    for (const Case& c : cases) {
        ScratchRegistry reg;
        AddDevice(reg, Distinct(Serial(43, L"Dev")));
        HKEY k = nullptr;
        RegOpenKeyExW(HKEY_LOCAL_MACHINE, SerialKey(43).c_str(), 0, KEY_ALL_ACCESS, &k);
        RegDeleteValueW(k, c.value);
        RegCloseKey(k);
        CAppletContext ctx;
        ASSERT_EQ(1u, ctx.deviceCollection.Count()) << c.value;
        EXPECT_EQ(c.flags, FlagsOf(*ctx.deviceCollection.FindByName(L"Dev"))) << c.value;
    }
}

TEST(DeviceCollectionLoad, OutOfRangeTableIndicesCountAsMissing)
{
    struct Case { const wchar_t* value; DWORD stored; DWORD primary, secondary, segment; Flags flags; } cases[] = {
        {L"Primary Button Mode", 0, 0, 12, 7, {false, false, false, true, false, false}},
        {L"Primary Button Mode", 14, 0, 12, 7, {false, false, false, true, false, false}},
        {L"Secondary Button Mode", 0xFFFFFFFF, 2, 1, 7, {false, false, false, true, false, false}},
        {L"Secondary Button Mode", 13, 2, 12, 7, {false, false, false, false, false, false}},
        {L"Logical Desktop Segment", 16, 2, 12, 0, {true, false, false, false, false, false}},
        {L"Logical Desktop Segment", 15, 2, 12, 15, {false, false, false, false, false, false}},
    };
    for (const Case& c : cases) {
        ScratchRegistry reg;
        AddDevice(reg, Distinct(Serial(44, L"Dev")));
        reg.SetDword(SerialKey(44), c.value, c.stored);
        CAppletContext ctx;
        const CDeviceSettings& d = *ctx.deviceCollection.FindByName(L"Dev");
        EXPECT_EQ(c.primary, d.dwPrimaryButtonMode) << c.value << "=" << c.stored;
        EXPECT_EQ(c.secondary, d.dwSecondaryButtonMode) << c.value << "=" << c.stored;
        EXPECT_EQ(c.segment, d.Str_DesktopSegment) << c.value << "=" << c.stored;
        EXPECT_EQ(c.flags, FlagsOf(d)) << c.value << "=" << c.stored;
    }
}

TEST(DeviceCollectionLoad, ControllerKindOutsideItsRangeCountsAsMissing)
{
    struct Case { DWORD stored; DWORD kind; } cases[] = {{1, 1}, {3, 3}, {0, 0}, {4, 0}, {0xFFFFFFFF, 0}};
    for (const Case& c : cases) {
        ScratchRegistry reg;
        AddProduct(reg, {c.stored, L"C:\\T"});
        CAppletContext ctx;
        EXPECT_EQ(c.kind, ctx.controllerKind) << c.stored;
    }
}

TEST(DeviceCollectionLoad, AWaveFilePathUpTo259CharactersIsKept)
{
    struct Case { size_t length; bool kept; } cases[] = {{129, true}, {130, true}, {259, true}, {260, false}};
    for (const Case& c : cases) {
        ScratchRegistry reg;
        AddProduct(reg, {2, L"C:\\T"});
        AddDevice(reg, Distinct(Serial(45, L"Dev")));
        std::wstring path = L"C:\\" + std::wstring(c.length - 9, L'w') + L"\\x.wav";
        ASSERT_EQ(c.length, path.size());
        reg.SetString(SerialKey(45), L"Wave File", path);
        CAppletContext ctx;
        const CDeviceSettings& d = *ctx.deviceCollection.FindByName(L"Dev");
        EXPECT_EQ(c.kept ? path : L"C:\\T\\wave\\default.wav", d.Str_WaveFile) << c.length;
        EXPECT_EQ(!c.kept, d.bAdvancedChanged) << c.length;
    }
}

TEST(DeviceCollectionLoad, RecordsWithoutNameOrTypeAreLeftOutAndSerialDevicesComeFirst)
{
    ScratchRegistry reg;
    AddDevice(reg, Distinct(Usb(46, L"Usb A")));
    AddDevice(reg, Distinct(Serial(47, L"Serial A")));
    reg.SetString(SerialKey(48), L"Device Name", L"No type");
    reg.SetString(UsbKey(49), L"Controller Type", L"Tiven USB");   // no name
    AddDevice(reg, Distinct(Serial(50, L"Serial B")));
    reg.SetString(SerialKey(51), L"Device Name", std::wstring(500, L'n'));   // 1002 bytes: does not fit
    reg.SetString(SerialKey(51), L"Controller Type", kSerialControllerType);
    CAppletContext ctx;
    EXPECT_EQ((std::vector<std::wstring>{L"Serial A", L"Serial B", L"Usb A"}), NamesOf(ctx.deviceCollection));
}

TEST(DeviceCollectionLoad, AMissingProductKeyLeavesKindZeroAndNoInstallFolder)
{
    ScratchRegistry reg;
    reg.SetString(UsbKey(46), L"Device Name", L"U");
    reg.SetString(UsbKey(46), L"Controller Type", L"Tiven USB");
    CAppletContext ctx;
    EXPECT_EQ(0u, ctx.controllerKind);
    EXPECT_EQ(L"", ctx.installDir);
    EXPECT_EQ(nullptr, ctx.serviceKey.AttachedKey());
    EXPECT_EQ(L"\\wave\\default.wav", ctx.deviceCollection.FindByName(L"U")->Str_WaveFile);
    EXPECT_EQ(9u, ctx.deviceCollection.FindByName(L"U")->dwCalFlag);
}

TEST(DeviceCollectionLoad, QueriesOverRemovedRecords)
{
    ScratchRegistry reg;
    AddDevice(reg, Distinct(Serial(41, L"One")));
    AddDevice(reg, Distinct(Usb(42, L"Two")));
    CAppletContext ctx;
    CDeviceCollection& c = ctx.deviceCollection;
    EXPECT_FALSE(c.HasChanges());
    EXPECT_FALSE(c.AllRemoved());
    c.FindByName(L"One")->bRemoved = true;
    std::vector<std::wstring> names;
    EXPECT_EQ(2u, c.GetDeviceNames(names));
    EXPECT_EQ(std::vector<std::wstring>{L"Two"}, names);
    EXPECT_NE(nullptr, c.FindByName(L"One"));
    EXPECT_EQ(nullptr, c.FindActiveByName(L"One"));
    EXPECT_EQ(nullptr, c.FindByName(L""));
    EXPECT_TRUE(c.HasChanges());
    EXPECT_FALSE(c.AllRemoved());
    c.FindByName(L"Two")->bRemoved = true;
    EXPECT_TRUE(c.AllRemoved());
    EXPECT_TRUE(ctx.NoControllerLeft());
}

TEST(DeviceCollectionLoad, AnEmptyCollectionHasNoControllerLeft)
{
    ScratchRegistry reg;
    CAppletContext ctx;
    EXPECT_EQ(0u, ctx.deviceCollection.Count());
    EXPECT_TRUE(ctx.deviceCollection.AllRemoved());
    EXPECT_FALSE(ctx.deviceCollection.HasChanges());
}

TEST(DeviceSettings, SetDefaults)
{
    struct Case { DWORD kind; DWORD calFlag; } cases[] = {{1, 4}, {2, 9}, {3, 9}, {0, 9}};
    for (const Case& c : cases) {
        CDeviceSettings d;
        d.bAdded = d.bRemoved = d.bIdentityChanged = d.bSettingsChanged = d.bEnableChanged = true;
        d.hDevice = INVALID_HANDLE_VALUE;
        d.SetDefaults(L"E:\\Dir", c.kind);
        EXPECT_EQ(c.calFlag, d.dwCalFlag);
        EXPECT_EQ(L"E:\\Dir\\wave\\default.wav", d.Str_WaveFile);
        EXPECT_EQ(L"No COM2", d.Str_Port);
        EXPECT_EQ(760u, d.dwAddress);
        EXPECT_EQ(1u, d.dwSecondaryButtonMode);
        EXPECT_FALSE(d.bAdded || d.bRemoved || d.HasGroupChanges() || d.bEnableChanged);
        EXPECT_EQ(nullptr, d.hDevice);
    }
}

// Cancel in the applet puts the collection back to what the registry holds: unapplied renames,
// removals and added records are gone, and the current device is found again by name.
TEST(DeviceCollectionLoad, ReloadDropsUnappliedEditsAndFindsTheCurrentDeviceAgain)
{
    ScratchRegistry reg;
    AddDevice(reg, Distinct(Serial(41, L"One")));
    AddDevice(reg, Distinct(Usb(42, L"Two")));
    CAppletContext ctx;
    ctx.currentDeviceName = L"Two";
    CDeviceCollection& c = ctx.deviceCollection;
    c.FindByName(L"One")->bRemoved = true;
    c.FindByName(L"Two")->Str_DeviceName = L"Renamed";
    c.FindByName(L"Renamed")->dwSampleRate = 99;
    auto* added = new CDeviceSettings;
    added->Str_DeviceName = L"Added";
    added->bAdded = true;
    c.Add(added);

    c.Reload();

    EXPECT_EQ((std::vector<std::wstring>{L"One", L"Two"}), NamesOf(c));
    EXPECT_FALSE(c.HasChanges());
    ASSERT_NE(nullptr, ctx.currentDevice);
    EXPECT_EQ(L"Two", ctx.currentDevice->Str_DeviceName);
    EXPECT_EQ(60u, ctx.currentDevice->dwSampleRate);
}
