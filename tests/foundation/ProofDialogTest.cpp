// The whole path: a program built by the cross compiler with a resource dialog runs under Wine,
// its window is found from another process, a control text is read back, and WM_CLOSE ends it.
#include <gtest/gtest.h>

#include "TestPaths.h"
#include "TestProcess.h"
#include "TestWindows.h"

using namespace testsupport;

TEST(ProofDialog, OpensShowsTextAndClosesOnWmClose)
{
    TestProcess proc;
    ASSERT_TRUE(proc.Start(L"\"" + BinPath(L"ProofDialog.exe") + L"\""));
    HWND dlg = WaitForWindow(L"#32770", L"Proof Dialog", kDefaultDeadlineMs, proc.Pid());
    ASSERT_NE(dlg, nullptr) << "dialog did not appear";
    EXPECT_EQ(ControlText(dlg, 1001), L"Proof dialog ready");
    EXPECT_EQ(ControlText(dlg, 1002), L"edit text");
    PostMessageW(dlg, WM_CLOSE, 0, 0);
    DWORD code = 1234;
    ASSERT_TRUE(proc.WaitExit(code));
    EXPECT_EQ(code, 0u);
}

TEST(ProofDialog, OkButtonEndsWithOne)
{
    TestProcess proc;
    ASSERT_TRUE(proc.Start(L"\"" + BinPath(L"ProofDialog.exe") + L"\""));
    HWND dlg = WaitForWindow(L"#32770", L"Proof Dialog", kDefaultDeadlineMs, proc.Pid());
    ASSERT_NE(dlg, nullptr);
    ClickControl(dlg, IDOK);
    DWORD code = 0;
    ASSERT_TRUE(proc.WaitExit(code));
    EXPECT_EQ(code, 1u);
}
