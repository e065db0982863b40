// The Settings page driven through real messages: the reversed time sliders, clamping of stored
// values, Defaults, Apply (registry and both requests of the timing group) and the device list.
#include <cwctype>

#include "SheetTest.h"
#include "TestWindows.h"

using namespace applettest;
using namespace testsupport;
namespace ioctl = standin::ioctl;

namespace {
const wchar_t kPage[] = L"Settings";

// One timing value: its slider and value text.
struct TimingControl {
    const wchar_t* value;   // registry value
    int sliderId;
    int textId;
};
const TimingControl kClick{L"ClickTime", IDC_SET_CLICK_SLIDER, IDC_SET_CLICK_VALUE};
const TimingControl kTap{L"Tap Time", IDC_SET_TAP_SLIDER, IDC_SET_TAP_VALUE};
const TimingControl kLiftOff{L"Liftoff Time", IDC_SET_LIFT_OFF_SLIDER, IDC_SET_LIFT_OFF_VALUE};
const TimingControl kStabilization{L"Stabilization", IDC_SET_STABILIZATION_SLIDER, IDC_SET_STABILIZATION_VALUE};
const TimingControl kAveraging{L"Averaging", IDC_SET_AVERAGING_SLIDER, IDC_SET_AVERAGING_VALUE};
const TimingControl kAll[] = {kClick, kTap, kLiftOff, kStabilization, kAveraging};

class SettingsPageTest : public SheetTest {
protected:
    // Each value's text and slider position, in the order of kAll.
    void ExpectShown(const std::vector<std::wstring>& texts, const std::vector<int>& positions)
    {
        for (size_t i = 0; i < 5; ++i) {
            SCOPED_TRACE(::testing::PrintToString(std::wstring(kAll[i].value)));
            EXPECT_EQ(ControlText(page, kAll[i].textId), texts[i]);
            EXPECT_EQ(SliderPos(kAll[i].sliderId), positions[i]);
        }
    }
};

TEST_F(SettingsPageTest, ShowsTheTimesOnReversedSlidersAndAnUnchangedPageSendsNothing)
{
    DeviceRow device = Serial(1, L"Front Panel");
    device.clickTime = 7, device.tapTime = 12, device.liftOffTime = 30, device.stabilization = 15,
    device.averaging = 3;
    Install({device}, device.name);
    SHOW_PAGE(kPage);

    // Click and tap at 21 - v, lift-off at 80 - v; stabilization and averaging at the value.
    ExpectShown({L"7", L"12", L"30", L"15", L"3"}, {14, 9, 50, 15, 3});
    EXPECT_FALSE(ApplyEnabled(sheet));
    EXPECT_TRUE(Enabled(IDC_SET_DEFAULTS));
    EXPECT_EQ(ComboItems(IDC_SET_DEVICE), std::vector<std::wstring>{device.name});

    ASSERT_TRUE(standin::ClearLog());
    EXPECT_TRUE(session->Close(IDOK));
    EXPECT_TRUE(Requests(device).empty()) << standin::Describe(standin::ReadLog());
}

TEST_F(SettingsPageTest, SliderEndsGiveTheLongestAndShortestTimes)
{
    DeviceRow device = Serial(1, L"Front Panel");
    Install({device}, device.name);
    SHOW_PAGE(kPage);

    const struct {
        TimingControl control;
        const wchar_t* left;    // value at the left end (Home)
        const wchar_t* right;   // value at the right end (End)
    } cases[] = {{kClick, L"20", L"1"}, {kTap, L"20", L"1"}, {kLiftOff, L"80", L"0"},
                 {kStabilization, L"0", L"40"}, {kAveraging, L"0", L"40"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(std::wstring(c.control.value)));
        PressKey(Control(c.control.sliderId), VK_HOME);
        EXPECT_EQ(ControlText(page, c.control.textId), c.left);
        PressKey(Control(c.control.sliderId), VK_END);
        EXPECT_EQ(ControlText(page, c.control.textId), c.right);
    }
    EXPECT_TRUE(ApplyEnabled(sheet));
    EXPECT_EQ(DefaultButton(), MAKELRESULT(IDC_SHEET_APPLY, DC_HASDEFID)) << "Enter applies after an edit";

    Click(sheet, IDC_SHEET_APPLY);
    for (const auto& c : cases) {
        DWORD expected = std::wcstoul(c.right, nullptr, 10);
        EXPECT_EQ(DeviceValue(device, c.control.value), expected) << ::testing::PrintToString(c.control.value);
    }
}

TEST_F(SettingsPageTest, ApplySendsTheModeAndThenThePacketFilterRequest)
{
    DeviceRow device = Distinct(Usb(2, L"Kiosk USB"));   // every value away from its default
    Install({device}, device.name);
    SHOW_PAGE(kPage);
    ASSERT_TRUE(standin::ClearLog());

    PressKey(Control(IDC_SET_TAP_SLIDER), VK_LEFT);   // one step left: one longer
    const DWORD tap = device.tapTime + 1;
    EXPECT_EQ(ControlText(page, IDC_SET_TAP_VALUE), std::to_wstring(tap));
    EXPECT_TRUE(Requests(device).empty()) << "sent before Apply";
    EXPECT_EQ(DeviceValue(device, L"Tap Time"), device.tapTime) << "written before Apply";

    Click(sheet, IDC_SHEET_APPLY);
    EXPECT_EQ(DeviceValue(device, L"Tap Time"), tap);
    const auto log = Requests(device);
    ASSERT_EQ(Codes(log), (std::vector<DWORD>{ioctl::kModeSettings, ioctl::kPacketFilterSettings}))
        << standin::Describe(standin::ReadLog());
    EXPECT_EQ(log[0].input, ModeBytes(device.primaryMode, device.secondaryMode, static_cast<BYTE>(device.clickTime),
                                      static_cast<BYTE>(tap), static_cast<BYTE>(device.liftOffTime)));
    // Touchdown filter, sample rate, deglitch, averaging, stabilization.
    EXPECT_EQ(log[1].input,
              (std::vector<uint8_t>{static_cast<uint8_t>(device.touchdownFilter), static_cast<uint8_t>(device.sampleRate),
                                    static_cast<uint8_t>(device.deglitch), static_cast<uint8_t>(device.averaging),
                                    static_cast<uint8_t>(device.stabilization)}));
    EXPECT_FALSE(ApplyEnabled(sheet));
}

struct StoredTiming {
    TimingControl control;
    DWORD stored;
    const wchar_t* shown;
    int position;
};

void PrintTo(const StoredTiming& c, std::ostream* out)
{
    *out << ::testing::PrintToString(std::wstring(c.control.value)) << " = " << c.stored;
}

class SettingsStoredValues : public SettingsPageTest, public ::testing::WithParamInterface<StoredTiming> {};

TEST_P(SettingsStoredValues, OutOfRangeIsCorrectedShownAndWrittenByApply)
{
    const StoredTiming c = GetParam();
    DeviceRow device = Serial(1, L"Front Panel");
    Install({device}, device.name);
    registry.SetDword(DeviceKeyPath(device), c.control.value, c.stored);
    SHOW_PAGE(kPage);

    EXPECT_EQ(ControlText(page, c.control.textId), c.shown);
    EXPECT_EQ(SliderPos(c.control.sliderId), c.position);
    EXPECT_TRUE(ApplyEnabled(sheet)) << "the corrected value is pending as soon as the page shows";
    ASSERT_TRUE(standin::ClearLog());
    Click(sheet, IDC_SHEET_APPLY);
    EXPECT_EQ(DeviceValue(device, c.control.value), std::wcstoul(c.shown, nullptr, 10));
    EXPECT_EQ(Codes(Requests(device)), (std::vector<DWORD>{ioctl::kModeSettings, ioctl::kPacketFilterSettings}));
}

INSTANTIATE_TEST_SUITE_P(Clamped, SettingsStoredValues,
                         ::testing::Values(StoredTiming{kClick, 0, L"1", 20}, StoredTiming{kClick, 21, L"20", 1},
                                           StoredTiming{kTap, 0xFFFFFFFF, L"20", 1}, StoredTiming{kTap, 0, L"1", 20},
                                           StoredTiming{kLiftOff, 81, L"80", 0},
                                           StoredTiming{kStabilization, 41, L"40", 40},
                                           StoredTiming{kAveraging, 1000, L"40", 40}),
                         [](const ::testing::TestParamInfo<StoredTiming>& info) {
                             return AsciiName(info.param.control.value) + "_" + std::to_string(info.param.stored);
                         });

TEST_F(SettingsPageTest, DefaultsSetsTheDefaultTimesAndFollowsTheSliders)
{
    DeviceRow device = Distinct(Serial(1, L"Front Panel"));
    Install({device}, device.name);
    SHOW_PAGE(kPage);
    EXPECT_TRUE(Enabled(IDC_SET_DEFAULTS));

    Click(page, IDC_SET_DEFAULTS);
    ExpectShown({L"9", L"9", L"5", L"0", L"0"}, {12, 12, 75, 0, 0});
    EXPECT_FALSE(Enabled(IDC_SET_DEFAULTS));
    EXPECT_TRUE(ApplyEnabled(sheet));

    // Away from the defaults and back again.
    PressKey(Control(IDC_SET_LIFT_OFF_SLIDER), VK_RIGHT);
    EXPECT_EQ(ControlText(page, IDC_SET_LIFT_OFF_VALUE), L"4");
    EXPECT_TRUE(Enabled(IDC_SET_DEFAULTS));
    PressKey(Control(IDC_SET_LIFT_OFF_SLIDER), VK_LEFT);
    EXPECT_FALSE(Enabled(IDC_SET_DEFAULTS));

    Click(sheet, IDC_SHEET_APPLY);
    const wchar_t* names[] = {L"ClickTime", L"Tap Time", L"Liftoff Time", L"Stabilization", L"Averaging"};
    const DWORD expected[] = {9, 9, 5, 0, 0};
    for (size_t i = 0; i < 5; ++i)
        EXPECT_EQ(DeviceValue(device, names[i]), expected[i]) << ::testing::PrintToString(names[i]);
}

TEST_F(SettingsPageTest, DefaultsIsDisabledForADeviceAtItsDefaults)
{
    DeviceRow device = Serial(1, L"Front Panel");   // 9, 9, 5, 0, 0
    Install({device}, device.name);
    SHOW_PAGE(kPage);
    EXPECT_FALSE(Enabled(IDC_SET_DEFAULTS));
    EXPECT_FALSE(ApplyEnabled(sheet));
}

TEST_F(SettingsPageTest, ChoosingAnotherDeviceShowsItAndApplyWritesOnlyIt)
{
    DeviceRow front = Serial(1, L"Front Panel");
    DeviceRow kiosk = Usb(2, L"Kiosk USB");
    kiosk.clickTime = 3, kiosk.averaging = 22;
    Install({front, kiosk}, front.name);
    SHOW_PAGE(kPage);
    EXPECT_EQ(ControlText(page, IDC_SET_CLICK_VALUE), L"9");
    // Unsorted: the collection's order, serial devices first.
    EXPECT_EQ(ComboItems(IDC_SET_DEVICE), (std::vector<std::wstring>{front.name, kiosk.name}));

    ChooseDevice(IDC_SET_DEVICE, kiosk.name);
    EXPECT_EQ(ControlText(page, IDC_SET_CLICK_VALUE), L"3");
    EXPECT_EQ(SliderPos(IDC_SET_CLICK_SLIDER), 18);
    EXPECT_EQ(ControlText(page, IDC_SET_AVERAGING_VALUE), L"22");
    EXPECT_EQ(ProductValue(L"Device Name"), kiosk.name);

    ASSERT_TRUE(standin::ClearLog());
    PressKey(Control(IDC_SET_AVERAGING_SLIDER), VK_RIGHT);
    Click(sheet, IDC_SHEET_APPLY);
    EXPECT_EQ(DeviceValue(kiosk, L"Averaging"), 23u);
    EXPECT_EQ(DeviceValue(front, L"Averaging"), 0u);
    EXPECT_EQ(Requests(kiosk, ioctl::kPacketFilterSettings).size(), 1u) << standin::Describe(standin::ReadLog());
    EXPECT_TRUE(Requests(front).empty());
}

}  // namespace
