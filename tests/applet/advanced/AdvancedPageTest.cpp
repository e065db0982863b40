// The Advanced page driven through real messages: slider keys, clicks, list choices, Apply.
#include <cwctype>
#include <string>
#include <vector>

#include "NamedObjects.h"
#include "SheetTest.h"
#include "TestPaths.h"
#include "TestWindows.h"

using namespace applettest;
using namespace testsupport;
namespace ioctl = standin::ioctl;

namespace {
// The file dialog of this process opened from the page (it has the file-name field).
HWND WaitFileDialog(HWND sheet)
{
    HWND found = nullptr;
    WaitUntil([&] {
        found = FindTopWindow(L"#32770", L"", GetCurrentProcessId());
        return found && found != sheet && (GetDlgItem(found, 0x480) || GetDlgItem(found, 0x47C));
    });
    return found != sheet ? found : nullptr;
}

// A manual-reset "BEEP_EVENT" as the touch-sound program creates it.
struct BeepEvent {
    BeepEvent() : handle(CreateEventW(nullptr, TRUE, FALSE, kBeepEvent)) { ResetEvent(handle); }
    ~BeepEvent() { CloseHandle(handle); }
    bool IsSet() const { return WaitForSingleObject(handle, 0) == WAIT_OBJECT_0; }
    HANDLE handle;
};
}  // namespace

class AppletTest : public SheetTest {};

// Opens the sheet on the Advanced page.
#define OPEN_ADVANCED_PAGE() OPEN_SHEET(IDC_ADV_SAMPLE_RATE_SLIDER)

class AdvancedMainRoad : public AppletTest, public ::testing::WithParamInterface<DeviceRow> {};

TEST_P(AdvancedMainRoad, SliderKeyThenApplyWritesKeyAndSendsPacketFilter)
{
    const DeviceRow device = GetParam();
    AddProduct(registry, {2, kInstallDir, WriteLabelFile({}), device.name});
    AddDevice(registry, device);
    OPEN_ADVANCED_PAGE();

    EXPECT_EQ(ControlText(page, IDC_ADV_SAMPLE_RATE_VALUE), L"50");
    EXPECT_EQ(SliderPos(IDC_ADV_SAMPLE_RATE_SLIDER), 50);
    EXPECT_FALSE(ApplyEnabled(sheet)) << "nothing was edited yet";
    ASSERT_TRUE(standin::ClearLog());

    PressKey(Control(IDC_ADV_SAMPLE_RATE_SLIDER), VK_RIGHT);
    EXPECT_EQ(ControlText(page, IDC_ADV_SAMPLE_RATE_VALUE), L"51");
    EXPECT_TRUE(ApplyEnabled(sheet));
    EXPECT_EQ(DeviceValue(device, L"Sample Rate"), 50u) << "written before Apply";
    EXPECT_TRUE(Requests(device).empty()) << standin::Describe(standin::ReadLog());

    Click(sheet, IDC_SHEET_APPLY);
    EXPECT_EQ(DeviceValue(device, L"Sample Rate"), 51u);
    EXPECT_FALSE(ApplyEnabled(sheet));
    auto filters = Requests(device, ioctl::kPacketFilterSettings);
    ASSERT_EQ(filters.size(), 1u) << standin::Describe(standin::ReadLog());
    // Touchdown filter, sample rate, deglitch, averaging, stabilization.
    EXPECT_EQ(filters[0].input, (std::vector<uint8_t>{5, 51, 10, 0, 0}));

    // OK applies again, but nothing is left to write.
    ASSERT_TRUE(standin::ClearLog());
    EXPECT_TRUE(session->Close(IDOK));
    EXPECT_TRUE(Requests(device).empty()) << standin::Describe(standin::ReadLog());
}

INSTANTIATE_TEST_SUITE_P(Drivers, AdvancedMainRoad,
                         ::testing::Values(DeviceRow{true, 1, L"Front Panel"}, DeviceRow{false, 3, L"Kiosk USB"}),
                         [](const ::testing::TestParamInfo<DeviceRow>& info) {
                             return std::string(info.param.serial ? "Rilo" : "Meka") +
                                    std::to_string(info.param.instance);
                         });

TEST_F(AppletTest, CancelWritesNothing)
{
    DeviceRow device;
    AddProduct(registry, {1, kInstallDir, WriteLabelFile({}), device.name});
    AddDevice(registry, device);
    OPEN_ADVANCED_PAGE();
    PressKey(Control(IDC_ADV_DEGLITCH_SLIDER), VK_RIGHT);
    EXPECT_EQ(ControlText(page, IDC_ADV_DEGLITCH_VALUE), L"11");
    ASSERT_TRUE(standin::ClearLog());
    EXPECT_TRUE(session->Close(IDCANCEL));
    EXPECT_EQ(DeviceValue(device, L"Deglitch"), 10u);
    EXPECT_TRUE(Requests(device).empty()) << standin::Describe(standin::ReadLog());
}

