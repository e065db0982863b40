#include <gtest/gtest.h>

#include <algorithm>

#include "AppletContext.h"
#include "RegistryKey.h"
#include "DeviceKeyFixture.h"

using namespace testsupport;
using testsupport::ScratchRegistry;

namespace {
// A hidden drop-down list owned by the test thread.
struct Combo {
    HWND window = CreateWindowW(L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_POPUP, 0, 0, 200, 200, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    ~Combo() { DestroyWindow(window); }
    int Count() const { return static_cast<int>(SendMessageW(window, CB_GETCOUNT, 0, 0)); }
    int Selected() const { return static_cast<int>(SendMessageW(window, CB_GETCURSEL, 0, 0)); }
};

struct TwoDevices : ::testing::Test {
    ScratchRegistry reg;
    TwoDevices()
    {
        AddProduct(reg, {2, L"C:\\T"});
        AddDevice(reg, Distinct(Serial(41, L"First")));
        AddDevice(reg, Distinct(Usb(42, L"Second")));
    }
    std::wstring StoredName() { return reg.Read(kProductKeyPath, L"Device Name").AsString(); }
};

TEST_F(TwoDevices, FillDeviceComboSelectsTheCurrentDevice)
{
    struct Case { const wchar_t* current; int selected; const wchar_t* stored; bool present; } cases[] = {
        {L"Second", 1, L"Second", true},
        {L"", 0, L"First", true},             // no current name: the first entry
        {L"second", -1, L"", false},          // exact comparison; nothing selected, nothing written
        {L"Gone", -1, L"", false},
    };
    for (const Case& c : cases) {
        reg.DeleteTree(kProductKeyPath);
        AddProduct(reg, {2, L"C:\\T"});
        CAppletContext ctx;
        ctx.currentDeviceName = c.current;
        Combo combo;
        ASSERT_TRUE(ctx.FillDeviceCombo(combo.window)) << c.current;
        EXPECT_EQ(2, combo.Count());
        EXPECT_EQ(c.selected, combo.Selected()) << c.current;
        EXPECT_EQ(c.present, reg.Read(kProductKeyPath, L"Device Name").present) << c.current;
        EXPECT_EQ(c.stored, StoredName()) << c.current;
        if (c.selected >= 0) {
            EXPECT_EQ(c.stored, ctx.currentDeviceName);
            EXPECT_EQ(ctx.deviceCollection.FindByName(c.stored), ctx.currentDevice);
        }
    }
}

TEST_F(TwoDevices, FillDeviceComboLeavesTheBoxAloneWhenEveryDeviceIsRemoved)
{
    CAppletContext ctx;
    Combo combo;
    SendMessageW(combo.window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"old"));
    ctx.deviceCollection.FindByName(L"First")->bRemoved = true;
    ctx.deviceCollection.FindByName(L"Second")->bRemoved = true;
    EXPECT_FALSE(ctx.FillDeviceCombo(combo.window));
    EXPECT_EQ(1, combo.Count());
    EXPECT_TRUE(ctx.NoControllerLeft());
}

TEST_F(TwoDevices, SelectDevice)
{
    CAppletContext ctx;
    EXPECT_TRUE(ctx.SelectDevice(L"Second"));
    EXPECT_EQ(ctx.deviceCollection.FindByName(L"Second"), ctx.currentDevice);
    EXPECT_EQ(L"Second", StoredName());

    EXPECT_FALSE(ctx.SelectDevice(L"Unknown"));
    EXPECT_EQ(nullptr, ctx.currentDevice);
    EXPECT_EQ(L"Unknown", ctx.currentDeviceName);
    EXPECT_EQ(L"Second", StoredName());   // unchanged
}

TEST_F(TwoDevices, SelectingANameNeverPicksARemovedRecord)
{
    CAppletContext ctx;
    ctx.deviceCollection.FindByName(L"First")->bRemoved = true;
    auto* replacement = new CDeviceSettings;
    replacement->SetDefaults(ctx.installDir, ctx.controllerKind);
    replacement->Str_DeviceName = L"First";
    replacement->ControllerProtocol = kUsbControllerType;
    replacement->Str_SubKey = L"43";
    replacement->bAdded = true;
    ctx.deviceCollection.Add(replacement);

    EXPECT_TRUE(ctx.SelectDevice(L"First"));
    EXPECT_EQ(replacement, ctx.currentDevice);
    Combo combo;
    ctx.currentDeviceName = L"First";
    ASSERT_TRUE(ctx.FillDeviceCombo(combo.window));
    EXPECT_EQ(replacement, ctx.currentDevice);

    ctx.deviceCollection.FindByName(L"Second")->bRemoved = true;
    replacement->bRemoved = true;
    EXPECT_FALSE(ctx.SelectDevice(L"Second"));
    EXPECT_EQ(nullptr, ctx.currentDevice);
}

TEST_F(TwoDevices, CancelGivesARenamedCurrentDeviceItsStoredNameBack)
{
    // As the Devices page leaves things: renamed in memory, the new name already current and
    // stored in the product key; then Cancel.
    struct Case { const wchar_t* renamed; const wchar_t* selectedAfter; const wchar_t* expected; } cases[] = {
        {L"Second", nullptr, L"Second"},       // the renamed device stays current, under its stored name
        {L"First", nullptr, L"First"},
        {L"Second", L"First", L"First"},       // a device selected after the rename stays current
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.renamed, c.renamed + wcslen(c.renamed)));
        CAppletContext ctx;
        ASSERT_TRUE(ctx.SelectDevice(c.renamed));
        ctx.currentDevice->Str_DeviceName = L"Renamed";
        ctx.currentDevice->bIdentityChanged = true;
        ASSERT_TRUE(ctx.SelectDevice(L"Renamed"));
        if (c.selectedAfter) {
            ASSERT_TRUE(ctx.SelectDevice(c.selectedAfter));
        }

