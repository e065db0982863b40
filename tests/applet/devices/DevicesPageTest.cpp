// The Devices page in the real sheet: adding devices of both families with the name checks,
// renaming, moving a device to another segment, and long device names.
#include "DevicesTestBase.h"

#include <commctrl.h>

#include "EchoProgram.h"

using namespace applettest;
using namespace devicestest;
using namespace testsupport;

namespace {
const std::wstring kLongName = L"Conference Room Left Wall Touch Panel 01";   // 40 characters

std::wstring PortText(const std::vector<uint8_t>& bytes)
{
    std::wstring text;
    for (size_t i = 0; i + 1 < 200 && i + 1 < bytes.size(); i += 2) {
        wchar_t c = static_cast<wchar_t>(bytes[i] | (bytes[i + 1] << 8));
        if (!c)
            break;
        text += c;
    }
    return text;
}
}  // namespace

class DevicesPageTest : public DevicesTest {};

TEST_F(DevicesPageTest, AddSerialDeviceCreatesItsKeyAtOnceAndNotifiesTheDriverAtApply)
{
    Install({Serial(1, L"Front Panel")}, L"Front Panel");
    OPEN_DEVICES_PAGE();

    HWND type = StartAdd(page);
    ASSERT_NE(type, nullptr) << "no type dialog";
    EXPECT_EQ(WindowText(type), kDialogTitle);
    EXPECT_FALSE(IsWindowEnabled(sheet)) << "the sheet cannot apply or cancel under the dialog";
    EXPECT_EQ(ControlText(type, IDC_NDT_PORT_LIST), L"COM2");
    EXPECT_EQ(SendDlgItemMessageW(type, IDC_NDT_PORT_LIST, CB_GETCOUNT, 0, 0), 1) << "only COM2 is offered";
    HWND name = NextToNameDialog(type);
    ASSERT_NE(name, nullptr) << "no name dialog";
    EXPECT_EQ(ControlText(name, IDC_NDN_NAME), L"RILO Device-2") << "the next free serial instance is 2";

    ASSERT_TRUE(standin::ClearLog());
    AcceptName(name, L"Lobby Screen", 3);
    ASSERT_TRUE(DialogDone(name));
    ASSERT_TRUE(WaitUntil([&] { return Names(IDC_DEV_LIST).size() == 2; }));

    const std::wstring key = DeviceKeyPath(Serial(2, L""));
    EXPECT_TRUE(registry.KeyExists(key)) << "the device key is created before any apply";
    EXPECT_TRUE(registry.ValueNames(key).empty()) << "its values wait for the apply";
    EXPECT_TRUE(Requests(standin::ioctl::kNewDeviceNotification).empty());
    std::vector<ListRow> rows = Rows(IDC_DEV_LIST);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].cells, (std::vector<std::wstring>{L"2", L"Lobby Screen", L"Left Half", L"Tiven,Zarn,Serial"}));
    EXPECT_TRUE(rows[1].selected) << "the new device becomes current";
    EXPECT_EQ(ProductValue(L"Device Name"), L"Lobby Screen");
    EXPECT_TRUE(ApplyEnabled(sheet));

    ASSERT_TRUE(ApplySync());
    std::vector<standin::LoggedRequest> notices = Requests(standin::ioctl::kNewDeviceNotification);
    ASSERT_EQ(notices.size(), 1u) << standin::Describe(standin::ReadLog());
    EXPECT_EQ(notices[0].driver, standin::Driver::Rilo);
    EXPECT_EQ(notices[0].instance, 0u) << "the notice goes to \\\\.\\RILO0";
    ASSERT_EQ(notices[0].inputSize, 202u);
    EXPECT_EQ(PortText(notices[0].input), L"COM2");
    EXPECT_EQ(notices[0].input[200], 2) << "instance byte";
    EXPECT_EQ(registry.Read(key, L"Device Name").AsString(), L"Lobby Screen");
    EXPECT_EQ(registry.Read(key, L"Controller Type").AsString(), L"Tiven,Zarn,Serial");
    EXPECT_EQ(registry.Read(key, L"Logical Desktop Segment").AsDword(), 3u);
    EXPECT_EQ(registry.Read(key, L"Port").AsString(), L"COM2");
    Close(IDOK);
}