struct StoredValueCase {
    const wchar_t* value;
    DWORD stored;
    int textId;            // value text that shows it, or 0
    const wchar_t* shown;
    DWORD written;
};

void PrintTo(const StoredValueCase& c, std::ostream* out)
{
    *out << std::string(c.value, c.value + wcslen(c.value)) << " = " << c.stored;
}

class AdvancedStoredValues : public AppletTest, public ::testing::WithParamInterface<StoredValueCase> {};

TEST_P(AdvancedStoredValues, OutOfRangeIsCorrectedShownAndWrittenByApply)
{
    const StoredValueCase c = GetParam();
    DeviceRow device;
    AddProduct(registry, {1, kInstallDir, WriteLabelFile({}), device.name});
    AddDevice(registry, device);
    registry.SetDword(DeviceKeyPath(device), c.value, c.stored);
    OPEN_ADVANCED_PAGE();

    if (c.textId) {
        EXPECT_EQ(ControlText(page, c.textId), c.shown);
    }
    EXPECT_TRUE(ApplyEnabled(sheet)) << "the corrected value is pending as soon as the page shows";
    Click(sheet, IDC_SHEET_APPLY);
    EXPECT_EQ(DeviceValue(device, c.value), c.written);
}

INSTANTIATE_TEST_SUITE_P(Clamped, AdvancedStoredValues,
                         ::testing::Values(StoredValueCase{L"Sample Rate", 250, IDC_ADV_SAMPLE_RATE_VALUE, L"100", 100},
                                           StoredValueCase{L"Touchdown Filter", 21, IDC_ADV_TOUCHDOWN_VALUE, L"20", 20},
                                           StoredValueCase{L"Deglitch", 0xFFFFFFFF, IDC_ADV_DEGLITCH_VALUE, L"100", 100},
                                           StoredValueCase{L"Controller Enabled", 7, 0, L"", 1},
                                           StoredValueCase{L"Sound Enabled", 3, 0, L"", 0}),
                         [](const ::testing::TestParamInfo<StoredValueCase>& info) {
                             return AsciiName(info.param.value);
                         });

TEST_F(AppletTest, MissingWaveFileBecomesTheDefaultAndIsWritten)
{
    DeviceRow device;
    device.waveFile.clear();
    AddProduct(registry, {1, kInstallDir, WriteLabelFile({}), device.name});
    AddDevice(registry, device);
    OPEN_ADVANCED_PAGE();
    EXPECT_EQ(ControlText(page, IDC_ADV_WAVE_FILE), kDefaultWave);
    EXPECT_TRUE(ApplyEnabled(sheet));
    Click(sheet, IDC_SHEET_APPLY);
    EXPECT_EQ(registry.Read(DeviceKeyPath(device), L"Wave File").AsString(), kDefaultWave);
}

