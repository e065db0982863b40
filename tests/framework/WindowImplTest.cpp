// Windows created from a class of their own: one registration per class, the object known from
// WM_NCCREATE to WM_NCDESTROY, answers and default processing, a hidden window found by its
// class and closed by a message, and owner draw reflected to the control's object.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "MessageLoop.h"
#include "WindowImpl.h"

namespace {
constexpr wchar_t kClassName[] = L"TivenFrameworkTestWindow";
constexpr UINT kAnswerMessage = WM_APP + 1;
constexpr RECT kRect = {10, 10, 210, 110};

class CRecordingWindow : public CWindowImpl {
public:
    WindowClass GetWindowClass() const override
    {
        WindowClass c;
        c.name = kClassName;
        c.style = CS_DBLCLKS;
        c.cursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32515));   // IDC_CROSS
        c.background = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
        return c;
    }
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override
    {
        seen.push_back(msg);
        if (msg == WM_NCCREATE)
            handleAtNcCreate = m_hWnd;
        if (msg == kAnswerMessage) {
            result = 42;
            return true;
        }
        if (msg == WM_CLOSE) {
            DestroyWindow();
            return true;
        }
        if (msg == WM_DESTROY && quitCode >= 0)
            ::PostQuitMessage(quitCode);
        return CWindowImpl::OnMessage(msg, wp, lp, result);
    }

    std::vector<UINT> seen;
    HWND handleAtNcCreate = nullptr;
    int quitCode = -1;
};

// A child control whose object draws and measures its own items.
class CDrawnControl : public CWnd {
public:
    bool DrawItem(const DRAWITEMSTRUCT& item) override
    {
        drawn.push_back(static_cast<int>(item.itemID));
        return true;
    }
    bool MeasureItem(MEASUREITEMSTRUCT& item) override
    {
        item.itemHeight = 20 + item.itemID;
        measured.push_back(static_cast<int>(item.itemID));
        return true;
    }
    std::vector<int> drawn;
    std::vector<int> measured;
};

size_t Count(const std::vector<UINT>& messages, UINT msg)
{
    size_t n = 0;
    for (UINT m : messages)
        n += m == msg;
    return n;
}
}  // namespace

TEST(WindowImpl, WindowsOfOneKindShareTheClassTheyChose)
{
    CRecordingWindow first, second;
    ASSERT_TRUE(first.Create(nullptr, kRect, L"first", WS_OVERLAPPEDWINDOW));
    ASSERT_TRUE(first.IsClassRegistered());
    ASSERT_TRUE(second.Create(nullptr, kRect, L"second", WS_OVERLAPPEDWINDOW));
    EXPECT_EQ(GetClassWord(first.m_hWnd, GCW_ATOM), GetClassWord(second.m_hWnd, GCW_ATOM));
    EXPECT_EQ(GetClassLongPtrW(first.m_hWnd, GCL_STYLE), static_cast<ULONG_PTR>(CS_DBLCLKS));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(GetClassLongPtrW(first.m_hWnd, GCLP_HBRBACKGROUND)),
              static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrW(first.m_hWnd, GCLP_HCURSOR)),
              LoadCursorW(nullptr, MAKEINTRESOURCEW(32515)));
    EXPECT_FALSE(first.Create(nullptr, kRect, L"again", WS_OVERLAPPEDWINDOW)) << "one window per object";
}

TEST(WindowImpl, ObjectIsKnownFromNcCreateUntilNcDestroy)
{
    CRecordingWindow window;
    ASSERT_TRUE(window.Create(nullptr, kRect, L"life", WS_OVERLAPPEDWINDOW));
    const HWND handle = window.m_hWnd;
    ASSERT_FALSE(window.seen.empty());
    // What comes before WM_NCCREATE (WM_GETMINMAXINFO) finds no object yet.
    EXPECT_EQ(window.seen.front(), static_cast<UINT>(WM_NCCREATE));
    EXPECT_EQ(window.handleAtNcCreate, handle);
    EXPECT_EQ(Count(window.seen, WM_CREATE), 1u);
    EXPECT_EQ(CWnd::FromHandle(handle), &window);

    EXPECT_TRUE(DestroyWindow(handle));
    EXPECT_EQ(window.seen.back(), static_cast<UINT>(WM_NCDESTROY));
    EXPECT_EQ(window.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandle(handle), nullptr);

    // Let go, the object can make a new window.
    const size_t before = window.seen.size();
    ASSERT_TRUE(window.Create(nullptr, kRect, L"again", WS_OVERLAPPEDWINDOW));
    EXPECT_GT(window.seen.size(), before);
}

