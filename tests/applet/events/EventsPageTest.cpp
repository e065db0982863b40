// The Events page: the 13 button modes in both lists (index i = code i + 1), stored codes out of
// range, Apply (registry codes and the mode request) and the device list.
#include "SheetTest.h"
#include "TestWindows.h"

using namespace applettest;
using namespace testsupport;
namespace ioctl = standin::ioctl;

namespace {
const wchar_t kPage[] = L"Events";

const std::vector<std::wstring> kModeNames = {
    L"Touchdown Left", L"Touchdown Right", L"Touchdown Immediate Left", L"Touchdown Double Click Left",
    L"Touchdown Double Click Right", L"Tap Left", L"Liftoff Double Click Left", L"Liftoff Left", L"Time Left",
    L"Time/Time Left", L"Time/Tap Left", L"Tap Double Click Left", L"Time Double Click Left",
};
}  // namespace

class EventsPageTest : public SheetTest {};

TEST_F(EventsPageTest, BothListsHoldTheModesInCodeOrderAndShowTheStoredModes)
{
    DeviceRow device = Serial(1, L"Front Panel");
    device.primaryMode = 8, device.secondaryMode = 13;
    Install({device}, device.name, 1, {{L"TAP_LEFT", L"Tippen links"}});
    SHOW_PAGE(kPage);

    std::vector<std::wstring> expected = kModeNames;
    expected[5] = L"Tippen links";   // a label replaces the built-in name, in place
    EXPECT_EQ(ComboItems(IDC_EV_PRIMARY), expected);
    EXPECT_EQ(ComboItems(IDC_EV_SECONDARY), expected);
    EXPECT_EQ(ComboSelection(IDC_EV_PRIMARY), 7);
    EXPECT_EQ(ComboSelection(IDC_EV_SECONDARY), 12);
    EXPECT_FALSE(ApplyEnabled(sheet));

    ASSERT_TRUE(standin::ClearLog());
    EXPECT_TRUE(session->Close(IDOK));
    EXPECT_TRUE(Requests(device).empty()) << standin::Describe(standin::ReadLog());
}

TEST_F(EventsPageTest, ChoosingASecondaryModeStoresItsIndexAndApplyWritesTheCode)
{
    DeviceRow device = Distinct(Usb(3, L"Kiosk USB"));   // primary 3, secondary 13
    Install({device}, device.name);
    SHOW_PAGE(kPage);
    ASSERT_TRUE(standin::ClearLog());

    ChooseComboItem(page, IDC_EV_SECONDARY, 5);   // Tap Left
    EXPECT_TRUE(ApplyEnabled(sheet));
    EXPECT_EQ(DefaultButton(), MAKELRESULT(IDC_SHEET_APPLY, DC_HASDEFID));
    EXPECT_EQ(DeviceValue(device, L"Secondary Button Mode"), 13u) << "written before Apply";

    Click(sheet, IDC_SHEET_APPLY);
    EXPECT_EQ(DeviceValue(device, L"Primary Button Mode"), 3u);
    EXPECT_EQ(DeviceValue(device, L"Secondary Button Mode"), 6u);
    const auto log = Requests(device);
    ASSERT_EQ(Codes(log), std::vector<DWORD>{ioctl::kModeSettings}) << standin::Describe(standin::ReadLog());
    EXPECT_EQ(log[0].input, ModeBytes(3, 6, static_cast<BYTE>(device.clickTime), static_cast<BYTE>(device.tapTime),
                                      static_cast<BYTE>(device.liftOffTime)));
}

struct StoredMode {
    const wchar_t* value;
    DWORD stored;
    int listId;
    int shown;       // index shown
    DWORD written;   // code Apply writes
};

void PrintTo(const StoredMode& c, std::ostream* out)
{
    *out << ::testing::PrintToString(std::wstring(c.value)) << " = " << c.stored;
}

class EventsStoredModes : public EventsPageTest, public ::testing::WithParamInterface<StoredMode> {};

TEST_P(EventsStoredModes, OutsideOneToThirteenShowsTheDefaultAndApplyWritesIt)
{
    const StoredMode c = GetParam();
    DeviceRow device = Serial(1, L"Front Panel");
    Install({device}, device.name);
    registry.SetDword(DeviceKeyPath(device), c.value, c.stored);
    SHOW_PAGE(kPage);

    EXPECT_EQ(ComboSelection(c.listId), c.shown);
    EXPECT_TRUE(ApplyEnabled(sheet)) << "the default is pending as soon as the page shows";
    ASSERT_TRUE(standin::ClearLog());
    Click(sheet, IDC_SHEET_APPLY);
    EXPECT_EQ(DeviceValue(device, c.value), c.written);
    EXPECT_EQ(Codes(Requests(device)), std::vector<DWORD>{ioctl::kModeSettings});
}

INSTANTIATE_TEST_SUITE_P(Defaulted, EventsStoredModes,
                         ::testing::Values(StoredMode{L"Primary Button Mode", 0, IDC_EV_PRIMARY, 0, 1},
                                           StoredMode{L"Primary Button Mode", 14, IDC_EV_PRIMARY, 0, 1},
                                           StoredMode{L"Secondary Button Mode", 0, IDC_EV_SECONDARY, 1, 2},
                                           StoredMode{L"Secondary Button Mode", 0xFFFFFFFF, IDC_EV_SECONDARY, 1, 2}),
                         [](const ::testing::TestParamInfo<StoredMode>& info) {
                             return std::string(info.param.listId == IDC_EV_PRIMARY ? "Primary" : "Secondary") + "_" +
                                    std::to_string(info.param.stored);
                         });

TEST_F(EventsPageTest, ChoosingAnotherDeviceShowsItsModesAndMakesItCurrent)
{
    DeviceRow zeta = Serial(1, L"Zeta Panel");
    DeviceRow alpha = Usb(1, L"Alpha Pad");
    alpha.primaryMode = 10, alpha.secondaryMode = 4;
    Install({zeta, alpha}, zeta.name);
    SHOW_PAGE(kPage);
    EXPECT_EQ(ComboItems(IDC_EV_DEVICE), (std::vector<std::wstring>{alpha.name, zeta.name})) << "sorted";
    EXPECT_EQ(ComboSelection(IDC_EV_PRIMARY), 0);

    ChooseDevice(IDC_EV_DEVICE, alpha.name);
    EXPECT_EQ(ComboSelection(IDC_EV_PRIMARY), 9);
    EXPECT_EQ(ComboSelection(IDC_EV_SECONDARY), 3);
    EXPECT_EQ(ProductValue(L"Device Name"), alpha.name);

    ASSERT_TRUE(standin::ClearLog());
    ChooseComboItem(page, IDC_EV_PRIMARY, 12);
    Click(sheet, IDC_SHEET_APPLY);
    EXPECT_EQ(DeviceValue(alpha, L"Primary Button Mode"), 13u);
    EXPECT_EQ(DeviceValue(zeta, L"Primary Button Mode"), 1u);
    EXPECT_EQ(Requests(alpha, ioctl::kModeSettings).size(), 1u) << standin::Describe(standin::ReadLog());
    EXPECT_TRUE(Requests(zeta).empty());
}