TEST_F(AppletTest, DefaultsButtonFollowsTheValues)
{
    DeviceRow device;   // 50, 5, 10, enabled, no sound, default wave
    AddProduct(registry, {1, kInstallDir, WriteLabelFile({}), device.name});
    AddDevice(registry, device);
    BeepEvent beep;
    OPEN_ADVANCED_PAGE();
    EXPECT_TRUE(Enabled(IDC_ADV_DEFAULTS));

    Click(page, IDC_ADV_DEFAULTS);
    EXPECT_FALSE(Enabled(IDC_ADV_DEFAULTS));
    EXPECT_EQ(SliderPos(IDC_ADV_SAMPLE_RATE_SLIDER), 100);
    EXPECT_EQ(SliderPos(IDC_ADV_TOUCHDOWN_SLIDER), 0);
    EXPECT_EQ(SliderPos(IDC_ADV_DEGLITCH_SLIDER), 0);
    EXPECT_EQ(ControlText(page, IDC_ADV_SAMPLE_RATE_VALUE), L"100");
    EXPECT_EQ(ControlText(page, IDC_ADV_TOUCHDOWN_VALUE), L"0");
    EXPECT_EQ(ControlText(page, IDC_ADV_DEGLITCH_VALUE), L"0");
    EXPECT_EQ(SendMessageW(Control(IDC_ADV_ENABLED), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(Control(IDC_ADV_SOUND), CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(ControlText(page, IDC_ADV_WAVE_FILE), kDefaultWave);
    EXPECT_TRUE(ApplyEnabled(sheet));

    // Any edit away from the defaults enables it; going back disables it again.
    PressKey(Control(IDC_ADV_SAMPLE_RATE_SLIDER), VK_LEFT);
    EXPECT_TRUE(Enabled(IDC_ADV_DEFAULTS));
    PressKey(Control(IDC_ADV_SAMPLE_RATE_SLIDER), VK_RIGHT);
    EXPECT_FALSE(Enabled(IDC_ADV_DEFAULTS));
    Click(page, IDC_ADV_ENABLED);
    EXPECT_TRUE(Enabled(IDC_ADV_DEFAULTS));
    Click(page, IDC_ADV_ENABLED);
    EXPECT_FALSE(Enabled(IDC_ADV_DEFAULTS));
    ChooseComboItem(page, IDC_ADV_SOUND, 2);
    EXPECT_TRUE(Enabled(IDC_ADV_DEFAULTS));
    ChooseComboItem(page, IDC_ADV_SOUND, 0);
    EXPECT_FALSE(Enabled(IDC_ADV_DEFAULTS));

    ASSERT_TRUE(standin::ClearLog());
    Click(sheet, IDC_SHEET_APPLY);
    const std::wstring key = DeviceKeyPath(device);
    EXPECT_EQ(registry.Read(key, L"Sample Rate").AsDword(), 100u);
    EXPECT_EQ(registry.Read(key, L"Touchdown Filter").AsDword(), 0u);
    EXPECT_EQ(registry.Read(key, L"Deglitch").AsDword(), 0u);
    EXPECT_EQ(registry.Read(key, L"Controller Enabled").AsDword(), 1u);
    EXPECT_EQ(registry.Read(key, L"Sound Enabled").AsDword(), 0u);
    EXPECT_EQ(registry.Read(key, L"Wave File").AsString(), kDefaultWave);
    auto log = Requests(device);
    EXPECT_EQ(Codes(log), (std::vector<DWORD>{ioctl::kPacketFilterSettings, ioctl::kEnableDevice}))
        << standin::Describe(standin::ReadLog());
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log[0].input, (std::vector<uint8_t>{0, 100, 0, 0, 0}));
    EXPECT_TRUE(beep.IsSet()) << "Defaults changes the sound settings";
}

TEST_F(AppletTest, DefaultsButtonIsDisabledForADeviceAtItsDefaults)
{
    DeviceRow device;
    device.sampleRate = 100;
    device.touchdownFilter = 0;
    device.deglitch = 0;
    AddProduct(registry, {1, kInstallDir, WriteLabelFile({}), device.name});
    AddDevice(registry, device);
    OPEN_ADVANCED_PAGE();
    EXPECT_FALSE(Enabled(IDC_ADV_DEFAULTS));
    EXPECT_FALSE(ApplyEnabled(sheet));
}

TEST_F(AppletTest, DisablingTheControllerSendsPacketFilterThenDisable)
{
    DeviceRow device;
    AddProduct(registry, {1, kInstallDir, WriteLabelFile({}), device.name});
    AddDevice(registry, device);
    OPEN_ADVANCED_PAGE();
    ASSERT_TRUE(standin::ClearLog());
    Click(page, IDC_ADV_ENABLED);
    EXPECT_TRUE(ApplyEnabled(sheet));
    Click(sheet, IDC_SHEET_APPLY);
    EXPECT_EQ(DeviceValue(device, L"Controller Enabled"), 0u);
    EXPECT_EQ(Codes(Requests(device)), (std::vector<DWORD>{ioctl::kPacketFilterSettings, ioctl::kDisableDevice}))
        << standin::Describe(standin::ReadLog());
}

TEST_F(AppletTest, FileDialogCancelChangesNothingAndOkTakesTheFile)
{
    DeviceRow device;
    AddProduct(registry, {1, kInstallDir, WriteLabelFile({}), device.name});
    AddDevice(registry, device);
    const std::wstring wave = MakeTempDir(L"applet-wave") + L"\\tone.wav";
    ASSERT_TRUE(WriteFileBytes(wave, "RIFF", 4));
    BeepEvent beep;
    OPEN_ADVANCED_PAGE();

    ClickControl(page, IDC_ADV_BROWSE);   // posted: the dialog is modal on the sheet's thread
    HWND dialog = WaitFileDialog(sheet);
    ASSERT_NE(dialog, nullptr) << "no file dialog";
    EXPECT_EQ(ControlText(dialog, IDOK), L"OK");
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitWindowGone(dialog));
    EXPECT_EQ(ControlText(page, IDC_ADV_WAVE_FILE), kDefaultWave);
    EXPECT_FALSE(ApplyEnabled(sheet)) << "Cancel of the file dialog marked the page changed";

    ClickControl(page, IDC_ADV_BROWSE);
    dialog = WaitFileDialog(sheet);
    ASSERT_NE(dialog, nullptr);
    HWND nameField = GetDlgItem(dialog, 0x480) ? GetDlgItem(dialog, 0x480) : GetDlgItem(dialog, 0x47C);
    SetWindowTextW(nameField, wave.c_str());
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitWindowGone(dialog));
    EXPECT_EQ(ControlText(page, IDC_ADV_WAVE_FILE), wave);
    EXPECT_TRUE(ApplyEnabled(sheet));
    Click(sheet, IDC_SHEET_APPLY);
    EXPECT_EQ(registry.Read(DeviceKeyPath(device), L"Wave File").AsString(), wave);
    EXPECT_TRUE(beep.IsSet());
}

