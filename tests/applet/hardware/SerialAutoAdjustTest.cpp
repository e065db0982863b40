// The serial controller's automatic adjustment ("SI") from the sensitivity dialog: the prompt,
// the answer after the touch, the watchdog's time-out, and every failure message.
#include <iostream>
#include <string>
#include <vector>

#include "SerialSensitivityFixture.h"

using namespace applettest;
using namespace testsupport;

namespace {
HWND WaitPrompt()
{
    HWND prompt = nullptr;
    WaitUntil([&] { return (prompt = FindDialogWithControl(IDC_TOUCH_HERE_TEXT)) != nullptr; });
    return prompt;
}
}  // namespace

class SerialAutoAdjust : public SerialSensitivity {};

TEST_F(SerialAutoAdjust, AnswerAfterTheTouchShowsFinished)
{
    ASSERT_TRUE(sim.Set("si-value", 300));
    ASSERT_TRUE(sim.Set("si-delay", -1));   // the answer comes with the touch
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    ASSERT_TRUE(sim.ClearLog());
    ASSERT_TRUE(standin::ClearLog());
    Press(dialog, IDC_SENS_AUTO_ADJUST);

    HWND prompt = WaitPrompt();
    ASSERT_NE(prompt, nullptr);
    EXPECT_EQ(TextWithoutMessage(GetDlgItem(prompt, IDC_TOUCH_HERE_TEXT)), L"Touch Here");
    EXPECT_FALSE(DialogEnabled(IDC_SENS_AUTO_ADJUST));
    ASSERT_TRUE(sim.WaitForCommand("SI", 5000));
    ASSERT_TRUE(sim.Touch());

    EXPECT_TRUE(WaitUntil([&] { return Number() == L"  Finished  700"; })) << "shown: " << Number().c_str();
    EXPECT_EQ(SliderPos(), 700);
    EXPECT_TRUE(WaitWindowGone(prompt));
    // Auto Adjust comes back a second after the closing waits.
    EXPECT_TRUE(WaitUntil([&] { return DialogEnabled(IDC_SENS_AUTO_ADJUST); }));
    const long long back = SerialSim::NowMs();
    EXPECT_FALSE(WaitMessageBox(100)) << "a successful adjustment shows no message";

    auto log = sim.ReadLog();
    EXPECT_EQ(SerialSim::Commands(log), Commands{"SI"}) << SerialSim::Describe(log);
    auto replies = SerialSim::Select(log, "reply");
    ASSERT_EQ(replies.size(), 1u) << SerialSim::Describe(log);
    EXPECT_EQ(replies[0].text, "SI 0300\r");
    EXPECT_GE(back - replies[0].timeMs, 2500) << "closing waits of two seconds and one more second";
    // The record held its handle from the first read, so the device was let go and taken back.
    EXPECT_EQ(DisableEnableTrail(device), "DE") << standin::Describe(standin::ReadLog());
    std::cout << "automatic adjustment as the simulated controller logged it:\n" << SerialSim::Describe(log);
    CloseDialog();
}

struct AutoAdjustFaultCase {
    const char* name;
    std::vector<std::string> setup;   // requests to the simulator after the dialog opened
    const wchar_t* message;           // the application's message
    long long lowestMs, highestMs;    // from "SI" to the message, when timed (else 0, 0)
    bool prompted = true;             // the "Touch Here" prompt is up while the message shows
};

void PrintTo(const AutoAdjustFaultCase& c, std::ostream* out) { *out << c.name; }

class SerialAutoAdjustFaults : public SerialSensitivity, public ::testing::WithParamInterface<AutoAdjustFaultCase> {};

TEST_P(SerialAutoAdjustFaults, EndWithTheirMessageAndGiveTheButtonBack)
{
    const AutoAdjustFaultCase c = GetParam();
    ASSERT_TRUE(sim.SetValue(500));
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    for (const std::string& request : c.setup)
        ASSERT_TRUE(sim.Request(request)) << request;
    ASSERT_TRUE(sim.ClearLog());
    ASSERT_TRUE(standin::ClearLog());
    Press(dialog, IDC_SENS_AUTO_ADJUST);

    MessageBoxInfo box = WaitMessageBox(15000);
    const long long shown = SerialSim::NowMs();
    ASSERT_TRUE(box) << "shown: \"" << Number().c_str() << "\"\n" << SerialSim::Describe(sim.ReadLog());
    EXPECT_EQ(box.caption, kAppCaption);
    EXPECT_EQ(box.text, c.message);
    EXPECT_EQ(FindDialogWithControl(IDC_TOUCH_HERE_TEXT) != nullptr, c.prompted);
    if (c.highestMs) {
        SerialSimEntry si;
        ASSERT_TRUE(sim.WaitForCommand("SI", 0, &si));
        EXPECT_GE(shown - si.timeMs, c.lowestMs);
        EXPECT_LE(shown - si.timeMs, c.highestMs);
    }
    ASSERT_TRUE(DismissMessageBox(box, IDOK));
    EXPECT_TRUE(WaitUntil([] { return FindDialogWithControl(IDC_TOUCH_HERE_TEXT) == nullptr; }));
    EXPECT_TRUE(WaitUntil([&] { return DialogEnabled(IDC_SENS_AUTO_ADJUST); }));
    EXPECT_EQ(Number(), L"500") << "a failed adjustment leaves the number";
    EXPECT_EQ(DisableEnableTrail(device), "DE") << standin::Describe(standin::ReadLog());
    EXPECT_TRUE(standin::GetState(standin::Driver::Rilo, 1).enabled);
    CloseDialog();
}

