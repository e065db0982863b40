// Where the pages sit in the sheet, their tab captions and control texts from labels (the
// template's text where a label is missing) and long device names in their device lists.
#include "SheetTest.h"
#include "TestWindows.h"

using namespace applettest;
using namespace testsupport;

class PageOrderTest : public SheetTest {};

TEST_F(PageOrderTest, PagesFollowTheSheetOrderWithTheirTemplateCaptions)
{
    DeviceRow device = Serial(1, L"Front Panel");
    Install({device}, device.name);
    OPEN_SHEET(IDC_DEV_LIST);
    // Every page in its place, in the sheet's order, and nothing else (the Hardware template's caption
    // starts with blanks).
    EXPECT_EQ(TabCaptions(sheet),
              (std::vector<std::wstring>{L"Devices ", L"Advanced", L"Settings", L"Windows", L"General", L"Events",
                                         L"Calibration", L"       Hardware", L"Status ", L"About"}));
}

TEST_F(PageOrderTest, CaptionsComeFromLabels)
{
    DeviceRow device = Serial(1, L"Front Panel");
    Install({device}, device.name, 1,
            {{L"LSETTINGS_PAGE", L"Zeiten"}, {L"LWINDOWS_PAGE", L"Fenster"}, {L"LEVENTS_PAGE", L"Ereignisse"},
             {L"LCALIBRATION_PAGE", L"Kalibrierung"}});
    OPEN_SHEET(IDC_DEV_LIST);
    const std::vector<std::wstring> tabs = TabCaptions(sheet);
    ASSERT_GE(tabs.size(), 7u);
    EXPECT_EQ(tabs[2], L"Zeiten");
    EXPECT_EQ(tabs[3], L"Fenster");
    EXPECT_EQ(tabs[5], L"Ereignisse");
    EXPECT_EQ(tabs[6], L"Kalibrierung");
}

TEST_F(PageOrderTest, ALongDeviceNameIsListedWholeOnEveryDevicePage)
{
    DeviceRow device = Serial(1, std::wstring(400, L'N') + L" end");
    Install({device}, device.name);
    for (const wchar_t* caption : {L"Settings", L"Events", L"Calibration"}) {
        SCOPED_TRACE(::testing::PrintToString(std::wstring(caption)));
        SHOW_PAGE(caption);
        const int list = std::wstring(caption) == L"Settings" ? IDC_SET_DEVICE
                         : std::wstring(caption) == L"Events" ? IDC_EV_DEVICE
                                                              : IDC_CAL_DEVICE;
        EXPECT_EQ(ComboItems(list), std::vector<std::wstring>{device.name});
        EXPECT_EQ(ComboSelection(list), 0);
        EXPECT_TRUE(session->Close(IDCANCEL));
    }
}

struct PageLabelsCase {
    const char* name;
    const wchar_t* page;
    Labels labels;
    std::vector<std::pair<int, std::wstring>> texts;   // control id, text shown
};

void PrintTo(const PageLabelsCase& c, std::ostream* out) { *out << c.name; }

class PageLabels : public SheetTest, public ::testing::WithParamInterface<PageLabelsCase> {};

TEST_P(PageLabels, ControlTextsComeFromLabelsWithBuiltInFallbacks)
{
    const PageLabelsCase& c = GetParam();
    DeviceRow device = Serial(1, L"Front Panel");
    Install({device}, device.name, 1, c.labels);
    SHOW_PAGE(c.page);
    for (const auto& [id, text] : c.texts)
        EXPECT_EQ(ControlText(page, id), text) << "control " << id;
}

INSTANTIATE_TEST_SUITE_P(
    Pages, PageLabels,
    ::testing::Values(
        PageLabelsCase{"Settings", L"Settings", {{L"LSET_TAP_TIME", L"Tippzeit"}, {L"LDEFAULTS", L"Standard"}},
                       {{IDC_SET_TAP_LABEL, L"Tippzeit"}, {IDC_SET_DEFAULTS, L"Standard"},
                        {IDC_SET_CLICK_LABEL, L"Click time"}, {IDC_SET_SETTINGS_FOR, L"General settings for:"}}},
        PageLabelsCase{"Windows", L"Windows", {{L"LWND_TIME", L"Zeit"}, {L"LWND_DOUBLE_CLICK_TEST", L"Doppelklick"}},
                       {{IDC_WND_TIME_LABEL, L"Zeit"}, {IDC_WND_DOUBLE_CLICK_LABEL, L"Doppelklick"},
                        {IDC_WND_HEIGHT_LABEL, L"Height"}, {IDC_WND_MOUSE_CLICK_TEST, L"Mouse Click Test"}}},
        PageLabelsCase{"Events", L"Events", {{L"LEV_PRIMARY", L"Erste"}, {L"LDEFAULT", L"Vorgabe"}},
                       {{IDC_EV_PRIMARY_HEAD, L"Erste"}, {IDC_EV_DEFAULT_ROW, L"Vorgabe"},
                        {IDC_EV_SECONDARY_HEAD, L"Secondary"}, {IDC_EV_EVENTS_FOR, L"Events  &for: "}}},
        PageLabelsCase{"Calibration", L"Calibration",
                       {{L"LCAL_TIMEOUT", L"Zeitlimit"}, {L"LCAL_CALIBRATION_POSITION", L"Punkt"}},
                       {{IDC_CAL_TIMEOUT_LABEL, L"Zeitlimit"}, {IDC_CAL_TOUCH_POINT_LABEL, L"Punkt"},
                        {IDC_CAL_POINTS_LABEL, L"Calibration points:"},
                        {IDC_CAL_PATTERN_LABEL, L"Calibration pattern:"}}}),
    [](const ::testing::TestParamInfo<PageLabelsCase>& info) { return std::string(info.param.name); });
