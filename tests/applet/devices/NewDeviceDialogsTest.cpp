// The two new-device dialogs: the port list of step 1 (only COM2 is usable) and the segment
// list of step 2 (all segments only for 4/8-wire controllers).
#include "DevicesTestBase.h"

#include <commctrl.h>

using namespace applettest;
using namespace devicestest;
using namespace testsupport;

class NewDeviceDialogsTest : public DevicesTest {
protected:
    HWND TypeList(HWND dialog) const { return GetDlgItem(dialog, IDC_NDT_TYPE_LIST); }
    void ChooseType(HWND dialog, int entry)
    {
        SendMessageW(TypeList(dialog), LB_SETCURSEL, static_cast<WPARAM>(entry), 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_NDT_TYPE_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(TypeList(dialog)));
    }
    bool NextEnabled(HWND dialog) const { return IsWindowEnabled(GetDlgItem(dialog, IDC_NDT_NEXT)) != FALSE; }
};

// Each case opens the sheet again in the same loaded applet, so what one opening found about the
// ports must not carry over to the next (a COM2 that appears later is offered).
TEST_F(NewDeviceDialogsTest, PortListOffersOnlyComTwoAndNextFollowsIt)
{
    struct Case {
        std::vector<std::wstring> ports;
        const wchar_t* shown;
        bool com2;
    };
    const Case cases[] = {
        {{}, L"No COM2", false},
        {{L"COM1", L"COM3"}, L"No COM2", false},
        {{L"COM1", L"COM2", L"COM3"}, L"COM2", true},
        {{L"com2"}, L"No COM2", false},
        {{L"COM2"}, L"COM2", true},
        {{}, L"No COM2", false},
    };
    Install({Serial(1, L"Front Panel")}, L"Front Panel");
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "ports: " << c.ports.size() << ", shown "
                                        << std::string(c.shown, c.shown + wcslen(c.shown)));
        SetPorts(c.ports);
        OPEN_DEVICES_PAGE();
        HWND type = StartAdd(page);
        ASSERT_NE(type, nullptr);
        EXPECT_EQ(WindowText(type), kDialogTitle);
        EXPECT_EQ(SendMessageW(TypeList(type), LB_GETCOUNT, 0, 0), 2);
        EXPECT_EQ(SendMessageW(TypeList(type), LB_GETCURSEL, 0, 0), 0) << "serial is preselected";
        EXPECT_EQ(SendDlgItemMessageW(type, IDC_NDT_PORT_LIST, CB_GETCOUNT, 0, 0), 1);
        EXPECT_EQ(ControlText(type, IDC_NDT_PORT_LIST), c.shown);
        EXPECT_EQ(NextEnabled(type), c.com2);
        ChooseType(type, 1);
        EXPECT_TRUE(NextEnabled(type)) << "USB needs no port";
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(type, IDC_NDT_PORT_LIST)));
        ChooseType(type, 0);
        EXPECT_EQ(NextEnabled(type), c.com2);
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(type, IDC_NDT_PORT_LIST)));
        ClickControl(type, IDCANCEL);
        ASSERT_TRUE(DialogDone(type));
        Close(IDCANCEL);
    }
}

TEST_F(NewDeviceDialogsTest, EnterWithNextDisabledDoesNotEndTheDialog)
{
    Install({Serial(1, L"Front Panel")}, L"Front Panel", {L"COM1"});
    OPEN_DEVICES_PAGE();
    HWND type = StartAdd(page);
    ASSERT_NE(type, nullptr);
    ASSERT_FALSE(NextEnabled(type));
    SendMessageW(type, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(IsWindowVisible(type)) << "the dialog ends through Next or Cancel only";
    ClickControl(type, IDCANCEL);
    ASSERT_TRUE(DialogDone(type));
    EXPECT_EQ(Names(IDC_DEV_LIST), std::vector<std::wstring>{L"Front Panel"});
    Close(IDCANCEL);
}

struct KindCase {
    DWORD controllerKind;
    int segments;
};

class SegmentListTest : public NewDeviceDialogsTest, public testing::WithParamInterface<KindCase> {};

TEST_P(SegmentListTest, OffersTheSegmentsOfTheControllerKind)
{
    const KindCase c = GetParam();
    Install({Serial(1, L"Front Panel")}, L"Front Panel", {L"COM2"}, c.controllerKind);
    registry.SetDword(DeviceKeyPath(Serial(1, L"")), L"Logical Desktop Segment", 5);
    OPEN_DEVICES_PAGE();
    ClickControl(page, IDC_DEV_MODIFY);
    HWND name = WaitDialogWith(IDC_NDN_NAME);
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(WindowText(name), kDialogTitle);
    EXPECT_EQ(SendDlgItemMessageW(name, IDC_NDN_SEGMENT, CB_GETCOUNT, 0, 0), c.segments);
    HWND combo = GetDlgItem(name, IDC_NDN_SEGMENT);
    wchar_t first[64] = L"";
    SendMessageW(combo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
    EXPECT_STREQ(first, L"Whole Desktop");
    const LRESULT selected = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (c.segments > 5) {
        EXPECT_EQ(selected, 5) << "the device's segment";
        ClickControl(name, IDCANCEL);
    } else {
        EXPECT_EQ(selected, CB_ERR) << "segment 5 is not offered";
        ClickControl(name, IDOK);
        MessageBoxInfo box = WaitMessageBox();
        ASSERT_TRUE(box);
        EXPECT_EQ(box.text, L"Desktop segment should be selected");
        ASSERT_TRUE(DismissMessageBox(box, IDOK));
        ClickControl(name, IDCANCEL);
    }
    ASSERT_TRUE(DialogDone(name));
    Close(IDCANCEL);
}

INSTANTIATE_TEST_SUITE_P(Kinds, SegmentListTest,
                         testing::Values(KindCase{1, 16}, KindCase{2, 3}, KindCase{3, 3}),
                         [](const testing::TestParamInfo<KindCase>& info) {
                             return "Kind" + std::to_string(info.param.controllerKind);
                         });
