// Bytes that wait in the port before a program's command: stale bytes a test leaves there, the
// second reply that can follow every value reply, and what PurgeComm does with both.
#include "SerialSimFixture.h"

using testsupport::SerialSim;

TEST_F(SerialSimTest, StaleBytesAreLoggedAndWaitInAClosedPortForTheNextOpener)
{
    ASSERT_TRUE(sim.LeaveStale("ST 0400\r"));
    auto stale = SerialSim::Select(sim.ReadLog(), "stale");
    ASSERT_EQ(stale.size(), 1u) << SerialSim::Describe(sim.ReadLog());
    EXPECT_EQ(stale[0].text, "ST 0400\r");
    OpenPort(300);
    EXPECT_EQ(Exchange("ST", 16), "ST 0400\rST 0500\r") << "the stale bytes come before the answer";
}

TEST_F(SerialSimTest, StaleBytesKeepEveryByteOfTheirText)
{
    std::string bytes = "SI 0300\r\\ \t";
    for (int b = 0; b < 256; ++b)
        bytes += static_cast<char>(b);
    bytes += "  ";   // blanks at the end too
    ASSERT_TRUE(sim.LeaveStale(bytes));
    OpenPort(300);
    EXPECT_EQ(port.ReadAtLeast(bytes.size(), 5000), bytes);
}

TEST_F(SerialSimTest, ResetTakesStaleBytesOutOfTheClosedPort)
{
    ASSERT_TRUE(sim.LeaveStale("ST 0400\r"));
    ASSERT_TRUE(sim.Reset());
    OpenPort(300);
    EXPECT_EQ(port.Read(16), "") << "the bytes of an earlier test reached this one";
}

// Wine's PurgeComm with PURGE_RXCLEAR flushes the pty's input queue (tcflush): whatever had
// arrived before it is gone, whether it came while the port was closed or with an earlier reply.
struct WaitingBytesCase {
    const char* name;
    bool earlierReply;   // the bytes come as a second reply to an earlier command, else stale
    bool purge;
    const char* read;    // what the next "ST" reads first
};

void PrintTo(const WaitingBytesCase& c, std::ostream* out) { *out << c.name; }

class SerialSimWaitingBytes : public SerialSimTest, public ::testing::WithParamInterface<WaitingBytesCase> {};

TEST_P(SerialSimWaitingBytes, ReachTheNextReadUnlessPurged)
{
    const auto& c = GetParam();
    if (c.earlierReply) {
        ASSERT_TRUE(sim.Set("trailing-value", 400));
        OpenPort(300);
        EXPECT_EQ(Exchange("ST", 8), "ST 0500\r");
        ASSERT_TRUE(sim.Set("trailing-value", -1));
    } else {
        ASSERT_TRUE(sim.LeaveStale("ST 0400\r"));
        OpenPort(300);
    }
    if (c.purge) {
        ASSERT_TRUE(PurgeComm(port.Handle(), PURGE_RXCLEAR)) << "error " << GetLastError();
    }
    EXPECT_EQ(Exchange("ST", 8), c.read) << SerialSim::Describe(sim.ReadLog());
}

INSTANTIATE_TEST_SUITE_P(Sources, SerialSimWaitingBytes,
                         ::testing::Values(WaitingBytesCase{"StaleKept", false, false, "ST 0400\r"},
                                           WaitingBytesCase{"StalePurged", false, true, "ST 0500\r"},
                                           WaitingBytesCase{"EarlierReplyKept", true, false, "ST 0400\r"},
                                           WaitingBytesCase{"EarlierReplyPurged", true, true, "ST 0500\r"}),
                         [](const auto& info) { return std::string(info.param.name); });