TEST_F(DevicesPageTest, AddUsbDeviceWritesItsKeyWithoutAnyNotice)
{
    Install({Serial(1, L"Front Panel"), Usb(1, L"Desk Pad")}, L"Front Panel");
    OPEN_DEVICES_PAGE();

    HWND type = StartAdd(page);
    ASSERT_NE(type, nullptr);
    HWND typeList = GetDlgItem(type, IDC_NDT_TYPE_LIST);
    SendMessageW(typeList, LB_SETCURSEL, 1, 0);
    SendMessageW(type, WM_COMMAND, MAKEWPARAM(IDC_NDT_TYPE_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(typeList));
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(type, IDC_NDT_PORT_LIST))) << "a USB controller has no port";
    HWND name = NextToNameDialog(type);
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(ControlText(name, IDC_NDN_NAME), L"MEKA Device-2");

    ASSERT_TRUE(standin::ClearLog());
    AcceptName(name, L"MEKA Device-2", 0);
    ASSERT_TRUE(DialogDone(name));
    ASSERT_TRUE(WaitUntil([&] { return Names(IDC_DEV_LIST).size() == 3; }));
    const std::wstring key = DeviceKeyPath(Usb(2, L""));
    EXPECT_TRUE(registry.KeyExists(key));

    ASSERT_TRUE(ApplySync());
    EXPECT_TRUE(Requests(standin::ioctl::kNewDeviceNotification).empty()) << standin::Describe(standin::ReadLog());
    EXPECT_EQ(registry.Read(key, L"Device Name").AsString(), L"MEKA Device-2");
    EXPECT_EQ(registry.Read(key, L"Controller Type").AsString(), L"Tiven USB");
    EXPECT_FALSE(registry.Read(key, L"Port").present) << "no serial group for a USB device";
    Close(IDOK);
}

TEST_F(DevicesPageTest, NameChecksRefuseWithTheirMessages)
{
    Install({Serial(1, L"Front Panel"), Usb(1, L"Desk Pad")}, L"Front Panel");
    OPEN_DEVICES_PAGE();
    HWND type = StartAdd(page);
    ASSERT_NE(type, nullptr);
    HWND name = NextToNameDialog(type);
    ASSERT_NE(name, nullptr);

    struct Case {
        const wchar_t* name;
        const wchar_t* segmentText;   // typed into the segment field; null: first entry chosen
        const wchar_t* message;
        bool reopens;                 // the page's check: the dialog closes and opens again
    };
    const Case cases[] = {
        {L"Desk Pad", nullptr, L"DeviceName Already existed enter other name", true},   // other family
        {L"Front Panel", nullptr, L"DeviceName Already existed enter other name", true},
        {L"", nullptr, L"Device name should not be blank", false},
        {L"", L"Somewhere", L"Desktop segment should be selected", false},   // segment checked first
        {L"Side Panel", L"Whole", L"Desktop segment should be selected", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "name '" << std::string(c.name, c.name + wcslen(c.name)) << "'");
        if (c.segmentText)
            SetDlgItemTextW(name, IDC_NDN_SEGMENT, c.segmentText);
        else
            SendDlgItemMessageW(name, IDC_NDN_SEGMENT, CB_SETCURSEL, 0, 0);
        SetDlgItemTextW(name, IDC_NDN_NAME, c.name);
        ClickControl(name, IDOK);
        MessageBoxInfo box = WaitMessageBox();
        ASSERT_TRUE(box);
        EXPECT_EQ(box.text, c.message);
        EXPECT_EQ(box.caption, kCaption);
        ASSERT_TRUE(DismissMessageBox(box, IDOK));
        if (c.reopens) {
            HWND again = WaitDialogWith(IDC_NDN_NAME, name);
            ASSERT_NE(again, nullptr) << "the name dialog opens again";
            EXPECT_EQ(ControlText(again, IDC_NDN_NAME), c.name) << "with the refused name";
            name = again;
        } else {
            EXPECT_TRUE(IsWindow(name)) << "the dialog stays open";
        }
    }
    // The check is case-sensitive: "front panel" may join "Front Panel".
    AcceptName(name, L"front panel", 0);
    ASSERT_TRUE(DialogDone(name));
    EXPECT_EQ(Names(IDC_DEV_LIST), (std::vector<std::wstring>{L"Front Panel", L"Desk Pad", L"front panel"}));
    Close(IDCANCEL);
}

TEST_F(DevicesPageTest, RenameIsAppliedAndTheProductKeyFollows)
{
    Install({Serial(1, L"Front Panel"), Usb(1, L"Desk Pad")}, L"Desk Pad");
    OPEN_DEVICES_PAGE();
    EXPECT_EQ(SelectedRow(IDC_DEV_LIST), 1) << "the current device's row is selected";

    ClickControl(page, IDC_DEV_MODIFY);
    HWND name = WaitDialogWith(IDC_NDN_NAME);
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(ControlText(name, IDC_NDN_NAME), L"Desk Pad");
    EXPECT_EQ(SendDlgItemMessageW(name, IDC_NDN_SEGMENT, CB_GETCURSEL, 0, 0), 0);
    AcceptName(name, L"Desk Pad Left", -1);
    ASSERT_TRUE(DialogDone(name));
    EXPECT_EQ(Names(IDC_DEV_LIST), (std::vector<std::wstring>{L"Front Panel", L"Desk Pad Left"}));
    EXPECT_EQ(ProductValue(L"Device Name"), L"Desk Pad Left");

    ASSERT_TRUE(ApplySync()) << "a rename alone asks nothing";
    EXPECT_EQ(registry.Read(DeviceKeyPath(Usb(1, L"")), L"Device Name").AsString(), L"Desk Pad Left");
    Close(IDOK);
}

