// The control channel: requests and their answers, reset, the log's clearing and its record of
// requests.
#include "SerialSimFixture.h"

using testsupport::SerialSim;

TEST_F(SerialSimTest, ResetRestoresEveryStartValue)
{
    ASSERT_TRUE(sim.SetValue(123));
    ASSERT_TRUE(sim.Set("step", 7));
    ASSERT_TRUE(sim.Set("si-delay", -1));
    ASSERT_TRUE(sim.Set("prefix", "AB"));
    ASSERT_TRUE(sim.Set("trailing-value", 400));
    ASSERT_TRUE(sim.SetMode("noise", 4));
    ASSERT_TRUE(sim.Request("port busy"));
    ASSERT_TRUE(sim.Reset());
    auto state = sim.State();
    const std::map<std::string, std::string> start = {
        {"mode", "normal"},       {"mode-count", "-1"},  {"value", "500"},          {"step", "10"},
        {"si-value", "300"},      {"si-delay", "500"},   {"late-si-delay", "6000"}, {"range-value", "40"},
        {"noise-length", "8"},    {"prefix", ""},        {"stored-value", "500"},   {"status", "----"},
        {"write-flag", "----"},   {"port-state", "ready"}, {"pending", "0"},        {"partial", ""},
        {"trailing-value", "-1"}};
    for (const auto& kv : start)
        EXPECT_EQ(state[kv.first], kv.second) << kv.first;
    EXPECT_TRUE(sim.ReadLog().empty()) << SerialSim::Describe(sim.ReadLog());
}

TEST_F(SerialSimTest, ResetForgetsAnAnswerStillDue)
{
    ASSERT_TRUE(sim.Set("si-delay", -1));
    OpenPort(300);
    ASSERT_TRUE(port.Write("SI\r"));
    ASSERT_TRUE(testsupport::WaitUntil([&] { return StateOf("pending") == "1"; }, 3000));
    ASSERT_TRUE(sim.Reset());
    EXPECT_EQ(StateOf("pending"), "0");
    std::string error;
    EXPECT_FALSE(sim.Request("touch", nullptr, &error));
}

struct BadRequest {
    const char* line;
    const char* errorPart;   // a piece of the error text
};

class SerialSimBadRequests : public SerialSimTest, public ::testing::WithParamInterface<BadRequest> {};

TEST_P(SerialSimBadRequests, AreRefusedAndChangeNothing)
{
    std::string error;
    EXPECT_FALSE(sim.Request(GetParam().line, nullptr, &error));
    EXPECT_NE(error.find(GetParam().errorPart), std::string::npos) << error;
    EXPECT_EQ(StateOf("value"), "500");
    EXPECT_EQ(StateOf("mode"), "normal");
    EXPECT_EQ(StateOf("port-state"), "ready");
    EXPECT_TRUE(SerialSim::Select(sim.ReadLog(), "ctl").empty()) << "a refused request is not logged";
}

INSTANTIATE_TEST_SUITE_P(Lines, SerialSimBadRequests,
                         ::testing::Values(BadRequest{"jump", "unknown request"},
                                           BadRequest{"", "unknown request"},
                                           BadRequest{"mode loud", "unknown mode"},
                                           BadRequest{"mode noise 0", "count"},
                                           BadRequest{"mode noise x", "count"},
                                           BadRequest{"set value", "whole number"},
                                           BadRequest{"set value 10000", "from 0 to 9999"},
                                           BadRequest{"set value -1", "from 0 to 9999"},
                                           BadRequest{"set value 3.5", "whole number"},
                                           BadRequest{"set colour 5", "unknown setting"},
                                           BadRequest{"set step 0", "from 1 to 1000"},
                                           BadRequest{"port open", "port state"},
                                           BadRequest{"set trailing-value -2", "from -1 to 9999"},
                                           BadRequest{"stale", "unknown request"}));

TEST_F(SerialSimTest, AcceptedRequestsAreLoggedAndClearLogEmptiesTheLog)
{
    ASSERT_TRUE(sim.SetValue(350));
    ASSERT_TRUE(sim.SetMode("range", 2));
    auto ctl = SerialSim::Select(sim.ReadLog(), "ctl");
    ASSERT_EQ(ctl.size(), 2u) << SerialSim::Describe(sim.ReadLog());
    EXPECT_EQ(ctl[0].text, "set value 350");
    EXPECT_EQ(ctl[1].text, "mode range 2");
    ASSERT_TRUE(sim.ClearLog());
    EXPECT_TRUE(sim.ReadLog().empty());
    EXPECT_EQ(StateOf("value"), "350") << "clearing the log keeps the state";
    OpenPort();
    EXPECT_EQ(Exchange("ST", 8), "ST 0040\r");
    EXPECT_EQ(SerialSim::Commands(sim.ReadLog()), std::vector<std::string>{"ST"});
}

TEST(SerialSimClient, UnescapeUndoesTheLogEscapes)
{
    EXPECT_EQ(SerialSim::Unescape("ST 0350\\r"), "ST 0350\r");
    EXPECT_EQ(SerialSim::Unescape("a\\tb\\nc\\\\d"), "a\tb\nc\\d");
    EXPECT_EQ(SerialSim::Unescape("\\x00\\x7F\\xff"), std::string("\x00\x7F\xFF", 3));
    EXPECT_EQ(SerialSim::Unescape("\\xZ1 \\"), "\\xZ1 \\") << "broken escapes stay as they are";
}

TEST(SerialSimClient, EscapeWritesTheLogEscapesThatUnescapeUndoes)
{
    EXPECT_EQ(SerialSim::Escape("ST 0350\r\\\t\n"), "ST 0350\\r\\\\\\t\\n");
    EXPECT_EQ(SerialSim::Escape(std::string("\x00\x7F\xFF", 3)), "\\x00\\x7F\\xFF");
    std::string every;
    for (int b = 0; b < 256; ++b)
        every += static_cast<char>(b);
    EXPECT_EQ(SerialSim::Unescape(SerialSim::Escape(every)), every);
}

TEST(SerialSimClient, SimulatorOfAnotherPortDoesNotAnswer)
{
    testsupport::SerialSim other(L"COM9");
    EXPECT_EQ(other.Folder(), L"C:\\serialsim\\com9");
    std::string error;
    EXPECT_FALSE(other.Request("ping", nullptr, &error, 300));
    EXPECT_FALSE(error.empty());
}
