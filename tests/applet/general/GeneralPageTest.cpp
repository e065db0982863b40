// The General page in the real sheet: its three product-key options loaded, defaulted and
// applied in order, the tray program told through "TivenTrayIcons" or started, the support
// buttons greyed without the right to create keys, the labels and the tab's place.
#include <optional>

#include "EchoProgram.h"
#include "GeneralTestBase.h"
#include "NamedObjects.h"
#include "RegistryWriteLog.h"

using namespace applettest;
using namespace generaltest;
using namespace testsupport;

namespace {
constexpr const wchar_t* kOptionValues[] = {L"System Tray Icons", L"Check Calibration", L"Calibration Beeps"};
constexpr int kOptionIds[] = {IDC_GEN_SHOW_ICONS, IDC_GEN_CHECK_CALIBRATION, IDC_GEN_CALIBRATION_BEEPS};

// The manual-reset "TivenTrayIcons" event of a running tray program.
struct TrayEvent {
    TrayEvent() : handle(CreateEventW(nullptr, TRUE, FALSE, kTrayIconsEvent)) { ResetEvent(handle); }
    ~TrayEvent() { CloseHandle(handle); }
    bool IsSet() const { return WaitForSingleObject(handle, 0) == WAIT_OBJECT_0; }
    void Reset() { ResetEvent(handle); }
    HANDLE handle;
};

// The writes of the three options, in write order.
std::vector<std::wstring> OptionWrites(const RegistryWriteLog& log)
{
    std::vector<std::wstring> names;
    for (const std::wstring& name : log.NamesWritten())
        for (const wchar_t* option : kOptionValues)
            if (name == option)
                names.push_back(name);
    return names;
}

const std::vector<std::wstring> kAllOptionsInOrder(std::begin(kOptionValues), std::end(kOptionValues));
}  // namespace

class GeneralPageTest : public GeneralTest {
protected:
    // The applet's own writes (the test's fixture writes are not seen).
    std::unique_ptr<RegistryWriteLog> LogWrites()
    {
        auto log = std::make_unique<RegistryWriteLog>(GetModuleHandleW(L"Tunora.cpl"));
        EXPECT_TRUE(log->Active()) << "the applet's registry writes cannot be recorded";
        return log;
    }
};

struct StoredOptions {
    const char* name;
    std::optional<DWORD> stored[3];   // nothing: the value is missing
    bool shown[3];
    bool pending;                     // Apply enabled on entry
};

void PrintTo(const StoredOptions& c, std::ostream* out) { *out << c.name; }

class GeneralLoad : public GeneralPageTest, public ::testing::WithParamInterface<StoredOptions> {};

TEST_P(GeneralLoad, BoxesShowTheStoredOptionsAndMissingOnesAreWrittenByApply)
{
    const StoredOptions c = GetParam();
    InstallDevices({Serial(1, L"Front Panel")});
    for (int i = 0; i < 3; ++i)
        if (c.stored[i])
            registry.SetDword(kProductKeyPath, kOptionValues[i], *c.stored[i]);
    EchoProgram tray(L"Beaconet.exe");
    registry.SetString(kProductKeyPath, L"BeaconetApplication", tray.Path());
    TrayEvent running;   // nothing is started; the tray program only hears of the change
    OPEN_GENERAL_PAGE();

    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Checked(kOptionIds[i]), c.shown[i]) << "box of " << testing::PrintToString(std::wstring(kOptionValues[i]));
    EXPECT_EQ(ApplyEnabled(sheet), c.pending);

    auto log = LogWrites();
    if (c.pending) {
        ASSERT_TRUE(ApplySync());
        EXPECT_EQ(OptionWrites(*log), kAllOptionsInOrder);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(ProductDword(kOptionValues[i]), c.shown[i] ? 1u : 0u);
        EXPECT_TRUE(running.IsSet());
        EXPECT_FALSE(ApplyEnabled(sheet));
        running.Reset();
        log->Clear();
    }
    // Nothing (more) to write: OK leaves the options and the tray program alone.
    Close(IDOK);
    EXPECT_TRUE(OptionWrites(*log).empty());
    EXPECT_FALSE(running.IsSet());
    for (int i = 0; i < 3; ++i) {
        if (c.stored[i] && !c.pending) {
            EXPECT_EQ(ProductDword(kOptionValues[i]), *c.stored[i]) << "rewritten";
        }
    }
    EXPECT_TRUE(tray.NeverStarted());
}

INSTANTIATE_TEST_SUITE_P(
    Options, GeneralLoad,
    ::testing::Values(StoredOptions{"AllOn", {1u, 1u, 1u}, {true, true, true}, false},
                      StoredOptions{"AllOff", {0u, 0u, 0u}, {false, false, false}, false},
                      // Only 1 means on.
                      StoredOptions{"OnlyOneIsOn", {2u, 1u, 0xFFFFFFFFu}, {false, true, false}, false},
                      StoredOptions{"AllMissing", {std::nullopt, std::nullopt, std::nullopt}, {true, false, false}, true},
                      StoredOptions{"OneMissing", {0u, std::nullopt, 1u}, {false, false, true}, true}),
    [](const ::testing::TestParamInfo<StoredOptions>& info) { return std::string(info.param.name); });

