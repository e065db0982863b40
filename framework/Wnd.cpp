#include "Wnd.h"

#include "WinApp.h"

namespace {
const wchar_t kObjectProperty[] = L"Tiven.Framework.Object";
}

CWnd::~CWnd()
{
    if (m_hWnd && ::GetPropW(m_hWnd, kObjectProperty) == this)
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

void CWnd::WinHelp(DWORD_PTR data, UINT command)
{
    if (CWinApp* app = CWinApp::Current())
        app->WinHelp(data, command, this);
}
