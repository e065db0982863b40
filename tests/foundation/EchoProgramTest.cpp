// The echo program that tests point product paths at: what a start received is read as soon as
// the program has put its file in place, however soon after the program's rename that is.
#include <gtest/gtest.h>

#include <string>

#include "EchoProgram.h"
#include "TestProcess.h"

using namespace testsupport;

TEST(EchoProgram, EachStartsArgumentIsReadAsSoonAsItsFileAppears)
{
    EchoProgram echo;
    ASSERT_TRUE(echo.Copied());
    for (int start = 0; start < 40; ++start) {
        echo.Clear();
        const std::wstring argument = L"Panel " + std::to_wstring(start);
        TestProcess program;
        ASSERT_TRUE(program.Start(L"\"" + echo.Path() + L"\" " + argument));
        EXPECT_EQ(echo.Received(), argument) << "start " << start;
        DWORD code = 1;
        ASSERT_TRUE(program.WaitExit(code));
        EXPECT_EQ(code, 0u);
    }
}