struct TrayCase {
    const char* name;
    bool trayRunning;                  // the test holds "TivenTrayIcons"
    std::optional<DWORD> storedIcons;  // "System Tray Icons"; the other two options are 0
    int clicked;                       // the box the user clicks, or 0
    DWORD writtenIcons;
    bool started;                      // the tray program is started from "BeaconetApplication"
};

void PrintTo(const TrayCase& c, std::ostream* out) { *out << c.name; }

class GeneralTray : public GeneralPageTest, public ::testing::WithParamInterface<TrayCase> {};

TEST_P(GeneralTray, ApplyTellsARunningTrayProgramOrStartsOneForItsIcons)
{
    const TrayCase c = GetParam();
    InstallDevices({Usb(1, L"Desk Pad")});
    registry.SetDword(kProductKeyPath, L"Check Calibration", 0);
    registry.SetDword(kProductKeyPath, L"Calibration Beeps", 0);
    if (c.storedIcons)
        registry.SetDword(kProductKeyPath, L"System Tray Icons", *c.storedIcons);
    EchoProgram tray(L"Beaconet.exe");
    ASSERT_TRUE(tray.Copied());
    registry.SetString(kProductKeyPath, L"BeaconetApplication", tray.Path());
    std::optional<TrayEvent> event;
    if (c.trayRunning)
        event.emplace();
    OPEN_GENERAL_PAGE();

    if (c.clicked)
        Click(page, c.clicked);
    ASSERT_TRUE(ApplyEnabled(sheet));
    ASSERT_TRUE(ApplySync());
    EXPECT_EQ(ProductDword(L"System Tray Icons"), c.writtenIcons);
    if (event) {
        EXPECT_TRUE(event->IsSet()) << "the running tray program was not told";
    }
    if (c.started) {
        EXPECT_EQ(tray.Received(), L"") << "the tray program gets no argument";
    } else {
        EXPECT_TRUE(tray.NeverStarted());
    }
    Close(IDCANCEL);
}

INSTANTIATE_TEST_SUITE_P(
    Tray, GeneralTray,
    ::testing::Values(TrayCase{"RunningIsToldOfIconsOff", true, 1u, IDC_GEN_SHOW_ICONS, 0, false},
                      TrayCase{"RunningIsToldOfIconsOn", true, 0u, IDC_GEN_SHOW_ICONS, 1, false},
                      TrayCase{"StoppedIsStartedForIconsOn", false, 0u, IDC_GEN_SHOW_ICONS, 1, true},
                      TrayCase{"StoppedStaysStoppedWithIconsOff", false, 1u, IDC_GEN_SHOW_ICONS, 0, false},
                      TrayCase{"MissingValueStartsIt", false, std::nullopt, 0, 1, true},
                      TrayCase{"AnyOptionWithIconsOnStartsIt", false, 1u, IDC_GEN_CALIBRATION_BEEPS, 1, true}),
    [](const ::testing::TestParamInfo<TrayCase>& info) { return std::string(info.param.name); });

TEST_F(GeneralPageTest, ATrayProgramPathWithBlanksStartsThatProgram)
{
    // The echo program lies in a folder with blanks, as the tray program under "Program Files".
    InstallDevices({Serial(1, L"Front Panel")});
    EchoProgram tray(L"Beaconet Tray.exe");
    registry.SetString(kProductKeyPath, L"BeaconetApplication", tray.Path());
    OPEN_GENERAL_PAGE();
    ASSERT_TRUE(ApplyEnabled(sheet)) << "the missing options are pending";
    ASSERT_TRUE(ApplySync());
    EXPECT_EQ(tray.Received(), L"");
    Close(IDOK);
}

TEST_F(GeneralPageTest, WithoutATrayProgramPathApplyStillWritesTheOptions)
{
    InstallDevices({Serial(1, L"Front Panel")});
    OPEN_GENERAL_PAGE();
    Click(page, IDC_GEN_CHECK_CALIBRATION);
    ASSERT_TRUE(ApplySync());
    EXPECT_EQ(ProductDword(L"System Tray Icons"), 1u);
    EXPECT_EQ(ProductDword(L"Check Calibration"), 1u);
    EXPECT_EQ(ProductDword(L"Calibration Beeps"), 0u);
    EXPECT_FALSE(ApplyEnabled(sheet));
    Close(IDOK);
}

