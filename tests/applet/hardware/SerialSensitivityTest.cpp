// The serial "Sensitivity adjust" dialog against the simulated controller: the display and the
// steps with their acceptance windows.
#include <string>
#include <vector>

#include "SerialSensitivityFixture.h"

using namespace applettest;
using namespace testsupport;

struct DisplayCase {
    long raw;
    const wchar_t* number;
    int slider;
};

void PrintTo(const DisplayCase& c, std::ostream* out) { *out << "raw " << c.raw; }

class SerialSensitivityDisplay : public SerialSensitivity, public ::testing::WithParamInterface<DisplayCase> {};

TEST_P(SerialSensitivityDisplay, ShowsThreeDigitsAndTheSlider)
{
    const DisplayCase c = GetParam();
    ASSERT_TRUE(sim.SetValue(c.raw));
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    EXPECT_EQ(Number(), c.number);
    EXPECT_EQ(SliderPos(), c.slider);
    EXPECT_EQ(SerialSim::Commands(sim.ReadLog()), Commands{"ST"});
    EXPECT_EQ(DisableEnableTrail(device), "DE");
    CloseDialog();
}

INSTANTIATE_TEST_SUITE_P(Values, SerialSensitivityDisplay,
                         ::testing::Values(DisplayCase{350, L"650", 650},
                                           // The slider's lowest position is 1.
                                           DisplayCase{1000, L"000", 1}, DisplayCase{50, L"950", 950},
                                           DisplayCase{995, L"005", 5}, DisplayCase{950, L"050", 50}));

TEST_F(SerialSensitivity, TextsAreTheBuiltInOnesWithoutLabels)
{
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    EXPECT_EQ(ControlText(dialog, IDC_SENS_FRAME), L"Sensitivity");
    EXPECT_EQ(ControlText(dialog, IDC_SENS_DISPLAY), L"Display Sensitivity");
    EXPECT_EQ(ControlText(dialog, IDC_SENS_AUTO_ADJUST), L"Auto Adjust");
    EXPECT_EQ(ControlText(dialog, IDC_SENS_DOWN), L"Dull");
    EXPECT_EQ(ControlText(dialog, IDC_SENS_UP), L"Sensitive");
    EXPECT_FALSE(DialogEnabled(IDC_SENS_SLIDER)) << "the slider only displays";
    CloseDialog();
}

TEST_F(SerialSensitivity, AControllerThatDoesNotAnswerClosesTheDialog)
{
    device = SerialDevice();
    Prepare(device, 3);
    OPEN_HARDWARE_PAGE();
    ASSERT_TRUE(sim.SetMode("silence"));
    Press(page, IDC_HW_SENSITIVE);
    EXPECT_BOX(L"Sensitive", L"Disable");
    EXPECT_TRUE(WaitToolsBack());
    EXPECT_EQ(FindTopWindow(L"#32770", kSensitivityTitle, GetCurrentProcessId()), nullptr);
}

// ---- steps ----

struct StepCase {
    const char* name;
    int button;          // IDC_SENS_UP ("SD") or IDC_SENS_DOWN ("SU")
    long step;
    const char* mode;    // a fault for the step's reply, or null
    Commands commands;   // after the dialog's first "ST"
    const wchar_t* number;
};

void PrintTo(const StepCase& c, std::ostream* out) { *out << c.name; }

class SerialSteps : public SerialSensitivity, public ::testing::WithParamInterface<StepCase> {};

TEST_P(SerialSteps, AcceptOnlyRepliesInsideTheirWindow)
{
    const StepCase c = GetParam();
    ASSERT_TRUE(sim.SetValue(500));
    ASSERT_TRUE(sim.Set("step", c.step));
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    ASSERT_EQ(Number(), L"500");
    ASSERT_TRUE(sim.ClearLog());
    if (c.mode) {
        ASSERT_TRUE(sim.SetMode(c.mode, 1));
    }
    Press(dialog, c.button);
    ASSERT_TRUE(sim.WaitForCommand(c.commands.back(), 10000));
    EXPECT_TRUE(WaitButtonsBack());
    EXPECT_EQ(Number(), c.number);
    EXPECT_EQ(SerialSim::Commands(sim.ReadLog()), c.commands) << SerialSim::Describe(sim.ReadLog());
    CloseDialog();
}

