// The USB controller's sensitivity tools through the stand-in MEKA driver: the "Sensitivity
// adjust" dialog with its timed "Touch Here" prompt, and the page's Write, Read, Cont and Get.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "HardwareTestBase.h"

using namespace applettest;
using namespace testsupport;
using standin::Driver;
namespace ioctl = standin::ioctl;

namespace {
constexpr LONG kNotReady = static_cast<LONG>(0xC00000A3);   // STATUS_DEVICE_NOT_READY
constexpr unsigned kInstance = 2;

standin::SensitivityReply Reply(uint16_t value)
{
    standin::SensitivityReply reply;
    reply.value = value;
    return reply;
}

// The command words of the sensitivity commands sent, in order.
std::vector<int> CommandWords(const std::vector<standin::LoggedRequest>& requests)
{
    std::vector<int> words;
    for (const auto& request : requests)
        if (request.input.size() == 2)
            words.push_back(request.input[0] | request.input[1] << 8);
    return words;
}
}  // namespace

class UsbSensitivity : public HardwareTest {
protected:
    void OpenPage(const standin::SensitivityReply& reply = Reply(500))
    {
        device = Usb(kInstance, L"Kiosk USB");
        Prepare(device, 3);
        ASSERT_TRUE(standin::SetSensitivityReply(Driver::Meka, kInstance, reply));
        OPEN_HARDWARE_PAGE();
        ASSERT_TRUE(standin::ClearLog());
    }
    void OpenDialog(const standin::SensitivityReply& reply = Reply(500))
    {
        ASSERT_NO_FATAL_FAILURE(OpenPage(reply));
        Press(page, IDC_HW_SENSITIVE);
        dialog = WaitDialog(L"Sensitivity adjust");
        ASSERT_NE(dialog, nullptr);
    }
    std::wstring Number() const { return ControlText(dialog, IDC_SENS_NUMBER); }
    int SliderPos() const { return static_cast<int>(SendMessageW(GetDlgItem(dialog, IDC_SENS_SLIDER), TBM_GETPOS, 0, 0)); }
    bool DialogEnabled(int id) const { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
    std::vector<int> Commands() const { return CommandWords(Requests(device, ioctl::kSensitivityCommand)); }
    void CloseDialog()
    {
        Press(dialog, IDOK);
        EXPECT_TRUE(WaitWindowGone(dialog));
        EXPECT_TRUE(WaitToolsBack());
    }
    // Starts the automatic adjustment and returns its prompt and the time it was first seen.
    HWND StartAutoAdjust(long long& seenMs)
    {
        Press(dialog, IDC_SENS_AUTO_ADJUST);
        HWND prompt = nullptr;
        WaitUntil([&] { return (prompt = FindTimedPrompt()) != nullptr; });
        seenMs = SerialSim::NowMs();
        return prompt;
    }

    DeviceRow device;
    HWND dialog = nullptr;
};

// ---- the dialog ----

TEST_F(UsbSensitivity, ShowsTheDriversValue)
{
    ASSERT_NO_FATAL_FAILURE(OpenDialog(Reply(350)));
    EXPECT_EQ(Number(), L"650");
    EXPECT_EQ(SliderPos(), 650);
    EXPECT_EQ(WindowText(dialog), L"Sensitivity adjust");
    EXPECT_EQ(ControlText(dialog, IDC_SENS_AUTO_ADJUST), L"Auto Adjust");
    // The probe (word 0) comes first, then the report command.
    auto requests = Requests(device);
    ASSERT_GE(requests.size(), 2u) << standin::Describe(standin::ReadLog());
    EXPECT_EQ(requests[0].code, ioctl::kSensitivityData);
    EXPECT_EQ(requests[0].outputSize, 2u);
    EXPECT_EQ(Commands(), std::vector<int>{0});
    CloseDialog();
}

TEST_F(UsbSensitivity, NoValueAtTheStartClosesTheDialog)
{
    ASSERT_NO_FATAL_FAILURE(OpenPage(Reply(0xFFFF)));
    Press(page, IDC_HW_SENSITIVE);
    EXPECT_BOX(L"Sensitive", L"Disable");
    EXPECT_TRUE(WaitToolsBack());
    EXPECT_EQ(FindTopWindow(L"#32770", L"Sensitivity adjust", GetCurrentProcessId()), nullptr);
}

TEST_F(UsbSensitivity, AFailingProbeClosesTheDialogBeforeAnyCommand)
{
    ASSERT_NO_FATAL_FAILURE(OpenPage());
    ASSERT_TRUE(standin::FailRequests(Driver::Meka, kInstance, ioctl::kSensitivityData, kNotReady));
    Press(page, IDC_HW_SENSITIVE);
    EXPECT_BOX(L"Sensitive", L"Disable");
    EXPECT_TRUE(WaitToolsBack());
    EXPECT_TRUE(Commands().empty());
}

TEST_F(UsbSensitivity, RawThousandIsOutOfRange)
{
    ASSERT_NO_FATAL_FAILURE(OpenPage(Reply(1000)));
    Press(page, IDC_HW_SENSITIVE);
    EXPECT_BOX(kAppCaption, L"Receive Value Range Error!");
    dialog = WaitDialog(L"Sensitivity adjust");
    ASSERT_NE(dialog, nullptr) << "a value was reported, so the dialog stays";
    EXPECT_EQ(Number(), L"");
    CloseDialog();
}

TEST_F(UsbSensitivity, StepsAskTheDriverAndStopAtTheEnds)
{
    standin::SensitivityReply reply = Reply(500);
    reply.step = 10;
    ASSERT_NO_FATAL_FAILURE(OpenDialog(reply));
    Press(dialog, IDC_SENS_UP);
    EXPECT_TRUE(WaitUntil([&] { return Number() == L"510"; }));
    Press(dialog, IDC_SENS_DOWN);
    EXPECT_TRUE(WaitUntil([&] { return Number() == L"500"; }));
    EXPECT_EQ(Commands(), (std::vector<int>{0, 3, 2}));

    // At 950 (raw 50) Sensitive sends nothing; at 1 (raw 999) Dull sends nothing.
    reply.value = 50;
    ASSERT_TRUE(standin::SetSensitivityReply(Driver::Meka, kInstance, reply));
    Press(dialog, IDC_SENS_DISPLAY);
    EXPECT_TRUE(WaitUntil([&] { return Number() == L"950"; }));
    Press(dialog, IDC_SENS_UP);
    reply.value = 999;
    ASSERT_TRUE(standin::SetSensitivityReply(Driver::Meka, kInstance, reply));
    Press(dialog, IDC_SENS_DISPLAY);
    EXPECT_TRUE(WaitUntil([&] { return Number() == L"001"; }));
    Press(dialog, IDC_SENS_DOWN);
    Press(dialog, IDC_SENS_DISPLAY);
    EXPECT_TRUE(WaitUntil([&] { return Commands().size() == 6; }));
    EXPECT_EQ(Commands(), (std::vector<int>{0, 3, 2, 0, 0, 0}));
    CloseDialog();
}

TEST_F(UsbSensitivity, AFailedOrEmptyStepChangesNothing)
{
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    ASSERT_TRUE(standin::FailRequests(Driver::Meka, kInstance, ioctl::kSensitivityCommand, kNotReady));
    Press(dialog, IDC_SENS_UP);
    EXPECT_TRUE(WaitUntil([&] { return Requests(device, ioctl::kSensitivityCommand).size() == 2; }));
    EXPECT_TRUE(WaitUntil([&] { return DialogEnabled(IDC_SENS_UP); }));
    EXPECT_EQ(Number(), L"500");
    ASSERT_TRUE(standin::FailRequests(Driver::Meka, kInstance, 0, 0));

    ASSERT_TRUE(standin::SetSensitivityReply(Driver::Meka, kInstance, Reply(0xFFFF)));
    Press(dialog, IDC_SENS_DOWN);
    EXPECT_TRUE(WaitUntil([&] { return Requests(device, ioctl::kSensitivityCommand).size() == 3; }));
    EXPECT_TRUE(WaitUntil([&] { return DialogEnabled(IDC_SENS_DOWN); }));
    EXPECT_EQ(Number(), L"500");
    EXPECT_FALSE(WaitMessageBox(100));
    CloseDialog();
}

// ---- the automatic adjustment and its timed prompt ----

TEST_F(UsbSensitivity, TouchHereAfterFourSecondsShowsFinished)
{
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    // The controller arrives at a new value after the touch.
    ASSERT_TRUE(standin::SetSensitivityReply(Driver::Meka, kInstance, Reply(300)));
    long long seen = 0;
    HWND prompt = StartAutoAdjust(seen);
    ASSERT_NE(prompt, nullptr);
    EXPECT_EQ(Commands(), (std::vector<int>{0, 1}));
    // The user presses the button after four seconds: the prompt's own clock is what is tested.
    WaitUntil([&] { return SerialSim::NowMs() - seen >= 4000; }, 6000);
    Press(prompt, IDOK);
    EXPECT_TRUE(WaitWindowGone(prompt));
    EXPECT_TRUE(WaitUntil([&] { return Number() == L"  Finished  700"; })) << "shown: " << Number().c_str();
    EXPECT_TRUE(WaitUntil([&] { return DialogEnabled(IDC_SENS_AUTO_ADJUST); }));
    // The prompt's timer was stopped: no "Time Out" comes after its five seconds.
    long long left = seen + 6000 - SerialSim::NowMs();
    EXPECT_FALSE(WaitMessageBox(left > 0 ? static_cast<DWORD>(left) : 0));
    // The finished mark was for that one number only.
    Press(dialog, IDC_SENS_DISPLAY);
    EXPECT_TRUE(WaitUntil([&] { return Number() == L"700"; }));
    CloseDialog();
}

TEST_F(UsbSensitivity, NoTouchForFiveSecondsIsATimeOut)
{
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    long long seen = 0;
    HWND prompt = StartAutoAdjust(seen);
    ASSERT_NE(prompt, nullptr);
    MessageBoxInfo box = WaitMessageBox(10000);
    const long long shown = SerialSim::NowMs();
    ASSERT_TRUE(box);
    EXPECT_EQ(box.caption, kAppCaption);
    EXPECT_EQ(box.text, L"Time Out");
    EXPECT_GE(shown - seen, 4500);
    EXPECT_LE(shown - seen, 6500);
    EXPECT_TRUE(GetWindowLongW(box.window, GWL_EXSTYLE) & WS_EX_TOPMOST) << "system-modal";
    ASSERT_TRUE(DismissMessageBox(box, IDOK));
    EXPECT_TRUE(WaitWindowGone(prompt));
    EXPECT_TRUE(WaitUntil([&] { return DialogEnabled(IDC_SENS_AUTO_ADJUST); }));
    EXPECT_EQ(Number(), L"500") << "a time-out leaves the number";
    EXPECT_EQ(Commands(), (std::vector<int>{0, 1}));
    CloseDialog();
}

// ---- the page's Write and Read ----

struct UsbWriteCase {
    const char* name;
    bool storeFixesWords;
    std::vector<std::pair<int, uint16_t>> words;   // address, word
    bool failDataAfterQuestion;
    const wchar_t* message;
};

void PrintTo(const UsbWriteCase& c, std::ostream* out) { *out << c.name; }

class UsbWrite : public UsbSensitivity, public ::testing::WithParamInterface<UsbWriteCase> {};

TEST_P(UsbWrite, StoresAndChecksTheDataWords)
{
    const UsbWriteCase c = GetParam();
    standin::SensitivityReply reply = Reply(500);
    reply.storeFixesWords = c.storeFixesWords;
    reply.words.assign(64, 0);
    for (uint16_t a = 10; a <= 26; ++a)
        reply.words[a] = static_cast<uint16_t>(0x1100 + a);
    for (const auto& word : c.words)
        reply.words[static_cast<size_t>(word.first)] = word.second;
    ASSERT_NO_FATAL_FAILURE(OpenPage(reply));
    Press(page, IDC_HW_WRITE);
    MessageBoxInfo question = WaitMessageBox(kDefaultDeadlineMs);
    ASSERT_TRUE(question);
    EXPECT_EQ(question.caption, L"Sensitive Data");
    EXPECT_EQ(question.text, L"Click on [Yes] to Write Data");
    if (c.failDataAfterQuestion) {
        ASSERT_TRUE(standin::FailRequests(Driver::Meka, kInstance, ioctl::kSensitivityData, kNotReady));
    }
    ASSERT_TRUE(DismissMessageBox(question, IDYES));
    EXPECT_BOX(L"Check", c.message);
    EXPECT_TRUE(WaitToolsBack());

    auto probe = Requests(device, ioctl::kSensitivityData).front();
    EXPECT_EQ(probe.outputSize, 0u) << "the write's probe asks for no reply";
    auto modes = Requests(device, ioctl::kSensitivityMode);
    ASSERT_EQ(modes.size(), 1u);
    EXPECT_EQ(modes[0].input, (std::vector<uint8_t>{1, 0}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UsbWrite,
    ::testing::Values(UsbWriteCase{"stored", true, {}, false, L"Finished"},
                      UsbWriteCase{"status_word", false, {{0, 0x0005}, {1, 0xAAAA}}, false, L"Error!! [0]"},
                      UsbWriteCase{"flag_word", false, {{0, 0}, {1, 0x1234}}, false, L"Error!! [1]"},
                      // Without the store's copy, words 30..46 still differ from 10..26.
                      UsbWriteCase{"word_10_not_30", false, {{1, 0xAAAA}}, false, L"Error!!"},
                      // A read that fails is no answer, whatever its reply area held before.
                      UsbWriteCase{"failed_reads", true, {}, true, L"Error!! [0]"}),
    [](const ::testing::TestParamInfo<UsbWriteCase>& info) { return std::string(info.param.name); });

TEST_F(UsbSensitivity, WriteNotTakenByTheDriverSaysDisable)
{
    ASSERT_NO_FATAL_FAILURE(OpenPage());
    ASSERT_TRUE(standin::FailRequests(Driver::Meka, kInstance, ioctl::kSensitivityData, kNotReady));
    Press(page, IDC_HW_WRITE);
    EXPECT_BOX(L"Check", L"Disable");
    EXPECT_TRUE(WaitToolsBack());
    EXPECT_TRUE(Requests(device, ioctl::kSensitivityMode).empty());
}

TEST_F(UsbSensitivity, ReadFetchesTheDataWithoutAMessage)
{
    ASSERT_NO_FATAL_FAILURE(OpenPage());
    Press(page, IDC_HW_READ);
    EXPECT_BOX(L"Sensitive Data", L"Click on [Yes] to Read Data", IDYES);
    EXPECT_TRUE(WaitToolsBack());
    auto probe = Requests(device, ioctl::kSensitivityData);
    ASSERT_EQ(probe.size(), 1u);
    EXPECT_EQ(probe[0].outputSize, 2u) << "the read's probe takes the word";
    auto modes = Requests(device, ioctl::kSensitivityMode);
    ASSERT_EQ(modes.size(), 1u);
    EXPECT_EQ(modes[0].input, (std::vector<uint8_t>{0, 0}));
    EXPECT_FALSE(WaitMessageBox(100));
}

TEST_F(UsbSensitivity, HiddenContAndGetButtons)
{
    ASSERT_NO_FATAL_FAILURE(OpenPage(Reply(0x01F4)));
    // The buttons are hidden and disabled; their commands still reach the page.
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_HW_CONT, BN_CLICKED), reinterpret_cast<LPARAM>(Control(IDC_HW_CONT)));
    EXPECT_EQ(standin::GetState(Driver::Meka, kInstance).sensitivityContCount, 1u);
    SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_HW_GET, BN_CLICKED), reinterpret_cast<LPARAM>(Control(IDC_HW_GET)));
    EXPECT_EQ(ControlText(page, IDC_HW_GET_LOW), L"244");
    EXPECT_EQ(ControlText(page, IDC_HW_GET_HIGH), L"1");
}
