// "ST", "SD", "SU" and "SI": the value replies, the controller's value and step, and the reply
// reader the applet uses on them.
#include "SerialSimFixture.h"

using testsupport::SerialSim;
using testsupport::SerialSimEntry;

struct ValueCase {
    const char* name;
    long value;
    long step;
    const char* prefix;     // "" keeps the command letters
    const char* command;
    const char* reply;
    long valueAfter;
};

class SerialSimValueReplies : public SerialSimTest, public ::testing::WithParamInterface<ValueCase> {};

TEST_P(SerialSimValueReplies, ReplyAndValueAfter)
{
    const auto& c = GetParam();
    ASSERT_TRUE(sim.SetValue(c.value));
    ASSERT_TRUE(sim.Set("step", c.step));
    ASSERT_TRUE(sim.Set("prefix", c.prefix));
    OpenPort();
    std::string expected = c.reply;
    EXPECT_EQ(Exchange(c.command, expected.size()), expected);
    EXPECT_EQ(StateOf("value"), std::to_string(c.valueAfter));
    // Exactly one reply, and nothing beyond it.
    auto replies = SerialSim::Select(sim.ReadLog(), "reply");
    ASSERT_EQ(replies.size(), 1u) << SerialSim::Describe(sim.ReadLog());
    EXPECT_EQ(replies[0].text, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, SerialSimValueReplies,
    ::testing::Values(ValueCase{"Report", 350, 10, "", "ST", "ST 0350\r", 350},
                      ValueCase{"ReportHighest", 1000, 10, "", "ST", "ST 1000\r", 1000},
                      ValueCase{"ReportOtherPrefix", 350, 10, "AB", "ST", "AB 0350\r", 350},
                      ValueCase{"MoreSensitive", 500, 10, "", "SD", "SD 0490\r", 490},
                      ValueCase{"Duller", 500, 10, "", "SU", "SU 0510\r", 510},
                      ValueCase{"MoreSensitiveStopsAtLowest", 55, 10, "", "SD", "SD 0050\r", 50},
                      ValueCase{"DullerStopsAtHighest", 995, 10, "", "SU", "SU 1000\r", 1000},
                      ValueCase{"BigStep", 500, 101, "", "SD", "SD 0399\r", 399},
                      ValueCase{"OutsideRangeDoesNotStep", 40, 10, "", "SD", "SD 0040\r", 40}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SerialSimTest, StepsFollowOneAnother)
{
    ASSERT_TRUE(sim.SetValue(500));
    OpenPort();
    EXPECT_EQ(Exchange("SD", 8), "SD 0490\r");
    EXPECT_EQ(Exchange("SD", 8), "SD 0480\r");
    EXPECT_EQ(Exchange("SU", 8), "SU 0490\r");
    EXPECT_EQ(Exchange("ST", 8), "ST 0490\r");
}

struct ReaderCase {
    const char* prefix;
    const char* field;   // what the applet's reader finds in five 2-byte reads
};

class SerialSimReplyReader : public SerialSimTest, public ::testing::WithParamInterface<ReaderCase> {};

TEST_P(SerialSimReplyReader, ValueFieldWithinFiveReads)
{
    ASSERT_TRUE(sim.SetValue(350));
    ASSERT_TRUE(sim.Set("prefix", GetParam().prefix));
    OpenPort(300);
    ASSERT_TRUE(port.Write("ST\r"));
    std::string received;
    EXPECT_EQ(port.ReadValueField(5, &received), GetParam().field) << "received: " << received;
}

INSTANTIATE_TEST_SUITE_P(Prefixes, SerialSimReplyReader,
                         ::testing::Values(ReaderCase{"", " 0350"},          // "ST 0350": four reads
                                           ReaderCase{"ABCDE", " 0350"},     // complete with the fifth
                                           ReaderCase{"ABCDEF", ""}));       // would need a sixth

TEST_F(SerialSimTest, AutomaticAdjustmentAnswersAfterTheTouchAndKeepsItsValue)
{
    ASSERT_TRUE(sim.Set("si-delay", 400));
    ASSERT_TRUE(sim.Set("si-value", 420));
    OpenPort();
    DWORD start = GetTickCount();
    EXPECT_EQ(Exchange("SI", 8), "SI 0420\r");
    DWORD waited = GetTickCount() - start;
    EXPECT_GE(waited, 350u);
    EXPECT_LT(waited, 3000u);
    EXPECT_EQ(Exchange("ST", 8), "ST 0420\r");

    auto log = sim.ReadLog();
    SerialSimEntry si, reply;
    ASSERT_TRUE(sim.WaitForCommand("SI", 0, &si));
    ASSERT_TRUE(sim.WaitForEntry("reply", "SI 0420\r", 0, &reply));
    EXPECT_GE(reply.timeMs - si.timeMs, 390) << SerialSim::Describe(log);
}

TEST_F(SerialSimTest, AutomaticAdjustmentCanWaitForATouch)
{
    ASSERT_TRUE(sim.Set("si-delay", -1));
    std::string error;
    EXPECT_FALSE(sim.Request("touch", nullptr, &error)) << "nothing waits for a touch yet";
    EXPECT_NE(error.find("touch"), std::string::npos) << error;
    OpenPort(300);
    ASSERT_TRUE(port.Write("SI\r"));
    EXPECT_TRUE(testsupport::WaitUntil([&] { return StateOf("waiting-for-touch") == "1"; }, 3000));
    EXPECT_EQ(port.Read(8), "") << "answered before the touch";
    EXPECT_EQ(StateOf("value"), "500");
    ASSERT_TRUE(sim.Touch());
    EXPECT_EQ(port.ReadAtLeast(8, 3000), "SI 0300\r");
    EXPECT_EQ(StateOf("value"), "300");
    EXPECT_EQ(StateOf("waiting-for-touch"), "0");
}