INSTANTIATE_TEST_SUITE_P(
    Windows, SerialSteps,
    ::testing::Values(StepCase{"sharper_by_10", IDC_SENS_UP, 10, nullptr, {"SD"}, L"510"},
                      // From 500 a more sensitive step may reach 400 ...
                      StepCase{"sharper_to_the_lower_bound", IDC_SENS_UP, 100, nullptr, {"SD"}, L"600"},
                      // ... 399 is not believed: the value is read again and shown as it is.
                      StepCase{"sharper_beyond", IDC_SENS_UP, 101, nullptr, {"SD", "ST"}, L"601"},
                      StepCase{"duller_by_10", IDC_SENS_DOWN, 10, nullptr, {"SU"}, L"490"},
                      StepCase{"duller_to_the_upper_bound", IDC_SENS_DOWN, 100, nullptr, {"SU"}, L"400"},
                      StepCase{"duller_beyond", IDC_SENS_DOWN, 101, nullptr, {"SU", "ST"}, L"399"},
                      StepCase{"non_digit_reply", IDC_SENS_UP, 10, "nondigit", {"SD", "ST"}, L"510"},
                      StepCase{"no_value_field", IDC_SENS_DOWN, 10, "noise", {"SU", "ST"}, L"490"}),
    [](const ::testing::TestParamInfo<StepCase>& info) { return std::string(info.param.name); });

TEST_F(SerialSensitivity, NoStepBeyondTheEndsOfTheSlider)
{
    ASSERT_TRUE(sim.SetValue(50));
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    ASSERT_EQ(Number(), L"950");
    ASSERT_TRUE(sim.ClearLog());
    Press(dialog, IDC_SENS_UP);        // already the most sensitive: nothing is sent
    Press(dialog, IDC_SENS_DISPLAY);   // handled after it, so its "ST" marks the end
    ASSERT_TRUE(sim.WaitForCommand("ST", 10000));
    EXPECT_EQ(SerialSim::Commands(sim.ReadLog()), Commands{"ST"});
    ASSERT_TRUE(WaitButtonsBack());

    ASSERT_TRUE(sim.SetValue(1000));   // the slider stops at 1
    Press(dialog, IDC_SENS_DISPLAY);
    ASSERT_TRUE(sim.WaitForCommand("ST", 10000, nullptr, 2));
    ASSERT_TRUE(WaitButtonsBack());
    ASSERT_EQ(Number(), L"000");
    Press(dialog, IDC_SENS_DOWN);
    Press(dialog, IDC_SENS_DISPLAY);
    ASSERT_TRUE(sim.WaitForCommand("ST", 10000, nullptr, 3));
    EXPECT_EQ(SerialSim::Commands(sim.ReadLog()), (Commands{"ST", "ST", "ST"}));
    ASSERT_TRUE(WaitButtonsBack());
    CloseDialog();
}

TEST_F(SerialSensitivity, RepeatedBadValuesAreReadAgainUntilAGoodOneComes)
{
    ASSERT_TRUE(sim.SetValue(420));
    ASSERT_TRUE(sim.SetMode("nondigit", 3));   // three bad reports, the fourth good
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    EXPECT_EQ(Number(), L"580");
    EXPECT_EQ(SerialSim::Commands(sim.ReadLog()), (Commands{"ST", "ST", "ST", "ST"}));
    CloseDialog();
}

TEST_F(SerialSensitivity, AFieldCompleteByTheFifthReadIsAccepted)
{
    ASSERT_TRUE(sim.SetValue(350));
    ASSERT_TRUE(sim.Set("prefix", "ABCDE"));
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    EXPECT_EQ(Number(), L"650");
    CloseDialog();
}

TEST_F(SerialSensitivity, DisplaySensitivityShowsTheAnswerToItsOwnReport)
{
    ASSERT_TRUE(sim.SetValue(500));
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    ASSERT_EQ(Number(), L"500");
    // The value has changed since, and the controller's earlier answer still waits in the port.
    ASSERT_TRUE(sim.SetValue(350));
    ASSERT_TRUE(sim.LeaveStale("ST 0500\r"));
    ASSERT_TRUE(sim.ClearLog());
    Press(dialog, IDC_SENS_DISPLAY);
    ASSERT_TRUE(sim.WaitForEntry("close", "COM2", 10000)) << SerialSim::Describe(sim.ReadLog());
    ASSERT_TRUE(WaitButtonsBack());
    EXPECT_EQ(Number(), L"650") << SerialSim::Describe(sim.ReadLog());
    EXPECT_EQ(SliderPos(), 650);
    EXPECT_EQ(SerialSim::Commands(sim.ReadLog()), Commands{"ST"});
    CloseDialog();
}

TEST_F(SerialSensitivity, ARepeatedReportReadsItsOwnAnswerNotTheRestOfTheFirst)
{
    ASSERT_TRUE(sim.SetValue(500));
    // The first answer has a non-digit, and a second answer with another value follows it in
    // the same write; the repeat must not take that second answer for its own.
    ASSERT_TRUE(sim.Set("trailing-value", 400));
    ASSERT_TRUE(sim.SetMode("nondigit", 1));
    ASSERT_NO_FATAL_FAILURE(OpenDialog());
    EXPECT_EQ(Number(), L"500") << SerialSim::Describe(sim.ReadLog());
    EXPECT_EQ(SerialSim::Commands(sim.ReadLog()), (Commands{"ST", "ST"}));
    CloseDialog();
}