TEST_F(GeneralPageTest, AnEditMakesApplyTheDefaultButtonAndCancelWritesNothing)
{
    InstallDevices({Serial(1, L"Front Panel")});
    for (const wchar_t* value : kOptionValues)
        registry.SetDword(kProductKeyPath, value, 0);
    TrayEvent running;
    OPEN_GENERAL_PAGE();
    EXPECT_FALSE(ApplyEnabled(sheet));
    EXPECT_NE(LOWORD(DefaultButton()), IDC_SHEET_APPLY);
    Click(page, IDC_GEN_CALIBRATION_BEEPS);
    EXPECT_TRUE(Checked(IDC_GEN_CALIBRATION_BEEPS));
    EXPECT_TRUE(ApplyEnabled(sheet));
    EXPECT_EQ(DefaultButton(), MAKELRESULT(IDC_SHEET_APPLY, DC_HASDEFID));
    Close(IDCANCEL);
    EXPECT_EQ(ProductDword(L"Calibration Beeps"), 0u);
    EXPECT_FALSE(running.IsSet());
}

TEST_F(GeneralPageTest, SupportButtonsNeedTheRightToCreateKeysBesideTheDrivers)
{
    for (bool mayCreate : {true, false}) {
        SCOPED_TRACE(mayCreate ? "keys can be created" : "keys cannot be created");
        session.reset();
        registry.DeleteTree(L"SYSTEM");
        if (!mayCreate) {
            // No lasting key can be created under a volatile Services key, as without the right.
            for (const wchar_t* path : {L"SYSTEM\\CurrentControlSet\\Services", kProductKeyPath, kSerialParametersPath,
                                        L"SYSTEM\\CurrentControlSet\\Services\\RILO\\Parameters\\1"}) {
                HKEY key = nullptr;
                ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                                          nullptr, &key, nullptr),
                          ERROR_SUCCESS);
                RegCloseKey(key);
            }
        }
        InstallDevices({Serial(1, L"Front Panel")});
        OPEN_GENERAL_PAGE();
        EXPECT_EQ(Enabled(IDC_GEN_COPY_OF_SETTINGS), mayCreate);
        EXPECT_EQ(Enabled(IDC_GEN_DUMP_SETTINGS), mayCreate);
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(page, IDC_GEN_DUMP_SETTINGS))) << "Dump settings is never shown";
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(page, IDC_GEN_COPY_OF_SETTINGS)));
        EXPECT_FALSE(registry.KeyExists(L"SYSTEM\\CurrentControlSet\\Services\\mavomavo")) << "the probe key stays";
        Close(IDCANCEL);
    }
}

TEST_F(GeneralPageTest, LabelsReplaceTheTemplateTextsAndNameTheTab)
{
    const std::vector<LabelledText> texts = {
        {IDC_GEN_HEADING, LabelKey::LGEN_GENERAL_SETTINS, L"General settings "},
        {IDC_GEN_SHOW_ICONS, LabelKey::LGEN_SHOW_ICONS, L"&Show icons in system tray"},
        {IDC_GEN_CHECK_CALIBRATION, LabelKey::LGEN_CHECK_CALIBRATION, L"Check after calibration"},
        {IDC_GEN_CALIBRATION_BEEPS, LabelKey::LGEN_CALIBRATION_BEEPS, L"Beeps at calibration"},
        {IDC_GEN_COPY_OF_SETTINGS, LabelKey::LGEN_CLONE, L"Copy of Settings"},
        {IDC_GEN_DUMP_SETTINGS, LabelKey::LGEN_DUMP, L"Dump settings"},
    };
    for (bool labelled : {false, true}) {
        SCOPED_TRACE(labelled ? "with labels" : "without labels");
        session.reset();
        Labels labels;
        if (labelled) {
            labels = LabelsFor(texts);
            labels.emplace_back(LabelKey::LGENERAL_PAGE, L"Allgemein");
        }
        InstallDevices({Serial(1, L"Front Panel")}, labels);
        OPEN_GENERAL_PAGE();
        ExpectTexts(page, texts, labelled);
        // The General tab follows the Advanced tab (other pages may stand between them) and
        // comes before the Status tab.
        const int general = TabIndex(labelled ? L"Allgemein" : L"General");
        EXPECT_GT(general, TabIndex(L"Advanced"));
        EXPECT_LT(general, TabIndex(L"Status"));
        EXPECT_EQ(CurrentPageIndex(sheet), general);
        Close(IDCANCEL);
    }
}

TEST_F(GeneralPageTest, LongTabCaptionsAreCutToTheSheetsCaptionLength)
{
    InstallDevices({Serial(1, L"Front Panel")},
                   {{LabelKey::LGENERAL_PAGE, std::wstring(400, L'G')}, {LabelKey::LABOUT_PAGE, std::wstring(1000, L'A')}});
    OPEN_GENERAL_PAGE();
    const std::vector<std::wstring> captions = TabCaptions(sheet);
    ASSERT_GE(captions.size(), 2u);
    EXPECT_EQ(captions[static_cast<size_t>(CurrentPageIndex(sheet))], std::wstring(259, L'G'));
    EXPECT_EQ(captions.back(), std::wstring(259, L'A'));
    Close(IDCANCEL);
}