TEST_F(AppletTest, ChoosingAnotherDeviceShowsItAndMakesItCurrent)
{
    DeviceRow front;                                   // RILO1, sample rate 50
    DeviceRow kiosk{false, 2, L"Kiosk USB", 80, 3, 7};   // MEKA2
    AddProduct(registry, {1, kInstallDir, WriteLabelFile({}), front.name});
    AddDevice(registry, front);
    AddDevice(registry, kiosk);
    OPEN_ADVANCED_PAGE();
    EXPECT_EQ(ControlText(page, IDC_ADV_SAMPLE_RATE_VALUE), L"50");

    HWND list = Control(IDC_ADV_DEVICE);
    int index = static_cast<int>(SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                              reinterpret_cast<LPARAM>(kiosk.name.c_str())));
    ASSERT_GE(index, 0);
    ChooseComboItem(page, IDC_ADV_DEVICE, index);
    EXPECT_EQ(ControlText(page, IDC_ADV_SAMPLE_RATE_VALUE), L"80");
    EXPECT_EQ(ControlText(page, IDC_ADV_TOUCHDOWN_VALUE), L"3");
    EXPECT_EQ(ControlText(page, IDC_ADV_DEGLITCH_VALUE), L"7");
    EXPECT_EQ(registry.Read(kProductKeyPath, L"Device Name").AsString(), kiosk.name);

    ASSERT_TRUE(standin::ClearLog());
    PressKey(Control(IDC_ADV_TOUCHDOWN_SLIDER), VK_RIGHT);
    Click(sheet, IDC_SHEET_APPLY);
    EXPECT_EQ(DeviceValue(kiosk, L"Touchdown Filter"), 4u);
    EXPECT_EQ(DeviceValue(front, L"Touchdown Filter"), 5u);
    EXPECT_EQ(Requests(kiosk, ioctl::kPacketFilterSettings).size(), 1u) << standin::Describe(standin::ReadLog());
    EXPECT_TRUE(Requests(front).empty());
}

TEST_F(AppletTest, SoundListKeepsItsIndicesWhenALabelIsMissing)
{
    DeviceRow device;
    AddProduct(registry,
               {1, kInstallDir, WriteLabelFile({{L"LADV_NOT_SOUND", L"Silent"}, {L"LADV_BEEP_SOUND", L"Tone"}}),
                device.name});
    AddDevice(registry, device);
    BeepEvent beep;
    OPEN_ADVANCED_PAGE();

    HWND list = Control(IDC_ADV_SOUND);
    ASSERT_EQ(SendMessageW(list, CB_GETCOUNT, 0, 0), 3);
    const wchar_t* expected[] = {L"Silent", L"Wave file", L"Tone"};
    for (int i = 0; i < 3; ++i) {
        wchar_t text[64] = L"";
        SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(text, expected[i]) << "item " << i;
    }
    ChooseComboItem(page, IDC_ADV_SOUND, 2);
    Click(sheet, IDC_SHEET_APPLY);
    EXPECT_EQ(DeviceValue(device, L"Sound Enabled"), 2u);
    EXPECT_TRUE(beep.IsSet());
}

TEST_F(AppletTest, ControlTextsComeFromLabelsWithBuiltInFallbacks)
{
    DeviceRow device;
    AddProduct(registry,
               {1, kInstallDir, WriteLabelFile({{L"LADV_SAMPLE_RATE", L"Abtastrate"}, {L"LDEFAULTS", L"Standard"}}),
                device.name});
    AddDevice(registry, device);
    OPEN_ADVANCED_PAGE();
    EXPECT_EQ(ControlText(page, 1065), L"Abtastrate");
    EXPECT_EQ(ControlText(page, IDC_ADV_DEFAULTS), L"Standard");
    EXPECT_EQ(ControlText(page, 1066), L"Touchdown filter");
    EXPECT_EQ(ControlText(page, IDC_ADV_BROWSE), L"Browse");
}
