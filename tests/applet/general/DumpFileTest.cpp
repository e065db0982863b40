// Dump settings on the General page (a hidden button, pressed by message): the exact bytes of
// the report for a serial and a USB device, where it goes, and which records it shows.
#include <regex>

#include "GeneralTestBase.h"

using namespace applettest;
using namespace generaltest;
using namespace testsupport;

namespace {
constexpr wchar_t kDumped[] = L"Driver settings have been dumped into";

// The file's UTF-16 text split at its NULs; false when it has a byte-order mark, an odd size
// or text after the last NUL (every piece is followed by one).
bool Pieces(const std::vector<char>& bytes, std::vector<std::wstring>& pieces)
{
    pieces.clear();
    if (bytes.size() % 2 != 0 || bytes.size() < 2)
        return false;
    std::wstring text(bytes.size() / 2, L'\0');
    memcpy(&text[0], bytes.data(), bytes.size());
    if (text[0] == 0xFEFF || text.back() != L'\0')
        return false;
    size_t start = 0;
    for (size_t nul = text.find(L'\0'); nul != std::wstring::npos; nul = text.find(L'\0', start)) {
        pieces.push_back(text.substr(start, nul - start));
        start = nul + 1;
    }
    return true;
}

std::wstring Expanded(const wchar_t* text)
{
    wchar_t buffer[1024] = L"";
    ExpandEnvironmentStringsW(text, buffer, 1024);
    return buffer;
}

std::vector<std::wstring> Header()
{
    return {L"\tTIVEN TOUCH PANEL DEVICE DRIVER(MAVO) SETTINGS\n\n", L"<time>",
            L"Operating System\t" + Expanded(L"%OS%") + L"\n", L"\nDump of driver parameter tree(s) follows\n"};
}

// The layout of a device block after its key line: lead, value name, tabs, line end.
struct LineLayout {
    const wchar_t* lead;
    const wchar_t* name;
    const wchar_t* tabs;
    const wchar_t* end;
};
const LineLayout kBlockLayout[] = {
    {L"\n", L"Device Name", L"\t\t\t", L"\r\n"}, {L"", L"Controller Type", L"\t\t", L"\r\n"},
    {L"", L"Logical Desktop Segment", L"\t", L"\n"}, {L"", L"Primary Button Mode", L"\t\t", L"\n"},
    {L"", L"Secondary Button Mode", L"\t", L"\n"},   {L"", L"Sample Rate", L"\t\t\t", L"\n"},
    {L"", L"Touchdown Filter", L"\t\t", L"\n"},     {L"", L"Sound Enabled", L"\t\t", L"\n"},
    {L"", L"Controller Enabled", L"\t\t", L"\n"},   {L"", L"Calibration Timeout", L"\t\t", L"\n"},
    {L"", L"CalibPoint", L"\t\t", L"\n"},           {L"", L"calflag", L"\t\t", L"\n"},
    {L"", L"Baud Rate", L"\t\t\t", L"\n"},          {L"", L"Stop Bits", L"\t\t\t", L"\n"},
    {L"", L"Data bits", L"\t\t\t", L"\n"},          {L"", L"Parity", L"\t\t\t", L"\n"},
    {L"", L"FIFO", L"\t\t\t", L"\n"},               {L"", L"Port", L"\t\t\t\t", L"\n"},
    {L"", L"ClickTime", L"\t\t\t", L"\n"},          {L"", L"Liftoff Time", L"\t\t", L"\n"},
    {L"", L"Tap Time", L"\t\t\t", L"\n"},           {L"", L"Stabilization", L"\t\t", L"\n"},
    {L"", L"Averaging", L"\t\t\t", L"\n"},          {L"", L"Wave File", L"\t\t\t", L"\n"},
};
constexpr size_t kBlockLines = sizeof kBlockLayout / sizeof kBlockLayout[0];

// The expected block of a device: its key line, then one line per shown value (in the order
// of the layout above).
std::vector<std::wstring> Block(const std::wstring& driver, int instance, const std::vector<std::wstring>& values)
{
    std::vector<std::wstring> block{L"\n\nHKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\" + driver +
                                    L"\\Parameters\\" + std::to_wstring(instance) + L"  \n"};
    for (size_t i = 0; i < kBlockLines && i < values.size(); ++i) {
        const LineLayout& line = kBlockLayout[i];
        block.push_back(std::wstring(line.lead) + line.name + L"  " + line.tabs + L"- " + values[i] + line.end);
    }
    EXPECT_EQ(values.size(), kBlockLines) << "values of the expected block";
    return block;
}

// The serial device of the fixture: Distinct(Serial(1, "Front Panel")).
std::vector<std::wstring> FrontPanelBlock(const std::wstring& name = L"Front Panel", const wchar_t* sampleRate = L"60")
{
    return Block(L"RILO", 1, {name, L"Tiven,Zarn,Serial", L"Right Third", L"Touchdown Immediate Left",
                              L"Time Double Click Left", sampleRate, L"4", L"2", L"1", L"25", L"3", L"25", L"19200", L"2",
                              L"7", L"2", L"14", L"COM3", L"11", L"13", L"12", L"14", L"15", L"C:\\sounds\\tick.wav"});
}

DeviceRow DeskPad()
{
    DeviceRow pad = Usb(2, L"Desk Pad");
    pad.segment = 12;
    pad.primaryMode = 13;
    pad.secondaryMode = 1;
    pad.sampleRate = 0;
    pad.calibrationTimeout = 0xFFFFFFFF;
    return pad;
}

// The USB device of the fixture. Its key has no serial values; a loaded record holds zeros and
// an empty port for them, and the report shows what the record holds.
std::vector<std::wstring> DeskPadBlock()
{
    return Block(L"MEKA", 2, {L"Desk Pad", L"Tiven USB", L"Top Left", L"Time Double Click Left", L"Touchdown Left",
                              L"0", L"5", L"0", L"1", L"-1", L"1", L"9", L"0", L"0", L"0", L"0", L"0", L"", L"9", L"5", L"9",
                              L"0", L"0", kDefaultWave});
}

// Piece by piece, so a failure names the piece that differs.
void ExpectPieces(const std::vector<std::wstring>& actual, const std::vector<std::wstring>& expected, const char* file,
                  int line)
{
    ::testing::ScopedTrace trace(file, line, "comparing the dump");
    for (size_t i = 0; i < actual.size() && i < expected.size(); ++i)
        EXPECT_EQ(actual[i], expected[i]) << "piece " << i;
    EXPECT_EQ(actual.size(), expected.size()) << "number of pieces";
}
#define EXPECT_PIECES(actual, expected) ExpectPieces(actual, expected, __FILE__, __LINE__)

std::vector<std::wstring> Joined(std::vector<std::wstring> a, const std::vector<std::wstring>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
}  // namespace

class DumpFileTest : public GeneralTest {
protected:
    // Presses Dump settings, checks the report names `path`, dismisses it and returns the
    // file's pieces (the time piece replaced by "<time>" once it matches its pattern).
    std::vector<std::wstring> Dump(const std::wstring& path)
    {
        MessageBoxInfo box = PressForBox(IDC_GEN_DUMP_SETTINGS);
        EXPECT_TRUE(box) << "no report";
        if (!box)
            return {};
        EXPECT_EQ(box.caption, L"Touch Panel Device Properties");
        EXPECT_EQ(box.text, std::wstring(kDumped) + L"\n" + path);
        EXPECT_TRUE(DismissMessageBox(box, IDOK));
        WaitIdle();
        std::vector<std::wstring> pieces;
        EXPECT_TRUE(Pieces(FileBytes(path), pieces)) << "not UTF-16 pieces each ended by a NUL";
        static const std::wregex time(L"System Time\t\t([1-9]|[12][0-9]|3[01])-([1-9]|1[0-2])-20[0-9][0-9]   "
                                      L"([0-9]|1[0-9]|2[0-3]):([0-9]|[1-5][0-9]):([0-9]|[1-5][0-9]):([0-9]|[1-9][0-9]{1,2})\n");
        if (pieces.size() > 1 && std::regex_match(pieces[1], time))
            pieces[1] = L"<time>";
        return pieces;
    }
    std::wstring dumpPath = installDir + L"\\dump.txt";
};

TEST_F(DumpFileTest, TheReportHoldsEveryDeviceInCollectionOrderPieceByPiece)
{
    // A USB device first in the registry's eyes; serial devices still come first.
    InstallDevices({DeskPad(), Distinct(Serial(1, L"Front Panel"))});
    registry.SetString(kProductKeyPath, L"Dump File Path", dumpPath);
    OPEN_GENERAL_PAGE();
    EXPECT_PIECES(Dump(dumpPath), Joined(Joined(Header(), FrontPanelBlock()), DeskPadBlock()));
    Close(IDCANCEL);
}

TEST_F(DumpFileTest, WithoutADumpPathTheReportGoesToTheTemporaryFolderAndReplacesTheOldOne)
{
    const std::wstring temp = MakeTempDir(L"dump temp");
    wchar_t previous[MAX_PATH] = L"";
    GetEnvironmentVariableW(L"TEMP", previous, MAX_PATH);
    SetEnvironmentVariableW(L"TEMP", temp.c_str());
    const std::wstring path = temp + L"\\TivenSettings.txt";
    const std::string old(5000, 'x');
    ASSERT_TRUE(WriteFileBytes(path, old.data(), old.size()));

    InstallDevices({Distinct(Serial(1, L"Front Panel"))});
    OPEN_GENERAL_PAGE();
    EXPECT_PIECES(Dump(path), Joined(Header(), FrontPanelBlock()));
    Close(IDCANCEL);
    SetEnvironmentVariableW(L"TEMP", previous);
}

TEST_F(DumpFileTest, TheReportShowsUnappliedEditsButNeitherRemovedNorAddedDevices)
{
    InstallDevices({Distinct(Serial(1, L"Front Panel")), Serial(2, L"Rear Panel"), DeskPad()});
    registry.SetString(kProductKeyPath, L"Dump File Path", dumpPath);
    OPEN_SHEET(IDC_DEV_LIST);
    // Remove the USB device and add a serial one, neither applied.
    SelectRow(IDC_DEV_LIST, 2);
    ClickControl(page, IDC_DEV_REMOVE);
    MessageBoxInfo question = WaitMessageBox();
    ASSERT_TRUE(question);
    ASSERT_TRUE(DismissMessageBox(question, IDYES));
    HWND type = StartAdd(page);
    ASSERT_NE(type, nullptr);
    HWND name = NextToNameDialog(type);
    ASSERT_NE(name, nullptr);
    AcceptName(name, L"Added Panel", 0);
    ASSERT_TRUE(DialogDone(name));
    // An edit of the first device on the Advanced page, not applied either.
    SelectRow(IDC_DEV_LIST, 0);
    HWND advanced = ShowPage(IDC_ADV_SAMPLE_RATE_SLIDER);
    ASSERT_NE(advanced, nullptr);
    PressKey(GetDlgItem(advanced, IDC_ADV_SAMPLE_RATE_SLIDER), VK_RIGHT);

    ASSERT_NE(ShowPage(IDC_GEN_HEADING), nullptr);
    std::vector<std::wstring> expected = Joined(Header(), FrontPanelBlock(L"Front Panel", L"61"));
    // The second serial device has the fixture's plain values.
    expected = Joined(expected, Block(L"RILO", 2, {L"Rear Panel", L"Tiven,Zarn,Serial", L"Whole Desktop", L"Touchdown Left",
                                                   L"Touchdown Right", L"50", L"5", L"0", L"1", L"10", L"1", L"9", L"9600",
                                                   L"1", L"8", L"0", L"0", L"COM1", L"9", L"5", L"9", L"0", L"0",
                                                   kDefaultWave}));
    EXPECT_PIECES(Dump(dumpPath), expected);
    Close(IDCANCEL);
}

TEST_F(DumpFileTest, LabelledNamesAndLongNamesAreWrittenWhole)
{
    const std::wstring longName = L"Conference Room " + std::wstring(400, L'W') + L" Panel";
    InstallDevices({Distinct(Serial(1, longName))},
                   {{L"RIGHT_THIRD", L"Rechtes Drittel"}, {L"TIME_DOUBLE_CLICK_LEFT", L"Zeit-Doppelklick links"}});
    registry.SetString(kProductKeyPath, L"Dump File Path", dumpPath);
    OPEN_GENERAL_PAGE();
    std::vector<std::wstring> block = FrontPanelBlock(longName);
    block[3] = L"Logical Desktop Segment  \t- Rechtes Drittel\n";
    block[5] = L"Secondary Button Mode  \t- Zeit-Doppelklick links\n";
    EXPECT_PIECES(Dump(dumpPath), Joined(Header(), block));
    Close(IDCANCEL);
}

TEST_F(DumpFileTest, AFileThatCannotBeCreatedShowsNothing)
{
    InstallDevices({Serial(1, L"Front Panel")});
    registry.SetString(kProductKeyPath, L"Dump File Path", installDir + L"\\missing\\dump.txt");
    OPEN_GENERAL_PAGE();
    // Sent, so it has been handled when the call returns; a box would keep it from returning.
    DWORD_PTR ignored = 0;
    const bool returned = SendMessageTimeoutW(page, WM_COMMAND, MAKEWPARAM(IDC_GEN_DUMP_SETTINGS, BN_CLICKED),
                                              reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_GEN_DUMP_SETTINGS)),
                                              SMTO_NORMAL, kDefaultDeadlineMs, &ignored) != 0;
    EXPECT_TRUE(returned) << "a box came";
    if (!returned)
        DismissMessageBox(WaitMessageBox(), IDOK);
    EXPECT_FALSE(FileExists(installDir + L"\\missing\\dump.txt"));
    Close(IDCANCEL);
}
