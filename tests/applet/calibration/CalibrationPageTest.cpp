// The Calibration page: the points spin's steps and range by controller kind and segment, with
// the pattern pictures; the time-out's clamping; the touch point; Apply writes the registry only.
#include "BitmapPixels.h"
#include "SheetTest.h"
#include "TestWindows.h"

using namespace applettest;
using namespace testsupport;

namespace {
const wchar_t kPage[] = L"Calibration";

int PatternOf(const std::wstring& points)
{
    return points == L"9" ? IDB_PATTERN_9 : points == L"25" ? IDB_PATTERN_25 : IDB_PATTERN_4;
}
}  // namespace

class CalibrationPageTest : public SheetTest {
protected:
    HBITMAP Pattern() const
    {
        return reinterpret_cast<HBITMAP>(SendMessageW(Control(IDC_CAL_PATTERN), STM_GETIMAGE, IMAGE_BITMAP, 0));
    }
    // One step of a spin by its arrow keys (up steps up, also for a horizontal spin).
    void Step(int spinId, bool up) { PressKey(Control(spinId), up ? VK_UP : VK_DOWN); }
};

struct PointsCase {
    const char* name;
    DWORD controllerKind;
    DWORD segment;
    DWORD storedCalFlag;
    const wchar_t* shown;              // points shown at first
    std::vector<bool> steps;           // true: up
    std::vector<const wchar_t*> after; // points shown after each step
};

void PrintTo(const PointsCase& c, std::ostream* out) { *out << c.name; }

class CalibrationPoints : public CalibrationPageTest, public ::testing::WithParamInterface<PointsCase> {};

TEST_P(CalibrationPoints, TheSpinStepsThroughTheNumbersTheControllerAllows)
{
    const PointsCase c = GetParam();
    DeviceRow device = Serial(1, L"Front Panel");
    device.segment = c.segment;
    device.calFlag = c.storedCalFlag;
    Install({device}, device.name, c.controllerKind);
    SHOW_PAGE(kPage);

    EXPECT_EQ(ControlText(page, IDC_CAL_POINTS), c.shown);
    EXPECT_EQ(BitmapBits(Pattern()), AppletBitmapBits(PatternOf(c.shown)));
    EXPECT_FALSE(ApplyEnabled(sheet));
    ASSERT_TRUE(standin::ClearLog());

    std::wstring last = c.shown;
    for (size_t i = 0; i < c.steps.size(); ++i) {
        SCOPED_TRACE("step " + std::to_string(i + 1) + (c.steps[i] ? " up" : " down"));
        Step(IDC_CAL_POINTS_SPIN, c.steps[i]);
        last = c.after[i];
        EXPECT_EQ(ControlText(page, IDC_CAL_POINTS), last);
        EXPECT_EQ(BitmapBits(Pattern()), AppletBitmapBits(PatternOf(last)));
    }
    EXPECT_TRUE(ApplyEnabled(sheet));
    Click(sheet, IDC_SHEET_APPLY);
    EXPECT_EQ(DeviceValue(device, L"calflag"), std::wcstoul(last.c_str(), nullptr, 10));
    EXPECT_TRUE(Requests(device).empty()) << "the driver is not told: " << standin::Describe(standin::ReadLog());
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, CalibrationPoints,
    ::testing::Values(
        PointsCase{"FourWireWholeDesktop", 1, 0, 4, L"4", {true, true, false, false}, {L"9", L"25", L"9", L"4"}},
        PointsCase{"FourWirePrimaryMonitor", 1, 1, 25, L"25", {false, false, true}, {L"9", L"4", L"9"}},
        PointsCase{"FourWireLeftHalfStaysAtFour", 1, 3, 4, L"4", {true, true}, {L"4", L"4"}},
        PointsCase{"FourWireLeftHalfStoredNine", 1, 3, 9, L"9", {true}, {L"4"}},
        PointsCase{"FiveWire", 2, 0, 9, L"9", {true, false, false}, {L"25", L"9", L"9"}},
        PointsCase{"FourWireStoredOddShowsFour", 1, 0, 7, L"4", {true}, {L"9"}},
        PointsCase{"OneSheetNeverBelowNine", 3, 5, 25, L"25", {false, false}, {L"9", L"9"}}),
    [](const ::testing::TestParamInfo<PointsCase>& info) { return std::string(info.param.name); });

struct TimeoutCase {
    DWORD stored;
    const wchar_t* shown;
};

class CalibrationTimeouts : public CalibrationPageTest, public ::testing::WithParamInterface<TimeoutCase> {};

