// The Devices page in the real sheet: removing devices, Cancel taking back what was added,
// renamed or removed, and Remove, Modify and Re-Initialize acting only on a selected device.
#include "DevicesTestBase.h"

#include <commctrl.h>

using namespace applettest;
using namespace devicestest;
using namespace testsupport;

class DevicesRemoveTest : public DevicesTest {};

struct RemoveCase {
    bool serial;
    int instance;
};

class RemoveTest : public DevicesTest, public testing::WithParamInterface<RemoveCase> {};

TEST_P(RemoveTest, KeyIsDeletedAndTheDriverToldAtApplyOnly)
{
    const RemoveCase c = GetParam();
    const DeviceRow target = c.serial ? Serial(c.instance, L"Target") : Usb(c.instance, L"Target");
    Install({Serial(1, L"Front Panel"), Serial(2, c.serial ? L"Target" : L"Rear Panel"),
             Usb(1, c.serial ? L"Desk Pad" : L"Target")},
            L"Front Panel");
    OPEN_DEVICES_PAGE();
    const int row = c.serial ? 1 : 2;
    SelectRow(IDC_DEV_LIST, row);
    ASSERT_TRUE(WaitUntil([&] { return ProductValue(L"Device Name") == L"Target"; }));

    ASSERT_TRUE(standin::ClearLog());
    ClickControl(page, IDC_DEV_REMOVE);
    MessageBoxInfo box = WaitMessageBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(box.text, L"Are you sure you wish to remove the following\npointer device and controller from this system");
    ASSERT_TRUE(DismissMessageBox(box, IDYES));
    ASSERT_TRUE(WaitUntil([&] { return Names(IDC_DEV_LIST).size() == 2; }));
    for (const std::wstring& listed : Names(IDC_DEV_LIST))
        EXPECT_NE(listed, L"Target");
    EXPECT_EQ(SelectedRow(IDC_DEV_LIST), 0) << "the first remaining row becomes current";
    EXPECT_EQ(ProductValue(L"Device Name"), L"Front Panel");
    EXPECT_TRUE(registry.KeyExists(DeviceKeyPath(target))) << "nothing is deleted before the apply";
    EXPECT_TRUE(Requests(standin::ioctl::kDeleteDeviceNotification).empty());

    ASSERT_TRUE(ApplySync());
    EXPECT_FALSE(registry.KeyExists(DeviceKeyPath(target)));
    std::vector<standin::LoggedRequest> notices = Requests(standin::ioctl::kDeleteDeviceNotification);
    ASSERT_EQ(notices.size(), 1u) << standin::Describe(standin::ReadLog());
    if (c.serial) {
        EXPECT_EQ(notices[0].driver, standin::Driver::Rilo);
        EXPECT_EQ(notices[0].instance, 0u);
        ASSERT_EQ(notices[0].inputSize, 1u);
        EXPECT_EQ(notices[0].input[0], c.instance);
    } else {
        EXPECT_EQ(notices[0].driver, standin::Driver::Meka);
        EXPECT_EQ(notices[0].instance, static_cast<unsigned>(c.instance));
        EXPECT_EQ(notices[0].inputSize, 0u);
    }
    EXPECT_TRUE(registry.KeyExists(DeviceKeyPath(Serial(1, L""))));
    Close(IDOK);
}

INSTANTIATE_TEST_SUITE_P(Families, RemoveTest, testing::Values(RemoveCase{true, 2}, RemoveCase{false, 1}),
                         [](const testing::TestParamInfo<RemoveCase>& info) {
                             return info.param.serial ? "Serial" : "Usb";
                         });

TEST_F(DevicesRemoveTest, CancelAfterAddDeletesTheKeyAndALaterOkDoesNotBringItBack)
{
    Install({Serial(1, L"Front Panel")}, L"Front Panel");
    OPEN_DEVICES_PAGE();
    HWND type = StartAdd(page);
    ASSERT_NE(type, nullptr);
    HWND name = NextToNameDialog(type);
    ASSERT_NE(name, nullptr);
    AcceptName(name, L"Second", 0);
    ASSERT_TRUE(DialogDone(name));
    const std::wstring added = DeviceKeyPath(Serial(2, L""));
    ASSERT_TRUE(registry.KeyExists(added));

    Close(IDCANCEL);
    EXPECT_FALSE(registry.KeyExists(added)) << "Cancel deletes the added device's key";

    // A second opening in the same process: the cancelled device is gone from memory too.
    ASSERT_TRUE(standin::ClearLog());
    OPEN_DEVICES_PAGE();
    EXPECT_EQ(Names(IDC_DEV_LIST), std::vector<std::wstring>{L"Front Panel"});
    Close(IDOK);
    EXPECT_FALSE(registry.KeyExists(added));
    EXPECT_TRUE(Requests(standin::ioctl::kNewDeviceNotification).empty()) << standin::Describe(standin::ReadLog());
}

