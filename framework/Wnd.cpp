#include "Wnd.h"

#include <commctrl.h>

#include "WinApp.h"

namespace {
const wchar_t kObjectProperty[] = L"Tiven.Framework.Object";
// The object whose hook the window carries (GetWindowSubclass is not exported by name).
const wchar_t kHookProperty[] = L"Tiven.Framework.Hook";
// One id for every hook the framework sets; the object travels as the reference data.
constexpr UINT_PTR kSubclassId = 0x54564E31;
}  // namespace

CWnd::~CWnd()
{
    if (!m_hWnd)
        return;
    UnsubclassWindow();
    if (::GetPropW(m_hWnd, kObjectProperty) == this)
        ::RemovePropW(m_hWnd, kObjectProperty);
}

HWND CWnd::Detach()
{
    HWND window = m_hWnd;
    m_hWnd = nullptr;
    return window;
}

CWnd* CWnd::FromHandle(HWND window)
{
    return window ? static_cast<CWnd*>(::GetPropW(window, kObjectProperty)) : nullptr;
}

void CWnd::Register(HWND window)
{
    m_hWnd = window;
    ::SetPropW(window, kObjectProperty, this);
}

void CWnd::Unregister()
{
    if (m_hWnd)
        ::RemovePropW(m_hWnd, kObjectProperty);
    m_hWnd = nullptr;
}

std::wstring CWnd::GetWindowText() const
{
    int length = ::GetWindowTextLengthW(m_hWnd);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    int got = ::GetWindowTextW(m_hWnd, &text[0], length + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

std::wstring CWnd::GetDlgItemText(int id) const
{
    CWnd item(GetDlgItem(id));
    std::wstring text = item.GetWindowText();
    item.Detach();
    return text;
}

RECT CWnd::GetWindowRect() const
{
    RECT rect{};
    ::GetWindowRect(m_hWnd, &rect);
    return rect;
}

RECT CWnd::GetClientRect() const
{
    RECT rect{};
    ::GetClientRect(m_hWnd, &rect);
    return rect;
}

void CWnd::ScreenToClient(RECT& rect) const
{
    // MapWindowPoints handles right-to-left layouts, which two ScreenToClient calls would not.
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
}

void CWnd::ModifyStyle(DWORD remove, DWORD add)
{
    LONG_PTR style = ::GetWindowLongPtrW(m_hWnd, GWL_STYLE);
    ::SetWindowLongPtrW(m_hWnd, GWL_STYLE, (style & ~static_cast<LONG_PTR>(remove)) | add);
}

void CWnd::ModifyStyleEx(DWORD remove, DWORD add)
{
    LONG_PTR style = ::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE);
    ::SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, (style & ~static_cast<LONG_PTR>(remove)) | add);
}

bool CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return false;
    return ::DestroyWindow(m_hWnd) != FALSE;
}

HWND CWnd::CreateChild(const wchar_t* className, const std::wstring& text, DWORD style, const RECT& rect, int id)
{
    return ::CreateWindowExW(0, className, text.c_str(), style | WS_CHILD, rect.left, rect.top,
                             rect.right - rect.left, rect.bottom - rect.top, m_hWnd,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), CWinApp::ResourceInstance(), nullptr);
}

bool CWnd::SubclassWindow(HWND window)
{
    if (window && window == m_hWnd && IsSubclassed())
        return true;
    UnsubclassWindow();
    if (!window || !::SetWindowSubclass(window, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    ::SetPropW(window, kHookProperty, this);
    Register(window);
    return true;
}

HWND CWnd::UnsubclassWindow()
{
    if (IsSubclassed()) {
        ::RemoveWindowSubclass(m_hWnd, SubclassProc, kSubclassId);
        ::RemovePropW(m_hWnd, kHookProperty);
    }
    return m_hWnd;
}

bool CWnd::IsSubclassed() const { return m_hWnd && ::GetPropW(m_hWnd, kHookProperty) == this; }

LRESULT CALLBACK CWnd::SubclassProc(HWND window, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data)
{
    auto* self = reinterpret_cast<CWnd*>(data);
    LRESULT result = 0;
    bool handled = self->OnMessage(msg, wp, lp, result);
    if (msg == WM_NCDESTROY) {
        // The window goes: unhook and forget it, so the object no longer refers to it.
        ::RemoveWindowSubclass(window, SubclassProc, kSubclassId);
        ::RemovePropW(window, kHookProperty);
        self->Unregister();
        return ::DefSubclassProc(window, msg, wp, lp);
    }
    return handled ? result : ::DefSubclassProc(window, msg, wp, lp);
}

LRESULT CWnd::Default(UINT msg, WPARAM wp, LPARAM lp) { return ::DefSubclassProc(m_hWnd, msg, wp, lp); }

bool CWnd::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
bool CWnd::PreTranslateMessage(MSG*) { return false; }
bool CWnd::DrawItem(const DRAWITEMSTRUCT&) { return false; }
bool CWnd::MeasureItem(MEASUREITEMSTRUCT&) { return false; }

bool CWnd::ReflectOwnerDraw(HWND parent, UINT msg, LPARAM lp, LRESULT& result)
{
    CWnd* control = nullptr;
    bool done = false;
    if (msg == WM_DRAWITEM) {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        // For a menu, hwndItem is the menu's handle, not a window.
        if (item->CtlType == ODT_MENU || !(control = FromHandle(item->hwndItem)))
            return false;
        done = control->DrawItem(*item);
    } else if (msg == WM_MEASUREITEM) {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
        // The structure names the control only by its id.
        if (item->CtlType == ODT_MENU || !(control = FromHandle(::GetDlgItem(parent, static_cast<int>(item->CtlID)))))
            return false;
        done = control->MeasureItem(*item);
    }
    if (done)
        result = TRUE;
    return done;
}

void CWnd::WinHelp(DWORD_PTR data, UINT command)
{
    if (CWinApp* app = CWinApp::Current())
        app->WinHelp(data, command, this);
}
