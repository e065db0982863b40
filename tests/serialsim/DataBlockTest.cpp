// The data write ("CR", "DW", "MR"), the data read ("DR") and the 250-byte data block with the
// three checks the applet makes on it.
#include "SerialSimFixture.h"

using testsupport::SerialSim;

namespace {

struct Checks {
    bool zero, write, copy;
    bool operator==(const Checks& o) const { return zero == o.zero && write == o.write && copy == o.copy; }
};

std::ostream& operator<<(std::ostream& os, const Checks& c)
{
    return os << "{zero mark " << c.zero << ", write mark " << c.write << ", copy " << c.copy << "}";
}

Checks Check(const std::string& block)
{
    return {BlockHasZeroMark(block), BlockHasWriteMark(block), BlockCopyMatches(block)};
}

class SerialSimDataBlock : public SerialSimTest {
protected:
    // The applet's data write: "CR", "DW", "MR" and one read of up to 250 bytes.
    std::string WriteCycle()
    {
        EXPECT_TRUE(port.Write("CR\r"));
        EXPECT_TRUE(port.Write("DW\r"));
        return ReadBlock();
    }
    std::string ReadBlock()
    {
        EXPECT_TRUE(port.Write("MR\r"));
        return port.Read(250);
    }
};

TEST_F(SerialSimDataBlock, WriteCycleReturnsABlockThatPassesEveryCheck)
{
    ASSERT_TRUE(sim.SetValue(350));
    OpenPort();
    std::string block = WriteCycle();
    ASSERT_EQ(block.size(), 250u);
    EXPECT_EQ(Check(block), (Checks{true, true, true})) << block;
    // The working value and its stored copy both lead their halves of the data.
    EXPECT_EQ(block.substr(52, 4), "0350");
    EXPECT_EQ(block.substr(155, 4), "0350");
    EXPECT_EQ(SerialSim::Commands(sim.ReadLog()), (std::vector<std::string>{"CR", "DW", "MR"}));
    EXPECT_EQ(SerialSim::Select(sim.ReadLog(), "reply").size(), 1u) << "CR and DW are not answered";
}

TEST_F(SerialSimDataBlock, BlockWithoutWriteCommandsFailsTheMarks)
{
    OpenPort();
    EXPECT_EQ(Check(ReadBlock()), (Checks{false, false, true}));
    // CR alone sets the zero mark only.
    ASSERT_TRUE(port.Write("CR\r"));
    EXPECT_EQ(Check(ReadBlock()), (Checks{true, false, true}));
}

TEST_F(SerialSimDataBlock, EachReportStartsANewWriteCycle)
{
    OpenPort();
    EXPECT_EQ(Check(WriteCycle()), (Checks{true, true, true}));
    EXPECT_EQ(Check(ReadBlock()), (Checks{false, false, true}));
    EXPECT_EQ(StateOf("status"), "----");
    EXPECT_EQ(StateOf("write-flag"), "----");
}

TEST_F(SerialSimDataBlock, ChangedValueNotYetStoredFailsTheCopyCheck)
{
    ASSERT_TRUE(sim.SetValue(350));
    OpenPort();
    EXPECT_EQ(Exchange("SD", 8), "SD 0340\r");
    ASSERT_TRUE(port.Write("CR\r"));
    EXPECT_EQ(Check(ReadBlock()), (Checks{true, false, false}));
    EXPECT_EQ(Check(WriteCycle()), (Checks{true, true, true})) << "DW stores the changed value";
    EXPECT_EQ(StateOf("stored-value"), "340");
}

TEST_F(SerialSimDataBlock, DataReadBringsBackTheStoredValue)
{
    ASSERT_TRUE(sim.SetValue(350));
    OpenPort();
    EXPECT_EQ(Check(WriteCycle()), (Checks{true, true, true}));
    EXPECT_EQ(Exchange("SD", 8), "SD 0340\r");
    EXPECT_EQ(Exchange("SD", 8), "SD 0330\r");
    ASSERT_TRUE(port.Write("DR\r"));
    EXPECT_EQ(Exchange("ST", 8), "ST 0350\r");
    EXPECT_EQ(StateOf("value"), "350");
}

struct BlockFault {
    const char* mode;
    Checks checks;
    size_t size;
};

class SerialSimDataBlockFaults : public SerialSimDataBlock, public ::testing::WithParamInterface<BlockFault> {};

TEST_P(SerialSimDataBlockFaults, SpoilsOneReportThenTheNextCyclePasses)
{
    const auto& c = GetParam();
    ASSERT_TRUE(sim.SetMode(c.mode, 1));
    OpenPort();
    std::string block = WriteCycle();
    EXPECT_EQ(block.size(), c.size);
    EXPECT_EQ(Check(block), c.checks) << block;
    EXPECT_EQ(Check(WriteCycle()), (Checks{true, true, true}));
}

INSTANTIATE_TEST_SUITE_P(Modes, SerialSimDataBlockFaults,
                         ::testing::Values(BlockFault{"bad-block-0", {false, true, true}, 250},
                                           BlockFault{"bad-block-a", {true, false, true}, 250},
                                           BlockFault{"bad-block-copy", {true, true, false}, 250},
                                           BlockFault{"short", {true, true, false}, 125}),
                         [](const auto& info) {
                             std::string n = info.param.mode;
                             for (auto& ch : n)
                                 if (ch == '-')
                                     ch = '_';
                             return n;
                         });

TEST_F(SerialSimDataBlock, CopyFaultSpoilsTheByteThatPairsWithByteOneHundred)
{
    ASSERT_TRUE(sim.SetMode("bad-block-copy", 1));
    OpenPort();
    std::string block = WriteCycle();
    ASSERT_EQ(block.size(), 250u);
    for (size_t i = 52; i <= 137; ++i)
        EXPECT_EQ(block[i] == block[i + 103], i != 100) << "byte " << i;
}

TEST_F(SerialSimDataBlock, SilentControllerSendsNoBlock)
{
    ASSERT_TRUE(sim.SetMode("silence"));
    OpenPort(300);
    EXPECT_EQ(WriteCycle(), "");
}

}  // namespace
