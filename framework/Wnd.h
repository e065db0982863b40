#pragma once
// A window handle with the usual conveniences. The object never owns the window: Attach and
// Detach only set the handle. Windows whose messages the framework routes (dialogs, pages,
// sheets) are also registered, so FromHandle finds their object from the handle.
#include <windows.h>
#include <string>

class CWnd {
public:
    CWnd() = default;
    explicit CWnd(HWND window) : m_hWnd(window) {}
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    void Attach(HWND window) { m_hWnd = window; }
    HWND Detach();
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // The framework object registered for a window, or none.
    static CWnd* FromHandle(HWND window);

    // Attributes
    bool IsWindow() const { return ::IsWindow(m_hWnd) != FALSE; }
    std::wstring GetWindowText() const;
    void SetWindowText(const std::wstring& text) { ::SetWindowTextW(m_hWnd, text.c_str()); }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    std::wstring GetDlgItemText(int id) const;
    void SetDlgItemText(int id, const std::wstring& text) { ::SetDlgItemTextW(m_hWnd, id, text.c_str()); }
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    bool IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd) != FALSE; }
    bool IsWindowVisible() const { return ::IsWindowVisible(m_hWnd) != FALSE; }
    HFONT GetFont() const { return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)); }
    RECT GetWindowRect() const;
    RECT GetClientRect() const;

    // Operations
    LRESULT SendMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return ::SendMessageW(m_hWnd, msg, wp, lp); }
    bool PostMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return ::PostMessageW(m_hWnd, msg, wp, lp) != FALSE; }
    bool EnableWindow(bool enable = true) { return ::EnableWindow(m_hWnd, enable) != FALSE; }
    bool ShowWindow(int show) { return ::ShowWindow(m_hWnd, show) != FALSE; }
    void SetFont(HFONT font, bool redraw = true) { SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw); }
    void ScreenToClient(RECT& rect) const;
    void ModifyStyle(DWORD remove, DWORD add);
    void ModifyStyleEx(DWORD remove, DWORD add);
    bool DestroyWindow();
    // Creates a child control of this window (class, text, styles, rectangle in client units, id).
    HWND CreateChild(const wchar_t* className, const std::wstring& text, DWORD style, const RECT& rect, int id);

    // Overridables
    // A help request (HELP_CONTEXT, HELP_CONTEXTPOPUP, ...). By default it goes to the
    // application, which hands it to the window that shows help.
    virtual void WinHelp(DWORD_PTR data, UINT command);

    HWND m_hWnd = nullptr;

protected:
    void Register(HWND window);   // attach and make FromHandle find this object
    void Unregister();            // at WM_NCDESTROY
};
