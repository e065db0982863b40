// The setup's command line as a user types it: anything but the documented switches prints the
// usage line and ends with a failure code, before anything is installed.
#include <gtest/gtest.h>

#include "SetupRun.h"

using namespace setuptest;

namespace {
const wchar_t* const kUsageErrors[] = {
    L"-s -en", L"-s -en -eig -usb", L"-x -en -eig", L"-s -en -six", L"-s -en -eig -cd file", L"/?",
};

class SetupUsage : public ::testing::TestWithParam<const wchar_t*> {};

TEST_P(SetupUsage, PrintsTheUsageLineAndFails)
{
    SetupResult run = RunSetup(GetParam());
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 2u);
    // The standard output is a text stream: its line feed arrives as CR LF.
    EXPECT_EQ(run.output, "Usage: setup [-s] [-en|-ja|-tch|-sch|-kr] [-eig|-fiv] [-usb|-ser filename]\r\n");
}

INSTANTIATE_TEST_SUITE_P(Table, SetupUsage, ::testing::ValuesIn(kUsageErrors));

TEST(SetupUsageLength, ACommandLineOf999CharactersIsAUsageError)
{
    SetupResult run = RunSetup(L"-s -en -eig -ser C:\\" + std::wstring(990, L'x'));
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.exitCode, 2u);
    EXPECT_NE(run.output.find("Usage: setup"), std::string::npos);
}
}  // namespace
