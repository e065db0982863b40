#include "TestWindows.h"

namespace testsupport {

namespace {
struct FindArgs {
    const std::wstring* cls;
    const std::wstring* title;
    DWORD pid;
    bool (*extra)(HWND);
    HWND found;
};

// The title a top-level window keeps with the system, read without a message to its thread, so
// looking through the windows never waits on a busy program (as FindWindowW does).
std::wstring TitleOf(HWND w)
{
    std::wstring text(512, L'\0');
    int got = InternalGetWindowText(w, &text[0], static_cast<int>(text.size()));
    if (got >= static_cast<int>(text.size()) - 1)
        return WindowText(w);   // longer than the buffer: ask the window itself
    text.resize(got);
    return text;
}

BOOL CALLBACK FindProc(HWND w, LPARAM lp)
{
    auto* a = reinterpret_cast<FindArgs*>(lp);
    if (!IsWindowVisible(w))
        return TRUE;
    if (a->pid) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner != a->pid)
            return TRUE;
    }
    if (!a->cls->empty() && _wcsicmp(ClassNameOf(w).c_str(), a->cls->c_str()) != 0)
        return TRUE;
    if (!a->title->empty() && TitleOf(w) != *a->title)
        return TRUE;
    if (a->extra && !a->extra(w))
        return TRUE;
    a->found = w;
    return FALSE;
}

HWND Find(const std::wstring& cls, const std::wstring& title, DWORD pid, bool (*extra)(HWND))
{
    FindArgs a{&cls, &title, pid, extra, nullptr};
    EnumWindows(FindProc, reinterpret_cast<LPARAM>(&a));
    return a.found;
}

bool IsMessageBox(HWND w) { return GetDlgItem(w, 0xFFFF) != nullptr; }

// A named callback: on i686 a lambda does not convert to a stdcall function pointer.
BOOL CALLBACK CollectChild(HWND w, LPARAM lp)
{
    reinterpret_cast<std::vector<HWND>*>(lp)->push_back(w);
    return TRUE;
}
}  // namespace

std::wstring ClassNameOf(HWND window)
{
    wchar_t name[256] = L"";
    GetClassNameW(window, name, ARRAYSIZE(name));
    return name;
}

HWND FindTopWindow(const std::wstring& className, const std::wstring& title, DWORD pid)
{
    return Find(className, title, pid, nullptr);
}

HWND WaitForWindow(const std::wstring& className, const std::wstring& title, DWORD deadlineMs, DWORD pid)
{
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopWindow(className, title, pid)) != nullptr; }, deadlineMs);
    return found;
}

bool WaitWindowGone(HWND window, DWORD deadlineMs)
{
    return WaitUntil([&] { return !IsWindow(window); }, deadlineMs);
}

bool TakeForegroundFrom(HWND mine, HWND previous, DWORD deadlineMs)
{
    SetForegroundWindow(mine);
    if (!WaitUntil([&] { return GetForegroundWindow() == mine; }, deadlineMs))
        return false;
    // Asking X for the pointer is a round trip on this thread's connection: the focus request
    // before it has been handled, and the focus loss sent to the other connection, when it returns.
    // (Wine asks X once its own copy of the position is over 100 ms old; nothing moves it here.)
    POINT pointer{};
    GetCursorPos(&pointer);
    // A thread reads its X events each time it looks for messages; after the second of two
    // messages it answered, it has looked at least once since the focus loss reached it.
    for (int i = 0; i < 2; ++i) {
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutW(previous, WM_NULL, 0, 0, SMTO_NORMAL, deadlineMs, &result))
            return false;
    }
    return GetForegroundWindow() == mine;
}

std::wstring WindowText(HWND window)
{
    // Not SMTO_ABORTIFHUNG: a program that has not asked for messages for five seconds counts as
    // hung, which a busy program on a loaded machine easily is while it starts; the text comes
    // once its thread answers.
    DWORD_PTR len = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kDefaultDeadlineMs, &len))
        return L"";
    std::wstring text(len + 1, L'\0');
    DWORD_PTR got = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, len + 1, reinterpret_cast<LPARAM>(&text[0]), SMTO_NORMAL,
                        kDefaultDeadlineMs, &got);
    text.resize(got);
    return text;
}

std::wstring ControlText(HWND parent, int controlId) { return WindowText(GetDlgItem(parent, controlId)); }

std::vector<HWND> ChildWindows(HWND parent)
{
    std::vector<HWND> children;
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

void ClickControl(HWND parent, int controlId) { PostMessageW(GetDlgItem(parent, controlId), BM_CLICK, 0, 0); }

void ClickControlSync(HWND parent, int controlId)
{
    DWORD_PTR r = 0;
    // Not SMTO_ABORTIFHUNG: a thread that was busy for five seconds would lose the click.
    SendMessageTimeoutW(GetDlgItem(parent, controlId), BM_CLICK, 0, 0, SMTO_NORMAL, 10000, &r);
}

MessageBoxInfo WaitForMessageBox(DWORD deadlineMs, DWORD pid)
{
    MessageBoxInfo info;
    WaitUntil([&] { return (info.window = Find(L"#32770", L"", pid, IsMessageBox)) != nullptr; }, deadlineMs);
    if (info.window) {
        info.caption = WindowText(info.window);
        info.text = ControlText(info.window, 0xFFFF);
    }
    return info;
}

bool DismissMessageBox(const MessageBoxInfo& box, int buttonId)
{
    if (!box.window)
        return false;
    // A message box ends on WM_COMMAND with the button's id, whether or not it has that button visible.
    PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), 0);
    return WaitWindowGone(box.window);
}

}  // namespace testsupport