INSTANTIATE_TEST_SUITE_P(
    Faults, SerialAutoAdjustFaults,
    ::testing::Values(
        // No answer: the watchdog ends the wait after 4 s, the read then running adds up to 1 s.
        // The message may come later on a loaded machine, but always before a second watchdog
        // period would have ended.
        AutoAdjustFaultCase{"no_touch", {"set si-delay -1"}, L"Timeout", 3900, 7900},
        AutoAdjustFaultCase{"silence", {"mode silence"}, L"Timeout", 3900, 7900},
        // The answer comes after the watchdog: too late.
        AutoAdjustFaultCase{"late_answer", {"mode late-si"}, L"Timeout", 3900, 7900},
        // 79 reads of two bytes find no value field in 200 bytes of noise.
        AutoAdjustFaultCase{"noise", {"mode noise", "set noise-length 200"}, L"Can't Receive. Please Retry", 0, 0},
        AutoAdjustFaultCase{"range", {"set si-value 40"}, L"Receive Value Range Error!\r\tPlease Retry", 0, 0},
        // The line holds what the applet writes: "SI" never goes out, so nobody is asked to touch.
        AutoAdjustFaultCase{"line_held", {"port xoff"}, L"Can't Send. Please Retry", 0, 0, false},
        // The answer to the dialog's "ST" still waits in the port, and the controller then sends
        // only noise: the earlier answer is no adjustment.
        AutoAdjustFaultCase{"earlier_answer_then_noise",
                            {"stale ST 0500\\r", "mode noise", "set noise-length 200"},
                            L"Can't Receive. Please Retry", 0, 0}),
    [](const ::testing::TestParamInfo<AutoAdjustFaultCase>& info) { return std::string(info.param.name); });

TEST_F(SerialAutoAdjust, ALateAnswerIsDroppedOnceThePortIsClosed)
{
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    ASSERT_TRUE(sim.SetMode("late-si"));
    ASSERT_TRUE(sim.ClearLog());
    Press(dialog, IDC_SENS_AUTO_ADJUST);
    EXPECT_BOX(kAppCaption, L"Timeout");
    EXPECT_TRUE(sim.WaitForEntry("drop", "", 10000)) << SerialSim::Describe(sim.ReadLog());
    EXPECT_TRUE(SerialSim::Select(sim.ReadLog(), "reply").empty()) << "nothing reached the closed port";
    CloseDialog();
}

TEST_F(SerialAutoAdjust, ANonDigitAnswerIsReadAgainWithoutFinished)
{
    ASSERT_TRUE(sim.Set("si-value", 300));
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    ASSERT_TRUE(sim.SetMode("nondigit", 1));   // the answer to "SI" only
    ASSERT_TRUE(sim.ClearLog());
    Press(dialog, IDC_SENS_AUTO_ADJUST);
    ASSERT_TRUE(sim.WaitForCommand("ST", 10000));
    EXPECT_TRUE(WaitUntil([&] { return DialogEnabled(IDC_SENS_AUTO_ADJUST); }));
    EXPECT_EQ(Number(), L"700");
    EXPECT_EQ(SerialSim::Commands(sim.ReadLog()), (Commands{"SI", "ST"}));
    EXPECT_FALSE(WaitMessageBox(100));
    CloseDialog();
}

TEST_F(SerialAutoAdjust, APortHeldElsewhereIsReportedAfterTheClosingWaits)
{
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    ASSERT_TRUE(sim.Request("port busy"));
    ASSERT_TRUE(sim.ClearLog());
    ASSERT_TRUE(standin::ClearLog());
    Press(dialog, IDC_SENS_AUTO_ADJUST);
    EXPECT_BOX(kAppCaption, L"Failed to Open COM");
    EXPECT_TRUE(WaitUntil([&] { return DialogEnabled(IDC_SENS_AUTO_ADJUST); }));
    EXPECT_EQ(FindDialogWithControl(IDC_TOUCH_HERE_TEXT), nullptr);
    EXPECT_EQ(DisableEnableTrail(device), "DE");
    EXPECT_TRUE(SerialSim::Commands(sim.ReadLog()).empty());
    CloseDialog();
}
