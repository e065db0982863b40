// What the applet makes of a controller's sensitivity replies, from tables of cases.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "SensitivityReplies.h"

using namespace applet;

namespace {
// Feeds the bytes in reads of `chunk` bytes, as the port delivers them, and says whether a
// value field was found; `field` gets it.
bool FindIn(const std::string& bytes, std::string& field, size_t chunk = 2)
{
    CReplyText reply;
    for (size_t at = 0; at < bytes.size(); at += chunk) {
        reply.Append(bytes.data() + at, std::min(chunk, bytes.size() - at));
        char found[kValueFieldChars];
        if (reply.FindValueField(found)) {
            field.assign(found, kValueFieldChars);
            return true;
        }
    }
    return false;
}
}  // namespace

struct FieldCase {
    std::string bytes;
    bool found;
    std::string field;
};

void PrintTo(const FieldCase& c, std::ostream* out) { *out << '"' << c.bytes << '"'; }

class ValueField : public ::testing::TestWithParam<FieldCase> {};

TEST_P(ValueField, IsTheFirstBlankAndTheFourCharactersAfterIt)
{
    const FieldCase c = GetParam();
    std::string field;
    EXPECT_EQ(FindIn(c.bytes, field), c.found);
    if (c.found) {
        EXPECT_EQ(field, c.field);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Replies, ValueField,
    ::testing::Values(FieldCase{"ST 0350\r", true, " 0350"}, FieldCase{"XY 0350", true, " 0350"},
                      FieldCase{"ST 035", false, ""}, FieldCase{"ST", false, ""},
                      FieldCase{"#*?!%&@$", false, ""}, FieldCase{"ST 03X0\r", true, " 03X0"},
                      FieldCase{"A B 1234", true, " B 12"},
                      // A NUL is a character like any other: the field is found by count.
                      FieldCase{std::string{'S', '\0', ' ', '0', '\0', '5', '0'}, true,
                                std::string{' ', '0', '\0', '5', '0'}},
                      // More noise than the text holds, then the reply: the field is still found.
                      FieldCase{std::string(150, '#') + "SI 0300\r", true, " 0300"},
                      FieldCase{std::string(99, '#') + " 0", false, ""}));

TEST(ReplyText, KeepsOnlyTheNewestBytes)
{
    CReplyText reply;
    std::string noise(250, '#');
    for (size_t i = 0; i < noise.size(); i += 2)
        reply.Append(noise.data() + i, 2);
    EXPECT_EQ(reply.Length(), CReplyText::kCapacity);
    reply.Append(" 04", 3);
    char field[kValueFieldChars];
    EXPECT_FALSE(reply.FindValueField(field));
    reply.Append("20", 2);
    ASSERT_TRUE(reply.FindValueField(field));
    EXPECT_EQ(std::string(field, kValueFieldChars), " 0420");
    reply.Clear();
    EXPECT_EQ(reply.Length(), 0u);
    EXPECT_FALSE(reply.FindValueField(field));
}

struct ParseCase {
    const char* field;
    ValueVerdict verdict;
    int raw;
};

void PrintTo(const ParseCase& c, std::ostream* out) { *out << '"' << c.field << '"'; }

class ParseValue : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseValue, AcceptsDigitsFrom50To1000)
{
    const ParseCase c = GetParam();
    char field[kValueFieldChars];
    std::memcpy(field, c.field, kValueFieldChars);
    ValueReading reading = ParseValueField(field);
    EXPECT_EQ(reading.verdict, c.verdict);
    if (c.verdict != ValueVerdict::NotDigits) {
        EXPECT_EQ(reading.raw, c.raw);
    }
}

INSTANTIATE_TEST_SUITE_P(Fields, ParseValue,
                         ::testing::Values(ParseCase{" 0350", ValueVerdict::Valid, 350},
                                           ParseCase{" 0050", ValueVerdict::Valid, 50},
                                           ParseCase{" 1000", ValueVerdict::Valid, 1000},
                                           ParseCase{" 0049", ValueVerdict::OutOfRange, 49},
                                           ParseCase{" 0040", ValueVerdict::OutOfRange, 40},
                                           ParseCase{" 1001", ValueVerdict::OutOfRange, 1001},
                                           ParseCase{" 0000", ValueVerdict::OutOfRange, 0},
                                           ParseCase{" 03X0", ValueVerdict::NotDigits, 0},
                                           ParseCase{" -350", ValueVerdict::NotDigits, 0},
                                           ParseCase{" 0 50", ValueVerdict::NotDigits, 0}));

struct StepCase {
    StepDirection direction;
    int previous;
    int raw;
    bool accepted;
};

void PrintTo(const StepCase& c, std::ostream* out)
{
    *out << (c.direction == StepDirection::Sharper ? "SD" : "SU") << " from " << c.previous << " to " << c.raw;
}

