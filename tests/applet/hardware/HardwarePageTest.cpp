// The Hardware page's port settings: what it shows for serial and USB devices, the corrections
// of stored values, the Advanced serial settings dialog and the apply of the serial group.
#include <string>
#include <vector>

#include "AppletSession.h"
#include "HardwareTestBase.h"

using namespace applettest;
using namespace testsupport;
namespace ioctl = standin::ioctl;

namespace {
const int kPortSettingsControls[] = {IDC_HW_FIFO, IDC_HW_PORT, IDC_HW_BAUD_RATE, IDC_HW_PARITY, IDC_HW_DATA_BITS,
                                     IDC_HW_STOP_BITS, IDC_HW_ADVANCED, IDC_HW_PORT_LABEL, IDC_HW_FIFO_LABEL};
const int kToolControls[] = {IDC_HW_SENSITIVE, IDC_HW_WRITE, IDC_HW_READ, IDC_HW_DATA_LABEL};

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

int ComboIndex(const std::vector<std::wstring>& items, const std::wstring& text)
{
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i] == text)
            return static_cast<int>(i);
    return -1;
}

uint32_t U32At(const std::vector<uint8_t>& bytes, size_t offset)
{
    return bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 | static_cast<uint32_t>(bytes[offset + 3]) << 24;
}
}  // namespace

// ---- the port list ----

struct PortListCase {
    std::vector<std::wstring> systemPorts;
    std::wstring devicePort;
    std::wstring offered;     // the one entry of the port list
    std::wstring selected;
};

void PrintTo(const PortListCase& c, std::ostream* out)
{
    *out << "ports";
    for (const auto& p : c.systemPorts)
        *out << " " << Narrow(p);
    *out << ", device on " << Narrow(c.devicePort);
}

class HardwarePortList : public HardwareTest, public ::testing::WithParamInterface<PortListCase> {};

TEST_P(HardwarePortList, OffersExactlyOnePort)
{
    const PortListCase c = GetParam();
    DeviceRow device = Serial(1, L"Front Panel");
    device.port = c.devicePort;
    Prepare(device, 1, c.systemPorts);
    OPEN_HARDWARE_PAGE();
    EXPECT_EQ(ComboItems(page, IDC_HW_PORT), std::vector<std::wstring>{c.offered});
    EXPECT_EQ(ComboSelectionText(page, IDC_HW_PORT), c.selected);
    EXPECT_FALSE(ApplyEnabled(sheet)) << "nothing was corrected";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HardwarePortList,
    ::testing::Values(PortListCase{{}, L"COM2", L"No COM2", L"(none)"},
                      PortListCase{{L"COM1"}, L"No COM2", L"No COM2", L"No COM2"},
                      PortListCase{{L"COM1", L"COM2"}, L"COM2", L"COM2", L"COM2"},
                      PortListCase{{L"COM1", L"COM2"}, L"COM1", L"COM2", L"(none)"},
                      PortListCase{{L"com2"}, L"com2", L"com2", L"com2"}));

// ---- what the page shows ----

TEST_F(HardwareTest, SerialDeviceShowsItsPortSettings)
{
    DeviceRow device = Distinct(Serial(1, L"Front Panel"));   // FIFO 14, 19200 baud, even, 7 bits, 2 stop bits
    Prepare(device, 1);
    OPEN_HARDWARE_PAGE();
    EXPECT_EQ(ControlText(page, IDC_HW_BAUD_RATE), L"19200");
    EXPECT_EQ(ControlText(page, IDC_HW_PARITY), L"Even");
    EXPECT_EQ(ControlText(page, IDC_HW_DATA_BITS), L"7");
    EXPECT_EQ(ControlText(page, IDC_HW_STOP_BITS), L"2");
    EXPECT_EQ(ControlText(page, IDC_HW_ADDRESS), L"3e8");
    EXPECT_EQ(ControlText(page, IDC_HW_IRQ), L"4");
    EXPECT_EQ(ComboItems(page, IDC_HW_FIFO), (std::vector<std::wstring>{L"0", L"1", L"4", L"8", L"14"}));
    EXPECT_EQ(ComboSelectionText(page, IDC_HW_FIFO), L"14");
    for (int id : kPortSettingsControls)
        EXPECT_TRUE(Visible(id)) << "control " << id;
    EXPECT_FALSE(Visible(IDC_HW_NO_SETTINGS));
    EXPECT_FALSE(Visible(IDC_HW_ADDRESS));
    EXPECT_FALSE(Visible(IDC_HW_IRQ));
    EXPECT_FALSE(Enabled(IDC_HW_BAUD_RATE)) << "the line settings change only through Advanced";
    EXPECT_FALSE(ApplyEnabled(sheet));
}