TEST_P(CalibrationTimeouts, OutsideTenToSixtyIsClampedAndPendingAtOnce)
{
    const TimeoutCase c = GetParam();
    DeviceRow device = Usb(2, L"Kiosk USB");
    device.calibrationTimeout = c.stored;
    Install({device}, device.name);
    SHOW_PAGE(kPage);
    EXPECT_EQ(ControlText(page, IDC_CAL_TIMEOUT), c.shown);
    EXPECT_TRUE(ApplyEnabled(sheet));
    Click(sheet, IDC_SHEET_APPLY);
    EXPECT_EQ(DeviceValue(device, L"Calibration Timeout"), std::wcstoul(c.shown, nullptr, 10));
}

INSTANTIATE_TEST_SUITE_P(Clamped, CalibrationTimeouts,
                         ::testing::Values(TimeoutCase{5, L"10"}, TimeoutCase{0, L"10"}, TimeoutCase{61, L"60"},
                                           TimeoutCase{0xFFFFFFFF, L"60"}),
                         [](const ::testing::TestParamInfo<TimeoutCase>& info) {
                             return "Stored" + std::to_string(info.param.stored);
                         });

TEST_F(CalibrationPageTest, TouchPointAndTimeoutStepsAreWrittenAndNothingIsSent)
{
    DeviceRow device = Serial(1, L"Front Panel");   // time-out 10, touch point 1
    Install({device}, device.name);
    SHOW_PAGE(kPage);
    EXPECT_EQ(ControlText(page, IDC_CAL_TIMEOUT), L"10");
    EXPECT_EQ(ControlText(page, IDC_CAL_TOUCH_POINT), L"1");
    EXPECT_FALSE(ApplyEnabled(sheet));
    ASSERT_TRUE(standin::ClearLog());

    Step(IDC_CAL_TOUCH_POINT_SPIN, true);
    Step(IDC_CAL_TOUCH_POINT_SPIN, true);
    EXPECT_EQ(ControlText(page, IDC_CAL_TOUCH_POINT), L"3");
    Step(IDC_CAL_TIMEOUT_SPIN, false);   // already at 10: stays
    Step(IDC_CAL_TIMEOUT_SPIN, true);
    EXPECT_EQ(ControlText(page, IDC_CAL_TIMEOUT), L"11");
    EXPECT_TRUE(ApplyEnabled(sheet));
    EXPECT_EQ(DefaultButton(), MAKELRESULT(IDC_SHEET_APPLY, DC_HASDEFID));

    Click(sheet, IDC_SHEET_APPLY);
    EXPECT_EQ(DeviceValue(device, L"CalibPoint"), 3u);
    EXPECT_EQ(DeviceValue(device, L"Calibration Timeout"), 11u);
    EXPECT_EQ(DeviceValue(device, L"calflag"), device.calFlag);
    EXPECT_TRUE(standin::ReadLog().empty()) << standin::Describe(standin::ReadLog());
}

TEST_F(CalibrationPageTest, ChoosingAnotherDeviceShowsItsValues)
{
    DeviceRow front = Serial(1, L"Front Panel");                 // 9 points, 10 s, touch point 1
    DeviceRow kiosk = Distinct(Usb(2, L"Kiosk USB"));           // 25 points, 25 s, touch point 3
    Install({front, kiosk}, front.name, 2);
    SHOW_PAGE(kPage);
    EXPECT_EQ(ControlText(page, IDC_CAL_POINTS), L"9");
    EXPECT_EQ(ComboItems(IDC_CAL_DEVICE), (std::vector<std::wstring>{front.name, kiosk.name}));

    ChooseDevice(IDC_CAL_DEVICE, kiosk.name);
    EXPECT_EQ(ControlText(page, IDC_CAL_POINTS), L"25");
    EXPECT_EQ(ControlText(page, IDC_CAL_TIMEOUT), L"25");
    EXPECT_EQ(ControlText(page, IDC_CAL_TOUCH_POINT), L"3");
    EXPECT_EQ(BitmapBits(Pattern()), AppletBitmapBits(IDB_PATTERN_25));
    EXPECT_EQ(ProductValue(L"Device Name"), kiosk.name);

    Step(IDC_CAL_POINTS_SPIN, false);
    Click(sheet, IDC_SHEET_APPLY);
    EXPECT_EQ(DeviceValue(kiosk, L"calflag"), 9u);
    EXPECT_EQ(DeviceValue(front, L"calflag"), 9u);
}
