// The setup's command line: which texts are accepted and what they choose.
#include <gtest/gtest.h>

#include "CommandLine.h"

namespace {
using setup::CommandLineOptions;

struct AcceptedCase {
    const char* text;
    DWORD language;
    DWORD wire;
    const wchar_t* usbClone;
    const wchar_t* serialClone;
};

const AcceptedCase kAccepted[] = {
    {"-s -en -eig", 0, 0, L"", L""},
    {"-S -EN -EIG", 0, 0, L"", L""},
    {"-s -ja -fiv", 1, 1, L"", L""},
    {"-s -tch -eig", 2, 0, L"", L""},
    {"-s -sch -fiv", 3, 1, L"", L""},
    {"-s -kr -eig", 4, 0, L"", L""},
    {"  -s   -en    -fiv  ", 0, 1, L"", L""},
    {"-s -en -eig -usb C:\\clones\\MEKAClone.Dat", 0, 0, L"C:\\clones\\MEKAClone.Dat", L""},
    {"-s -ja -fiv -ser C:\\RILOClone.Dat trailing words", 1, 1, L"", L"C:\\RILOClone.Dat"},
    {"-s -Kr -Fiv -SER x.dat", 4, 1, L"", L"x.dat"},
};

class AcceptedCommandLine : public ::testing::TestWithParam<AcceptedCase> {};

TEST_P(AcceptedCommandLine, ChoosesSilentInstallWithTheNamedOptions)
{
    const AcceptedCase& c = GetParam();
    CommandLineOptions options;
    ASSERT_TRUE(setup::ParseCommandLine(c.text, options)) << c.text;
    EXPECT_TRUE(options.silent);
    EXPECT_EQ(options.languageIndex, c.language);
    EXPECT_EQ(options.wireType, c.wire);
    EXPECT_EQ(options.usbClonePath, c.usbClone);
    EXPECT_EQ(options.serialClonePath, c.serialClone);
    EXPECT_EQ(options.usbRestorePending, *c.usbClone != 0);
    EXPECT_EQ(options.serialRestorePending, *c.serialClone != 0);
}

INSTANTIATE_TEST_SUITE_P(Table, AcceptedCommandLine, ::testing::ValuesIn(kAccepted),
                         [](const ::testing::TestParamInfo<AcceptedCase>& info) {
                             return "Case" + std::to_string(info.index);
                         });

const char* const kRefused[] = {
    "",
    "-s",
    "-s -en",
    "-s -en -eig -usb",          // four tokens
    "-x -en -eig",               // first token other than -s
    "-s -de -eig",
    "-s -en -six",
    "-s -en -eig -cd file",      // fourth token other than -usb or -ser
    "-s\t-en\t-eig",             // tabs separate nothing: one token
    "-s -en -eig\t-usb x",       // four tokens, one of them "-eig\t-usb"
    "-s -english -eig",
};

class RefusedCommandLine : public ::testing::TestWithParam<const char*> {};

TEST_P(RefusedCommandLine, IsAUsageErrorThatLeavesTheOptionsAlone)
{
    CommandLineOptions options;
    options.languageIndex = 3;
    EXPECT_FALSE(setup::ParseCommandLine(GetParam(), options)) << GetParam();
    EXPECT_FALSE(options.silent);
    EXPECT_EQ(options.languageIndex, 3u);
}

INSTANTIATE_TEST_SUITE_P(Table, RefusedCommandLine, ::testing::ValuesIn(kRefused));

TEST(NarrowCommandLine, KeepsTheLowByteOfEachUnit)
{
    EXPECT_EQ(setup::NarrowCommandLine(L"-s -en"), "-s -en");
    // U+00E9 stays E9; U+30A2 (a Japanese letter) becomes A2.
    EXPECT_EQ(setup::NarrowCommandLine(L"a\u00e9\u30a2"), std::string("a\xe9\xa2"));
}

TEST(NarrowCommandLine, EmptiesACommandLineOf999UnitsOrMore)
{
    std::wstring fits(998, L'a');
    std::wstring tooLong(999, L'a');
    EXPECT_EQ(setup::NarrowCommandLine(fits).size(), 998u);
    EXPECT_TRUE(setup::NarrowCommandLine(tooLong).empty());
    CommandLineOptions options;
    EXPECT_FALSE(setup::ParseCommandLine(setup::NarrowCommandLine(L"-s -en -eig -ser " + std::wstring(990, L'x')),
                                         options));
}

TEST(NarrowCommandLine, CloneFileNamesComeBackOneUnitPerByte)
{
    CommandLineOptions options;
    ASSERT_TRUE(setup::ParseCommandLine(setup::NarrowCommandLine(L"-s -en -eig -usb C:\\\u00e9\u30a2.dat"), options));
    EXPECT_EQ(options.usbClonePath, L"C:\\\u00e9\u00a2.dat");
}
}  // namespace