        ctx.CancelChanges();
        EXPECT_EQ(c.expected, StoredName());
        EXPECT_EQ(c.expected, ctx.currentDeviceName);
        ASSERT_NE(nullptr, ctx.currentDevice);
        EXPECT_EQ(c.expected, ctx.currentDevice->Str_DeviceName);
        EXPECT_EQ(nullptr, ctx.deviceCollection.FindByName(L"Renamed"));
        EXPECT_FALSE(ctx.deviceCollection.HasChanges());
    }
}

TEST_F(TwoDevices, CancelDeletesTheKeyOfAnAddedCurrentDevice)
{
    CAppletContext ctx;
    ASSERT_TRUE(ctx.SelectDevice(L"Second"));
    auto* added = new CDeviceSettings;
    added->SetDefaults(ctx.installDir, ctx.controllerKind);
    added->Str_DeviceName = L"Added";
    added->ControllerProtocol = kUsbControllerType;
    added->Str_SubKey = L"43";
    added->bAdded = true;
    ASSERT_EQ(ERROR_SUCCESS, CRegistryKey().CreateSecuredKey(UsbKey(43).c_str(), added->hSubKey.Receive()));
    ctx.deviceCollection.Add(added);
    ASSERT_TRUE(ctx.SelectDevice(L"Added"));

    ctx.CancelChanges();
    EXPECT_FALSE(reg.KeyExists(UsbKey(43)));
    EXPECT_EQ(nullptr, ctx.currentDevice);
    EXPECT_EQ(2u, ctx.deviceCollection.Count());
}

TEST(AppletContext, LoadSerialPorts)
{
    ScratchRegistry reg;
    CAppletContext ctx;
    ctx.serialPorts = {L"stale"};
    ctx.LoadSerialPorts();
    EXPECT_TRUE(ctx.serialPorts.empty());
    reg.SetString(L"HARDWARE\\DEVICEMAP\\SERIALCOMM", L"\\Device\\Serial0", L"COM1");
    reg.SetString(L"HARDWARE\\DEVICEMAP\\SERIALCOMM", L"\\Device\\Serial1", L"COM2");
    ctx.LoadSerialPorts();
    std::sort(ctx.serialPorts.begin(), ctx.serialPorts.end());
    EXPECT_EQ((std::vector<std::wstring>{L"COM1", L"COM2"}), ctx.serialPorts);
}

}  // namespace
