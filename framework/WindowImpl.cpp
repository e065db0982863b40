#include "WindowImpl.h"

#include "WinApp.h"

CWindowImpl::~CWindowImpl()
{
    // Destroying the window runs WM_NCDESTROY, which unregisters this object.
    if (m_hWnd && FromHandle(m_hWnd) == this)
        ::DestroyWindow(m_hWnd);
}

bool CWindowImpl::IsClassRegistered() const
{
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    return ::GetClassInfoExW(CWinApp::ResourceInstance(), GetWindowClass().name, &existing) != FALSE;
}

bool CWindowImpl::RegisterWindowClass() const
{
    if (IsClassRegistered())
        return true;
    const WindowClass c = GetWindowClass();
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = c.style;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = CWinApp::ResourceInstance();
    wc.hIcon = c.icon;
    wc.hIconSm = c.smallIcon;
    wc.hCursor = c.cursor;
    wc.hbrBackground = c.background;
    wc.lpszMenuName = c.menu;
    wc.lpszClassName = c.name;
    return ::RegisterClassExW(&wc) != 0;
}

bool CWindowImpl::Create(HWND parent, const RECT& rect, const std::wstring& title, DWORD style, DWORD exStyle,
                         HMENU menuOrId)
{
    if (m_hWnd || !RegisterWindowClass())
        return false;
    const bool systemChooses = rect.left == CW_USEDEFAULT;
    const int width = systemChooses ? CW_USEDEFAULT : rect.right - rect.left;
    const int height = systemChooses ? CW_USEDEFAULT : rect.bottom - rect.top;
    HWND window = ::CreateWindowExW(exStyle, GetWindowClass().name, title.c_str(), style, rect.left, rect.top, width,
                                    height, parent, menuOrId, CWinApp::ResourceInstance(), this);
    // WM_NCCREATE has attached the window; a creation refused later has destroyed it again.
    return window != nullptr && m_hWnd == window;
}

bool CWindowImpl::OnMessage(UINT msg, WPARAM, LPARAM lp, LRESULT& result)
{
    if (msg == WM_DRAWITEM || msg == WM_MEASUREITEM)
        return ReflectOwnerDraw(m_hWnd, msg, lp, result);
    return false;
}

LRESULT CWindowImpl::Default(UINT msg, WPARAM wp, LPARAM lp) { return ::DefWindowProcW(m_hWnd, msg, wp, lp); }

LRESULT CALLBACK CWindowImpl::WindowProc(HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    CWindowImpl* self = nullptr;
    if (msg == WM_NCCREATE) {
        self = static_cast<CWindowImpl*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        if (self)
            self->Register(window);
    } else {
        self = static_cast<CWindowImpl*>(FromHandle(window));
    }
    if (!self)
        return ::DefWindowProcW(window, msg, wp, lp);
    LRESULT result = 0;
    const bool handled = self->OnMessage(msg, wp, lp, result);
    if (msg == WM_NCDESTROY)
        self->Unregister();
    return handled ? result : ::DefWindowProcW(window, msg, wp, lp);
}
