// The one hook the framework puts on an existing window (a control, a property sheet): its
// messages pass the object first, the rest goes on to the window's own procedure, and the hook
// goes with the window or with the object, whichever goes first.
#include <gtest/gtest.h>

#include <windows.h>

#include <cwctype>
#include <string>

#include "Wnd.h"

namespace {
// Types capitals: a lower-case character goes on to the edit in upper case.
class CUpperCaseEdit : public CWnd {
public:
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override
    {
        if (msg == WM_CHAR && iswlower(static_cast<wint_t>(wp))) {
            ++changed;
            result = Default(msg, towupper(static_cast<wint_t>(wp)), lp);
            return true;
        }
        return false;
    }
    int changed = 0;
};

class SubclassTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        edit = CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, GetModuleHandleW(nullptr),
                               nullptr);
        ASSERT_NE(edit, nullptr);
    }
    void TearDown() override
    {
        if (IsWindow(edit))
            DestroyWindow(edit);
    }
    std::wstring Type(const wchar_t* text)
    {
        for (const wchar_t* p = text; *p; ++p)
            SendMessageW(edit, WM_CHAR, *p, 1);
        wchar_t buffer[64] = L"";
        GetWindowTextW(edit, buffer, 64);
        return buffer;
    }
    HWND edit = nullptr;
};

TEST_F(SubclassTest, HookedMessagesPassTheObjectFirst)
{
    CUpperCaseEdit upper;
    ASSERT_TRUE(upper.SubclassWindow(edit));
    EXPECT_TRUE(upper.IsSubclassed());
    EXPECT_TRUE(upper.SubclassWindow(edit)) << "hooking again is a no-op";
    EXPECT_EQ(CWnd::FromHandle(edit), &upper);
    EXPECT_EQ(Type(L"ab1"), L"AB1");
    EXPECT_EQ(upper.changed, 2) << "one hook, not two";

    EXPECT_EQ(upper.UnsubclassWindow(), edit);
    EXPECT_FALSE(upper.IsSubclassed());
    EXPECT_EQ(Type(L"c"), L"AB1c");
}

TEST_F(SubclassTest, TheHookGoesWithTheWindow)
{
    CUpperCaseEdit upper;
    ASSERT_TRUE(upper.SubclassWindow(edit));
    ASSERT_TRUE(DestroyWindow(edit));
    EXPECT_EQ(upper.m_hWnd, nullptr);
    EXPECT_FALSE(upper.IsSubclassed());
    EXPECT_EQ(CWnd::FromHandle(edit), nullptr);
}

TEST_F(SubclassTest, TheHookGoesWithTheObject)
{
    {
        CUpperCaseEdit upper;
        ASSERT_TRUE(upper.SubclassWindow(edit));
        EXPECT_EQ(Type(L"a"), L"A");
    }
    // The window works on without the object.
    EXPECT_EQ(CWnd::FromHandle(edit), nullptr);
    EXPECT_EQ(Type(L"b"), L"Ab");
}

}  // namespace