class SegmentChangeTest : public DevicesPageTest, public testing::WithParamInterface<int> {};

TEST_P(SegmentChangeTest, AsksForRecalibrationAndStartsItOnlyOnYes)
{
    const int answer = GetParam();
    EchoProgram calibration;
    ASSERT_TRUE(calibration.Copied());
    Install({Serial(1, L"Front Panel")}, L"Front Panel");
    registry.SetString(kProductKeyPath, L"Calibration Application", calibration.Path());
    OPEN_DEVICES_PAGE();

    ClickControl(page, IDC_DEV_MODIFY);
    HWND name = WaitDialogWith(IDC_NDN_NAME);
    ASSERT_NE(name, nullptr);
    AcceptName(name, L"Front Panel", 2);
    ASSERT_TRUE(DialogDone(name));
    EXPECT_EQ(Rows(IDC_DEV_LIST)[0].cells[2], L"Secondary Monitor");

    ClickControl(sheet, IDC_SHEET_APPLY);
    MessageBoxInfo box = WaitMessageBox();
    ASSERT_TRUE(box) << "no recalibration question";
    EXPECT_EQ(box.text, L"The changes you made require recalibration\nRecalibrate now ?");
    ASSERT_TRUE(DismissMessageBox(box, answer));
    WaitIdle();
    EXPECT_EQ(registry.Read(DeviceKeyPath(Serial(1, L"")), L"Logical Desktop Segment").AsDword(), 2u);
    if (answer == IDYES)
        EXPECT_EQ(calibration.Received(), L"Front Panel");
    else
        EXPECT_TRUE(calibration.NeverStarted()) << "No starts nothing";
    Close(IDOK);
}

INSTANTIATE_TEST_SUITE_P(Answers, SegmentChangeTest, testing::Values(IDNO, IDYES),
                         [](const testing::TestParamInfo<int>& info) { return info.param == IDYES ? "Yes" : "No"; });

TEST_F(DevicesPageTest, LongNameIsShortenedOnScreenButKeepsItsIdentity)
{
    Install({Serial(1, L"Front Panel"), Usb(1, kLongName)}, kLongName);
    OPEN_DEVICES_PAGE();
    std::vector<ListRow> rows = Rows(IDC_DEV_LIST);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_TRUE(rows[1].selected) << "the current device is found by its full name";
    EXPECT_LE(rows[1].cells[1].size(), 29u);
    EXPECT_EQ(rows[1].cells[1].substr(0, 20), kLongName.substr(0, 20));

    SelectRow(IDC_DEV_LIST, 0);
    ASSERT_TRUE(WaitUntil([&] { return ProductValue(L"Device Name") == L"Front Panel"; }));
    SelectRow(IDC_DEV_LIST, 1);
    ASSERT_TRUE(WaitUntil([&] { return ProductValue(L"Device Name") == kLongName; }))
        << "got " << ProductValue(L"Device Name");

    ClickControl(page, IDC_DEV_MODIFY);
    HWND name = WaitDialogWith(IDC_NDN_NAME);
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(ControlText(name, IDC_NDN_NAME), kLongName);
    ClickControl(name, IDCANCEL);
    ASSERT_TRUE(DialogDone(name));

    // Uniqueness looks at full names: the same name is refused, one differing after 29 characters is not.
    HWND type = StartAdd(page);
    ASSERT_NE(type, nullptr);
    name = NextToNameDialog(type);
    ASSERT_NE(name, nullptr);
    AcceptName(name, kLongName, 0);
    MessageBoxInfo box = WaitMessageBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(box.text, L"DeviceName Already existed enter other name");
    ASSERT_TRUE(DismissMessageBox(box, IDOK));
    HWND again = WaitDialogWith(IDC_NDN_NAME, name);
    ASSERT_NE(again, nullptr);
    const std::wstring similar = kLongName.substr(0, 38) + L"02";
    AcceptName(again, similar, 0);
    ASSERT_TRUE(DialogDone(again));
    ASSERT_TRUE(ApplySync());
    EXPECT_EQ(registry.Read(DeviceKeyPath(Serial(2, L"")), L"Device Name").AsString(), similar);
    EXPECT_EQ(ProductValue(L"Device Name"), similar);
    Close(IDOK);
}