class StepWindow : public ::testing::TestWithParam<StepCase> {};

TEST_P(StepWindow, IsAFifthOfThePreviousValue)
{
    const StepCase c = GetParam();
    EXPECT_EQ(StepAccepts(c.direction, c.previous, c.raw), c.accepted);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StepWindow,
    ::testing::Values(StepCase{StepDirection::Sharper, 500, 400, true}, StepCase{StepDirection::Sharper, 500, 399, false},
                      StepCase{StepDirection::Sharper, 500, 500, true}, StepCase{StepDirection::Sharper, 500, 501, false},
                      StepCase{StepDirection::Duller, 500, 499, false}, StepCase{StepDirection::Duller, 500, 500, true},
                      StepCase{StepDirection::Duller, 500, 600, true}, StepCase{StepDirection::Duller, 500, 601, false},
                      // Fractions are cut off: 0.8 x 333 = 266.4, 1.2 x 333 = 399.6.
                      StepCase{StepDirection::Sharper, 333, 266, true}, StepCase{StepDirection::Sharper, 333, 265, false},
                      StepCase{StepDirection::Duller, 333, 399, true}, StepCase{StepDirection::Duller, 333, 400, false}));

TEST(SensitivityNumber, HasAtLeastThreeDigits)
{
    const struct {
        int shown;
        const wchar_t* text;
    } cases[] = {{0, L"000"}, {5, L"005"}, {9, L"009"}, {10, L"010"}, {50, L"050"},
                 {99, L"099"}, {100, L"100"}, {650, L"650"}, {950, L"950"}, {1000, L"1000"}};
    for (const auto& c : cases)
        EXPECT_EQ(SensitivityNumberText(c.shown), c.text) << c.shown;
    EXPECT_EQ(FinishedNumberText(7), L"  Finished  007");
    EXPECT_EQ(FinishedNumberText(700), L"  Finished  700");
}

namespace {
// A block as a controller reports it after a complete write cycle.
std::string GoodBlock()
{
    std::string block(kDataBlockBytes, '.');
    block[0] = '#';
    block.replace(1, 4, "0000");
    block[5] = ' ';
    block.replace(6, 4, "AAAA");
    for (size_t i = 52; i <= 137; ++i)
        block[i] = block[i + 103] = "0123456789ABCDEF"[i % 16];
    block[249] = '\r';
    return block;
}
}  // namespace

struct BlockCase {
    const char* name;
    size_t at;            // where `bytes` replace the good block's bytes (0: nowhere)
    const char* bytes;
    size_t received;
    DataBlockVerdict verdict;
};

void PrintTo(const BlockCase& c, std::ostream* out) { *out << c.name; }

class DataBlock : public ::testing::TestWithParam<BlockCase> {};

TEST_P(DataBlock, ChecksInOrderAndOnlyWhatArrived)
{
    const BlockCase c = GetParam();
    std::string block = GoodBlock();
    if (c.at)
        block.replace(c.at, std::strlen(c.bytes), c.bytes);
    EXPECT_EQ(CheckDataBlock(reinterpret_cast<const uint8_t*>(block.data()), c.received), c.verdict);
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, DataBlock,
    ::testing::Values(BlockCase{"complete", 0, "", 250, DataBlockVerdict::Finished},
                      BlockCase{"one zero in the status mark", 1, "--0-", 250, DataBlockVerdict::Finished},
                      BlockCase{"no status mark", 1, "----", 250, DataBlockVerdict::StatusMissing},
                      BlockCase{"no status mark and no write mark", 1, "---- ----", 250, DataBlockVerdict::StatusMissing},
                      BlockCase{"one A in the write mark", 6, "---A", 250, DataBlockVerdict::Finished},
                      BlockCase{"no write mark", 6, "----", 250, DataBlockVerdict::WriteFlagMissing},
                      BlockCase{"byte 203 differs from byte 100", 203, "!", 250, DataBlockVerdict::Failed},
                      BlockCase{"byte 155 differs from byte 52", 155, "!", 250, DataBlockVerdict::Failed},
                      BlockCase{"byte 240 differs from byte 137", 240, "!", 250, DataBlockVerdict::Failed},
                      BlockCase{"bytes after the copy do not count", 241, "!", 250, DataBlockVerdict::Finished},
                      BlockCase{"everything up to the copy's end", 0, "", 241, DataBlockVerdict::Finished},
                      BlockCase{"one byte short of the copy", 0, "", 240, DataBlockVerdict::Failed},
                      BlockCase{"half a block", 0, "", 125, DataBlockVerdict::Failed},
                      BlockCase{"nothing", 0, "", 0, DataBlockVerdict::Failed}),
    [](const ::testing::TestParamInfo<BlockCase>& info) { return std::to_string(info.index); });