TEST_F(HardwareTest, UsbDeviceHidesThePortSettingsUntilASerialDeviceIsChosen)
{
    DeviceRow usb = Usb(3, L"Kiosk USB");
    Prepare(usb, 1, {L"COM2"}, {{L"NO_SETTINGS_REQUIRED", L"No settings required"}});
    AddDevice(registry, Serial(1, L"Front Panel"));
    OPEN_HARDWARE_PAGE();
    for (int id : kPortSettingsControls)
        EXPECT_FALSE(Visible(id)) << "control " << id;
    EXPECT_TRUE(Visible(IDC_HW_NO_SETTINGS));
    EXPECT_EQ(ControlText(page, IDC_HW_NO_SETTINGS), L"No settings required");

    int serialIndex = ComboIndex(ComboItems(page, IDC_HW_DEVICE), L"Front Panel");
    ASSERT_GE(serialIndex, 0);
    ChooseComboItem(page, IDC_HW_DEVICE, serialIndex);
    for (int id : kPortSettingsControls)
        EXPECT_TRUE(Visible(id)) << "control " << id;
    EXPECT_FALSE(Visible(IDC_HW_NO_SETTINGS));
    EXPECT_EQ(ControlText(page, IDC_HW_BAUD_RATE), L"9600");
    EXPECT_EQ(registry.Read(kProductKeyPath, L"Device Name").AsString(), L"Front Panel");
}

struct ToolsCase {
    DWORD controllerKind;
    bool serial;
    bool shown;
};

void PrintTo(const ToolsCase& c, std::ostream* out)
{
    *out << "kind " << c.controllerKind << (c.serial ? " serial" : " USB");
}

class HardwareTools : public HardwareTest, public ::testing::WithParamInterface<ToolsCase> {};

TEST_P(HardwareTools, ShownOnlyForOneSheetControllers)
{
    const ToolsCase c = GetParam();
    Prepare(c.serial ? Serial(1, L"Front Panel") : Usb(2, L"Kiosk USB"), c.controllerKind);
    OPEN_HARDWARE_PAGE();
    for (int id : kToolControls)
        EXPECT_EQ(Visible(id), c.shown) << "control " << id;
    EXPECT_FALSE(Visible(IDC_HW_CONT));
    EXPECT_FALSE(Visible(IDC_HW_GET));
}

INSTANTIATE_TEST_SUITE_P(Kinds, HardwareTools,
                         ::testing::Values(ToolsCase{1, true, false}, ToolsCase{2, true, false},
                                           ToolsCase{3, true, true}, ToolsCase{1, false, false},
                                           ToolsCase{2, false, false}, ToolsCase{3, false, true},
                                           ToolsCase{0, true, false}));

// ---- corrections of stored values ----

struct CorrectionCase {
    const char* what;
    DWORD fifo;
    DWORD parity;
    std::wstring port;
    std::wstring fifoShown;     // selected FIFO entry
    std::wstring parityShown;
    std::wstring portShown;     // selected port entry
    bool changed;               // Apply offered, and the corrected values written by it
    DWORD fifoStored, parityStored;
    std::wstring portStored;
};

void PrintTo(const CorrectionCase& c, std::ostream* out) { *out << c.what; }

class HardwareCorrections : public HardwareTest, public ::testing::WithParamInterface<CorrectionCase> {};

TEST_P(HardwareCorrections, AreShownMarkedAndWrittenByApply)
{
    const CorrectionCase c = GetParam();
    DeviceRow device = Serial(1, L"Front Panel");
    device.fifo = c.fifo;
    device.parity = c.parity;
    device.port = c.port;
    Prepare(device, 1, {});
    OPEN_HARDWARE_PAGE();
    EXPECT_EQ(ComboSelectionText(page, IDC_HW_FIFO), c.fifoShown);
    EXPECT_EQ(ControlText(page, IDC_HW_PARITY), c.parityShown);
    EXPECT_EQ(ComboSelectionText(page, IDC_HW_PORT), c.portShown);
    EXPECT_EQ(ApplyEnabled(sheet), c.changed);
    EXPECT_EQ(DeviceValue(device, L"FIFO"), c.fifo) << "written before Apply";

    Click(sheet, IDC_SHEET_APPLY);
    EXPECT_EQ(DeviceValue(device, L"FIFO"), c.fifoStored);
    EXPECT_EQ(DeviceValue(device, L"Parity"), c.parityStored);
    EXPECT_EQ(registry.Read(DeviceKeyPath(device), L"Port").AsString(), c.portStored);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HardwareCorrections,
    ::testing::Values(CorrectionCase{"FIFO 20", 20, 0, L"COM1", L"14", L"None", L"(none)", true, 14, 0, L"COM1"},
                      CorrectionCase{"FIFO 5", 5, 0, L"COM1", L"(none)", L"None", L"(none)", false, 5, 0, L"COM1"},
                      CorrectionCase{"parity 7", 8, 7, L"COM1", L"8", L"None", L"(none)", true, 8, 0, L"COM1"},
                      CorrectionCase{"parity 1", 1, 1, L"COM1", L"1", L"Odd", L"(none)", false, 1, 1, L"COM1"},
                      CorrectionCase{"no port", 0, 0, L"", L"0", L"None", L"No COM2", true, 0, 0, L"No COM2"}),
    [](const ::testing::TestParamInfo<CorrectionCase>& info) { return std::to_string(info.index); });