TEST_F(DevicesRemoveTest, CancelAfterRemoveAndRenameKeepsTheDevicesAsTheyWere)
{
    Install({Serial(1, L"Front Panel"), Usb(1, L"Desk Pad")}, L"Front Panel");
    OPEN_DEVICES_PAGE();
    ClickControl(page, IDC_DEV_MODIFY);
    HWND name = WaitDialogWith(IDC_NDN_NAME);
    ASSERT_NE(name, nullptr);
    AcceptName(name, L"Renamed Panel", 0);
    ASSERT_TRUE(DialogDone(name));
    SelectRow(IDC_DEV_LIST, 1);
    ClickControl(page, IDC_DEV_REMOVE);
    MessageBoxInfo box = WaitMessageBox();
    ASSERT_TRUE(box);
    ASSERT_TRUE(DismissMessageBox(box, IDYES));
    ASSERT_TRUE(WaitUntil([&] { return Names(IDC_DEV_LIST).size() == 1; }));

    Close(IDCANCEL);
    EXPECT_TRUE(registry.KeyExists(DeviceKeyPath(Usb(1, L""))));

    ASSERT_TRUE(standin::ClearLog());
    OPEN_DEVICES_PAGE();
    EXPECT_EQ(Names(IDC_DEV_LIST), (std::vector<std::wstring>{L"Front Panel", L"Desk Pad"}));
    Close(IDOK);
    EXPECT_TRUE(registry.KeyExists(DeviceKeyPath(Usb(1, L"")))) << "a later OK must not delete it";
    EXPECT_EQ(registry.Read(DeviceKeyPath(Serial(1, L"")), L"Device Name").AsString(), L"Front Panel");
    EXPECT_TRUE(Requests(standin::ioctl::kDeleteDeviceNotification).empty()) << standin::Describe(standin::ReadLog());
}

TEST_F(DevicesRemoveTest, CancelAfterRenameGivesTheProductKeyTheStoredNameBack)
{
    Install({Serial(1, L"Front Panel"), Usb(1, L"Desk Pad")}, L"Desk Pad");
    OPEN_DEVICES_PAGE();
    ASSERT_EQ(SelectedRow(IDC_DEV_LIST), 1);
    ClickControl(page, IDC_DEV_MODIFY);
    HWND name = WaitDialogWith(IDC_NDN_NAME);
    ASSERT_NE(name, nullptr);
    AcceptName(name, L"Desk Pad Left", -1);
    ASSERT_TRUE(DialogDone(name));
    ASSERT_EQ(ProductValue(L"Device Name"), L"Desk Pad Left") << "a rename names the current device at once";

    Close(IDCANCEL);
    EXPECT_EQ(ProductValue(L"Device Name"), L"Desk Pad") << "the product key must name an existing device";
    EXPECT_EQ(registry.Read(DeviceKeyPath(Usb(1, L"")), L"Device Name").AsString(), L"Desk Pad");

    // The next opening starts on the same device.
    OPEN_DEVICES_PAGE();
    EXPECT_EQ(Names(IDC_DEV_LIST), (std::vector<std::wstring>{L"Front Panel", L"Desk Pad"}));
    EXPECT_EQ(SelectedRow(IDC_DEV_LIST), 1);
    Close(IDCANCEL);
}

TEST_F(DevicesRemoveTest, ADeviceWhoseKeyCannotBeCreatedIsReportedAtApplyAndNotAnnounced)
{
    Install({Serial(1, L"Front Panel")}, L"Front Panel");
    // Under a volatile Parameters key no lasting device key can be created.
    HKEY parameters = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_LOCAL_MACHINE, kUsbParametersPath, 0, nullptr, REG_OPTION_VOLATILE,
                                             KEY_ALL_ACCESS, nullptr, &parameters, nullptr));
    RegCloseKey(parameters);
    OPEN_DEVICES_PAGE();
    HWND type = StartAdd(page);
    ASSERT_NE(type, nullptr);
    SendDlgItemMessageW(type, IDC_NDT_TYPE_LIST, LB_SETCURSEL, 1, 0);
    SendMessageW(type, WM_COMMAND, MAKEWPARAM(IDC_NDT_TYPE_LIST, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(type, IDC_NDT_TYPE_LIST)));
    HWND name = NextToNameDialog(type);
    ASSERT_NE(name, nullptr);
    AcceptName(name, L"Lost Pad", 0);
    ASSERT_TRUE(DialogDone(name));
    ASSERT_FALSE(registry.KeyExists(DeviceKeyPath(Usb(1, L""))));

    ASSERT_TRUE(standin::ClearLog());
    ClickControl(sheet, IDC_SHEET_APPLY);
    MessageBoxInfo box = WaitMessageBox();
    ASSERT_TRUE(box) << "the failure is reported";
    EXPECT_EQ(box.caption, kCaption);
    EXPECT_EQ(box.text, L"The new device could not be saved in the registry");
    ASSERT_TRUE(DismissMessageBox(box, IDOK));
    WaitIdle();
    EXPECT_TRUE(IsWindowVisible(sheet)) << "the sheet stays open";
    EXPECT_TRUE(standin::ReadLog().empty()) << standin::Describe(standin::ReadLog());
    Close(IDCANCEL);
}

