// Fault modes: a controller that stays silent, answers short, sends noise, non-digits or a value
// out of range, or answers the automatic adjustment too late.
#include "SerialSimFixture.h"

using testsupport::SerialSim;
using testsupport::SerialSimEntry;

struct FaultCase {
    const char* name;
    const char* mode;
    const char* setting;   // "name value" or ""
    const char* command;
    const char* reply;     // "" for no reply at all
    long valueAfter;       // the controller's value afterwards (it starts at 350)
};

class SerialSimFaultReplies : public SerialSimTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(SerialSimFaultReplies, ReplyAndValueAfter)
{
    const auto& c = GetParam();
    ASSERT_TRUE(sim.SetValue(350));
    ASSERT_TRUE(sim.Set("si-delay", 0));
    ASSERT_TRUE(sim.SetMode(c.mode));
    if (*c.setting) {
        ASSERT_TRUE(sim.Request(std::string("set ") + c.setting));
    }
    OpenPort(300);
    std::string expected = c.reply;
    ASSERT_TRUE(port.Write(std::string(c.command) + "\r"));
    ASSERT_TRUE(sim.WaitForCommand(c.command, 3000));
    if (expected.empty()) {
        EXPECT_EQ(port.Read(8), "");
    } else {
        EXPECT_EQ(port.ReadAtLeast(expected.size(), 5000), expected);
    }
    // The reply in full, and nothing else.
    auto replies = SerialSim::Select(sim.ReadLog(), "reply");
    EXPECT_EQ(replies.size(), expected.empty() ? 0u : 1u) << SerialSim::Describe(sim.ReadLog());
    if (!replies.empty()) {
        EXPECT_EQ(replies[0].text, expected);
    }
    EXPECT_EQ(StateOf("value"), std::to_string(c.valueAfter));
    EXPECT_EQ(StateOf("mode"), c.mode) << "a mode without a count stays";
}

INSTANTIATE_TEST_SUITE_P(
    Modes, SerialSimFaultReplies,
    ::testing::Values(FaultCase{"SilenceOnReport", "silence", "", "ST", "", 350},
                      FaultCase{"SilenceIgnoresSteps", "silence", "", "SD", "", 350},
                      FaultCase{"SilenceOnAdjustment", "silence", "", "SI", "", 350},
                      FaultCase{"ShortReport", "short", "", "ST", "ST 03", 350},
                      FaultCase{"ShortStepStillSteps", "short", "", "SU", "SU 03", 360},
                      FaultCase{"Noise", "noise", "", "ST", "#*?!%&@$", 350},
                      FaultCase{"LongNoise", "noise", "noise-length 20", "SD", "#*?!%&@$#*?!%&@$#*?!", 340},
                      FaultCase{"NonDigit", "nondigit", "", "ST", "ST 03X0\r", 350},
                      FaultCase{"NonDigitStep", "nondigit", "", "SD", "SD 03X0\r", 340},
                      FaultCase{"BelowRange", "range", "", "ST", "ST 0040\r", 350},
                      FaultCase{"AboveRange", "range", "range-value 1001", "ST", "ST 1001\r", 350},
                      FaultCase{"RangeOnAdjustment", "range", "range-value 49", "SI", "SI 0049\r", 300},
                      FaultCase{"DataFaultsLeaveValuesAlone", "bad-block-0", "", "ST", "ST 0350\r", 350},
                      // A second reply follows in the same write, also after a spoilt one.
                      FaultCase{"TrailingReply", "normal", "trailing-value 400", "ST", "ST 0350\rST 0400\r", 350},
                      FaultCase{"TrailingAfterNonDigit", "nondigit", "trailing-value 0", "SD", "SD 03X0\rSD 0000\r",
                                340}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SerialSimTest, ModeWithACountSpoilsThatManyRepliesThenStops)
{
    ASSERT_TRUE(sim.SetValue(350));
    ASSERT_TRUE(sim.SetMode("nondigit", 3));
    OpenPort();
    // The applet repeats a report with a non-digit three times: the fourth attempt succeeds here.
    for (int attempt = 1; attempt <= 3; ++attempt) {
        EXPECT_EQ(Exchange("ST", 8), "ST 03X0\r") << "attempt " << attempt;
        EXPECT_EQ(StateOf("mode-count"), std::to_string(3 - attempt == 0 ? -1 : 3 - attempt));
    }
    EXPECT_EQ(StateOf("mode"), "normal");
    EXPECT_EQ(Exchange("ST", 8), "ST 0350\r");
}

TEST_F(SerialSimTest, CountedModeSkipsCommandsOutsideItsScope)
{
    ASSERT_TRUE(sim.SetMode("late-si", 1));
    OpenPort();
    EXPECT_EQ(Exchange("ST", 8), "ST 0500\r");   // not an adjustment: the count stays
    EXPECT_EQ(StateOf("mode"), "late-si");
    EXPECT_EQ(StateOf("mode-count"), "1");
}

TEST_F(SerialSimTest, SilenceCountsEveryCommand)
{
    ASSERT_TRUE(sim.SetMode("silence", 2));
    OpenPort(300);
    ASSERT_TRUE(port.Write("CR\rST\r"));
    ASSERT_TRUE(sim.WaitForCommand("ST", 3000));
    EXPECT_EQ(port.Read(8), "");
    EXPECT_EQ(StateOf("status"), "----") << "a silent controller ignored CR";
    EXPECT_EQ(StateOf("mode"), "normal");
    EXPECT_EQ(Exchange("ST", 8), "ST 0500\r");
}

TEST_F(SerialSimTest, LateAdjustmentAnswersAfterTheApplicationGaveUp)
{
    EXPECT_EQ(StateOf("late-si-delay"), "6000") << "by default later than a 4 s watch and a 1 s read";
    ASSERT_TRUE(sim.SetMode("late-si"));
    ASSERT_TRUE(sim.Set("late-si-delay", 1500));
    ASSERT_TRUE(sim.Set("si-delay", 0));
    OpenPort(1000);
    DWORD start = GetTickCount();
    ASSERT_TRUE(port.Write("SI\r"));
    EXPECT_EQ(port.Read(2), "") << "answered within the first second";
    std::string reply = port.ReadAtLeast(8, 3000);
    DWORD waited = GetTickCount() - start;
    EXPECT_EQ(reply, "SI 0300\r");
    EXPECT_GE(waited, 1400u);
    EXPECT_EQ(StateOf("value"), "300");
}

TEST_F(SerialSimTest, AnswerDueAfterThePortClosedIsDropped)
{
    ASSERT_TRUE(sim.Set("si-delay", -1));
    OpenPort();
    ASSERT_TRUE(port.Write("SI\r"));
    ASSERT_TRUE(sim.WaitForCommand("SI", 3000));
    ClosePort();
    ASSERT_TRUE(sim.Touch());   // the touch comes after the program gave up
    SerialSimEntry drop;
    ASSERT_TRUE(sim.WaitForEntry("drop", "", 3000, &drop)) << SerialSim::Describe(sim.ReadLog());
    EXPECT_EQ(drop.text, "SI 0300\r");
    EXPECT_EQ(StateOf("value"), "300") << "the adjustment itself still happened";
    OpenPort(300);
    EXPECT_EQ(port.Read(16), "") << "the dropped answer reached the next opener";
    EXPECT_TRUE(SerialSim::Select(sim.ReadLog(), "reply").empty()) << SerialSim::Describe(sim.ReadLog());
}