TEST(WindowImpl, HandledMessagesAnswerAndTheRestGetsTheDefault)
{
    CRecordingWindow window;
    ASSERT_TRUE(window.Create(nullptr, kRect, L"default text", WS_OVERLAPPEDWINDOW));
    EXPECT_EQ(SendMessageW(window.m_hWnd, kAnswerMessage, 0, 0), 42);
    wchar_t text[32] = L"";
    EXPECT_EQ(SendMessageW(window.m_hWnd, WM_GETTEXT, 32, reinterpret_cast<LPARAM>(text)), 12);
    EXPECT_STREQ(text, L"default text");
    EXPECT_EQ(Count(window.seen, WM_GETTEXT), 1u) << "the object saw it before the default";
}

TEST(WindowImpl, TheObjectTakesItsWindowAlong)
{
    HWND handle = nullptr;
    {
        CRecordingWindow window;
        ASSERT_TRUE(window.Create(nullptr, kRect, L"short", WS_OVERLAPPEDWINDOW));
        handle = window.m_hWnd;
    }
    EXPECT_FALSE(IsWindow(handle));
}

TEST(WindowImpl, HiddenWindowIsFoundByItsClassAndEndsTheLoopWhenClosed)
{
    CRecordingWindow window;
    window.quitCode = 7;
    ASSERT_TRUE(window.Create(nullptr, kRect, L"Hidden Listener", WS_POPUP));
    EXPECT_FALSE(IsWindowVisible(window.m_hWnd));
    // Another program finds it the same way, by class and title, and asks it to close.
    HWND found = FindWindowW(kClassName, L"Hidden Listener");
    ASSERT_EQ(found, window.m_hWnd);
    ASSERT_TRUE(PostMessageW(found, WM_CLOSE, 0, 0));
    EXPECT_EQ(CMessageLoop::Run(), 7);
    EXPECT_FALSE(IsWindow(found));
    EXPECT_EQ(Count(window.seen, WM_CLOSE), 1u);
}

TEST(WindowImpl, OwnerDrawReachesTheControlsObject)
{
    CRecordingWindow parent;
    ASSERT_TRUE(parent.Create(nullptr, {0, 0, 300, 200}, L"owner draw", WS_POPUP | WS_VISIBLE));
    RECT rect{10, 10, 210, 150};
    // A variable-height list asks its parent for each item's height as the item is added.
    HWND list = parent.CreateChild(L"LISTBOX", L"", WS_VISIBLE | LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS, rect, 77);
    ASSERT_NE(list, nullptr);
    CDrawnControl control;
    ASSERT_TRUE(control.SubclassWindow(list));
    for (int i = 0; i < 3; ++i)
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"item"));
    EXPECT_EQ(control.measured, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(SendMessageW(list, LB_GETITEMHEIGHT, 2, 0), 22);

    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    EXPECT_GE(control.drawn.size(), 3u);
    EXPECT_EQ(Count(parent.seen, WM_DRAWITEM), control.drawn.size());
    const size_t drawn = control.drawn.size();

    // A control without an object is left to the parent's default processing.
    HWND plain = parent.CreateChild(L"BUTTON", L"plain", WS_VISIBLE | BS_OWNERDRAW, {220, 10, 290, 40}, 78);
    ASSERT_NE(plain, nullptr);
    DRAWITEMSTRUCT item{ODT_BUTTON, 78, 0, ODA_DRAWENTIRE, 0, plain, nullptr, {}, 0};
    EXPECT_EQ(SendMessageW(parent.m_hWnd, WM_DRAWITEM, 78, reinterpret_cast<LPARAM>(&item)), FALSE);
    EXPECT_EQ(control.drawn.size(), drawn);
}