TEST_F(HardwareTest, FifoAndPortChoicesAreAppliedWithTheSerialGroup)
{
    DeviceRow device = Serial(1, L"Front Panel");
    Prepare(device, 1);
    OPEN_HARDWARE_PAGE();
    ASSERT_TRUE(standin::ClearLog());
    ChooseComboItem(page, IDC_HW_FIFO, 3);   // "8"
    EXPECT_TRUE(ApplyEnabled(sheet));
    ChooseComboItem(page, IDC_HW_PORT, 0);   // "COM2"
    EXPECT_TRUE(Requests(device).empty()) << "sent before Apply";
    Click(sheet, IDC_SHEET_APPLY);
    EXPECT_EQ(DeviceValue(device, L"FIFO"), 8u);
    EXPECT_EQ(registry.Read(DeviceKeyPath(device), L"Port").AsString(), L"COM2");
    auto sent = Requests(device, ioctl::kSerialSettings);
    ASSERT_EQ(sent.size(), 1u) << standin::Describe(standin::ReadLog());
    EXPECT_EQ(sent[0].input[4], 8u);
}

// ---- the Advanced serial settings dialog ----

class HardwareAdvancedDialog : public HardwareTest {
protected:
    void OpenAdvanced(HWND& dialog)
    {
        Press(page, IDC_HW_ADVANCED);
        dialog = WaitDialog(L"Advanced Serial Settings");
        ASSERT_NE(dialog, nullptr);
    }
};