TEST_F(DevicesRemoveTest, RemoveActsOnTheSelectedRowWhateverOrderTheListReportsIn)
{
    Install({Serial(1, L"Alpha"), Serial(2, L"Bravo"), Usb(1, L"Charlie")}, L"Alpha");
    OPEN_DEVICES_PAGE();
    ASSERT_EQ(SelectedRow(IDC_DEV_LIST), 0);
    SelectRow(IDC_DEV_LIST, 1);
    // A list may report the old row losing its selection after the new row got it.
    HWND list = GetDlgItem(page, IDC_DEV_LIST);
    NMLISTVIEW late{};
    late.hdr.hwndFrom = list;
    late.hdr.idFrom = IDC_DEV_LIST;
    late.hdr.code = LVN_ITEMCHANGED;
    late.iItem = 0;
    late.uChanged = LVIF_STATE;
    late.uOldState = LVIS_SELECTED;
    late.uNewState = 0;
    SendMessageW(page, WM_NOTIFY, IDC_DEV_LIST, reinterpret_cast<LPARAM>(&late));
    EXPECT_EQ(ProductValue(L"Device Name"), L"Bravo");

    ClickControl(page, IDC_DEV_REMOVE);
    MessageBoxInfo box = WaitMessageBox();
    ASSERT_TRUE(box);
    ASSERT_TRUE(DismissMessageBox(box, IDYES));
    ASSERT_TRUE(WaitUntil([&] { return Names(IDC_DEV_LIST).size() == 2; }));
    EXPECT_EQ(Names(IDC_DEV_LIST), (std::vector<std::wstring>{L"Alpha", L"Charlie"}));
    ASSERT_TRUE(ApplySync());
    EXPECT_FALSE(registry.KeyExists(DeviceKeyPath(Serial(2, L""))));
    EXPECT_TRUE(registry.KeyExists(DeviceKeyPath(Serial(1, L""))));
    Close(IDOK);
}

TEST_F(DevicesRemoveTest, ModifyRemoveAndReinitializeDoNothingWithoutASelectedDevice)
{
    Install({Serial(1, L"Alpha"), Usb(1, L"Bravo")}, L"Alpha");
    OPEN_DEVICES_PAGE();
    struct Target {
        int listId;
        int buttonId;
    };
    for (Target t : {Target{IDC_DEV_LIST, IDC_DEV_MODIFY}, Target{IDC_DEV_LIST, IDC_DEV_REMOVE},
                     Target{IDC_ST_LIST, IDC_ST_REINITIALIZE}}) {
        HWND shown = ShowPage(t.listId);
        ASSERT_NE(shown, nullptr);
        HWND list = GetDlgItem(shown, t.listId);
        LVITEMW none{};
        none.stateMask = LVIS_SELECTED;
        SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
        ASSERT_EQ(SelectedRow(t.listId), -1);
        ASSERT_TRUE(standin::ClearLog());
        // Sent straight to the page (the button itself is disabled): a dialog or question would
        // keep the call from returning.
        DWORD_PTR ignored = 0;
        EXPECT_NE(SendMessageTimeoutW(shown, WM_COMMAND, MAKEWPARAM(t.buttonId, BN_CLICKED),
                                      reinterpret_cast<LPARAM>(GetDlgItem(shown, t.buttonId)), SMTO_NORMAL, 5000,
                                      &ignored),
                  0)
            << "button " << t.buttonId;
        EXPECT_TRUE(standin::ReadLog().empty()) << standin::Describe(standin::ReadLog());
    }
    ShowPage(IDC_DEV_LIST);
    EXPECT_EQ(Names(IDC_DEV_LIST), (std::vector<std::wstring>{L"Alpha", L"Bravo"}));
    Close(IDCANCEL);
}

TEST_F(DevicesRemoveTest, StatusPageRefusesActivationWhileNoControllerIsLeft)
{
    Install({Usb(1, L"Only One")}, L"Only One");
    OPEN_DEVICES_PAGE();
    ClickControl(page, IDC_DEV_REMOVE);
    MessageBoxInfo box = WaitMessageBox();
    ASSERT_TRUE(box);
    ASSERT_TRUE(DismissMessageBox(box, IDYES));
    ASSERT_TRUE(WaitUntil([&] { return Names(IDC_DEV_LIST).empty(); }));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, IDC_DEV_REMOVE)));

    int status = TabIndex(L"Status");
    ASSERT_GE(status, 0) << "no Status tab";
    SendMessageW(sheet, PSM_SETCURSEL, static_cast<WPARAM>(status), 0);
    EXPECT_TRUE(WaitUntil([&] { return GetDlgItem(CurrentPage(sheet), IDC_DEV_LIST) != nullptr; }))
        << "the Devices page comes back";
    Close(IDCANCEL);
    EXPECT_TRUE(registry.KeyExists(DeviceKeyPath(Usb(1, L""))));
}