TEST_F(HardwareAdvancedDialog, AdvancedDialogChoicesReachRegistryAndDriver)
{
    DeviceRow device = Serial(1, L"Front Panel");
    Prepare(device, 1);
    OPEN_HARDWARE_PAGE();
    HWND dialog = nullptr;
    ASSERT_NO_FATAL_FAILURE(OpenAdvanced(dialog));
    EXPECT_EQ(ControlText(dialog, IDC_HWA_BAUD_RATE_LABEL), L"Baud rate");
    EXPECT_EQ(ControlText(dialog, IDC_HWA_PARITY_LABEL), L"Parity");
    EXPECT_EQ(ControlText(dialog, IDC_HWA_DATA_BITS_LABEL), L"Data bits");
    EXPECT_EQ(ControlText(dialog, IDC_HWA_STOP_BITS_LABEL), L"Stop bits");
    EXPECT_EQ(ComboItems(dialog, IDC_HWA_BAUD_RATE),
              (std::vector<std::wstring>{L"1200", L"2400", L"4800", L"9600", L"19200"}));
    EXPECT_EQ(ComboItems(dialog, IDC_HWA_PARITY), (std::vector<std::wstring>{L"None", L"Odd", L"Even"}));
    EXPECT_EQ(ComboItems(dialog, IDC_HWA_DATA_BITS), (std::vector<std::wstring>{L"7", L"8"}));
    EXPECT_EQ(ComboItems(dialog, IDC_HWA_STOP_BITS), (std::vector<std::wstring>{L"1", L"2"}));
    EXPECT_EQ(ComboSelectionText(dialog, IDC_HWA_BAUD_RATE), L"9600");
    EXPECT_EQ(ComboSelectionText(dialog, IDC_HWA_PARITY), L"None");
    EXPECT_EQ(ComboSelectionText(dialog, IDC_HWA_DATA_BITS), L"8");
    EXPECT_EQ(ComboSelectionText(dialog, IDC_HWA_STOP_BITS), L"1");

    ChooseComboItem(dialog, IDC_HWA_BAUD_RATE, 4);   // 19200
    ChooseComboItem(dialog, IDC_HWA_PARITY, 1);      // Odd
    ChooseComboItem(dialog, IDC_HWA_DATA_BITS, 0);   // 7
    ChooseComboItem(dialog, IDC_HWA_STOP_BITS, 1);   // 2
    Press(dialog, IDOK);
    ASSERT_TRUE(WaitWindowGone(dialog));
    EXPECT_EQ(ControlText(page, IDC_HW_BAUD_RATE), L"19200");
    EXPECT_EQ(ControlText(page, IDC_HW_PARITY), L"Odd");
    EXPECT_EQ(ControlText(page, IDC_HW_DATA_BITS), L"7");
    EXPECT_EQ(ControlText(page, IDC_HW_STOP_BITS), L"2");
    EXPECT_TRUE(ApplyEnabled(sheet));
    EXPECT_EQ(DeviceValue(device, L"Baud Rate"), 9600u) << "written before Apply";

    ASSERT_TRUE(standin::ClearLog());
    Click(sheet, IDC_SHEET_APPLY);
    const std::wstring key = DeviceKeyPath(device);
    EXPECT_EQ(registry.Read(key, L"Port").AsString(), L"COM1");
    EXPECT_EQ(DeviceValue(device, L"FIFO"), 0u);
    EXPECT_EQ(DeviceValue(device, L"Address"), 760u);
    EXPECT_EQ(DeviceValue(device, L"Baud Rate"), 19200u);
    EXPECT_EQ(DeviceValue(device, L"Parity"), 1u);
    EXPECT_EQ(DeviceValue(device, L"Data bits"), 7u);
    EXPECT_EQ(DeviceValue(device, L"Stop Bits"), 2u);
    EXPECT_EQ(DeviceValue(device, L"IRQ"), 0u);
    auto sent = Requests(device, ioctl::kSerialSettings);
    ASSERT_EQ(sent.size(), 1u) << standin::Describe(standin::ReadLog());
    const std::vector<uint8_t>& request = sent[0].input;
    ASSERT_EQ(sent[0].inputSize, 208u);
    EXPECT_EQ(U32At(request, 0), 19200u);
    EXPECT_EQ(request[4], 0u) << "FIFO";
    EXPECT_EQ(request[5], 7u) << "data bits";
    EXPECT_EQ(request[6], 1u) << "parity comes before the stop bits";
    EXPECT_EQ(request[7], 2u) << "stop bits";
    const std::vector<uint8_t> port = {'C', 0, 'O', 0, 'M', 0, '1', 0, 0, 0};
    EXPECT_EQ(std::vector<uint8_t>(request.begin() + 8, request.begin() + 18), port);
    EXPECT_FALSE(ApplyEnabled(sheet));
}

TEST_F(HardwareAdvancedDialog, AdvancedCancelChangesNothingAndOkAlwaysMarksAChange)
{
    DeviceRow device = Serial(1, L"Front Panel");
    Prepare(device, 1);
    OPEN_HARDWARE_PAGE();

    HWND dialog = nullptr;
    ASSERT_NO_FATAL_FAILURE(OpenAdvanced(dialog));
    ChooseComboItem(dialog, IDC_HWA_PARITY, 1);   // Odd
    Press(dialog, IDCANCEL);
    ASSERT_TRUE(WaitWindowGone(dialog));
    EXPECT_EQ(ControlText(page, IDC_HW_PARITY), L"None");
    EXPECT_FALSE(ApplyEnabled(sheet));

    ASSERT_NO_FATAL_FAILURE(OpenAdvanced(dialog));
    EXPECT_EQ(ComboSelectionText(dialog, IDC_HWA_PARITY), L"None") << "the page hands its own texts again";
    Press(dialog, IDOK);
    ASSERT_TRUE(WaitWindowGone(dialog));
    EXPECT_EQ(ControlText(page, IDC_HW_PARITY), L"None");
    EXPECT_TRUE(ApplyEnabled(sheet)) << "OK marks the page changed even when nothing differs";
}

TEST_F(HardwareAdvancedDialog, AdvancedKeepsABaudRateThatIsNotInItsList)
{
    DeviceRow device = Serial(1, L"Front Panel");
    device.baudRate = 38400;
    Prepare(device, 1);
    OPEN_HARDWARE_PAGE();
    HWND dialog = nullptr;
    ASSERT_NO_FATAL_FAILURE(OpenAdvanced(dialog));
    EXPECT_EQ(ComboSelectionText(dialog, IDC_HWA_BAUD_RATE), L"(none)");
    Press(dialog, IDOK);
    ASSERT_TRUE(WaitWindowGone(dialog));
    EXPECT_EQ(ControlText(page, IDC_HW_BAUD_RATE), L"38400");
    Click(sheet, IDC_SHEET_APPLY);
    EXPECT_EQ(DeviceValue(device, L"Baud Rate"), 38400u);
}
