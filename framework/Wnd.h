#pragma once
// A window handle with the usual conveniences. The object never owns the window: Attach and
// Detach only set the handle. Windows whose messages the framework routes (dialogs, pages,
// sheets, created windows, hooked controls) are also registered, so FromHandle finds their
// object from the handle, and every one of them routes through the same OnMessage.
#include <windows.h>
#include <string>

class CWnd {
public:
    CWnd() = default;
    explicit CWnd(HWND window) : m_hWnd(window) {}
    virtual ~CWnd();   // unhooks and unregisters a window that is still there
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
    // WM_SETFONT lends the font: the window never deletes it, so whoever made it keeps it alive
    // while the window uses it and deletes it afterwards (a dialog's own font is the dialog's).
    void SetFont(HFONT font, bool redraw = true) { SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), redraw); }
    void ScreenToClient(RECT& rect) const;
    void ModifyStyle(DWORD remove, DWORD add);
    void ModifyStyleEx(DWORD remove, DWORD add);
    bool DestroyWindow();
    // Creates a child control of this window (class, text, styles, rectangle in client units, id).
    HWND CreateChild(const wchar_t* className, const std::wstring& text, DWORD style, const RECT& rect, int id);

    // Hooks an existing window (a control from a dialog template, a property sheet) with the
    // common controls' window subclassing: every message passes OnMessage first, and what it
    // leaves goes on to the window's own procedure. The object is attached and registered. The
    // hook goes with the window (WM_NCDESTROY) or with the object, whichever comes first.
    // True when the window is hooked (also when it already was).
    bool SubclassWindow(HWND window);
    // Takes the hook off again; returns the window, which stays attached.
    HWND UnsubclassWindow();
    bool IsSubclassed() const;

    // Hands a parent's WM_DRAWITEM or WM_MEASUREITEM on to the object of the control it is
    // about (DrawItem, MeasureItem). False when that control has no object, or the object
    // leaves the item alone; menus are never reflected.
    static bool ReflectOwnerDraw(HWND parent, UINT msg, LPARAM lp, LRESULT& result);

    // Overridables
    // Every message of a routed window passes here first; true when handled, with its result.
    virtual bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    // A message on its way from the message loop to a window of this one (or to this window);
    // true consumes it. The loop asks the innermost routed window first.
    virtual bool PreTranslateMessage(MSG* msg);
    // Owner draw of this control, reflected from its parent; true when drawn or measured.
    virtual bool DrawItem(const DRAWITEMSTRUCT& item);
    virtual bool MeasureItem(MEASUREITEMSTRUCT& item);
    // A help request (HELP_CONTEXT, HELP_CONTEXTPOPUP, ...). By default it goes to the
    // application, which hands it to the window that shows help.
    virtual void WinHelp(DWORD_PTR data, UINT command);

    HWND m_hWnd = nullptr;

protected:
    // The window's own handling of a message, for OnMessage of a hooked window.
    virtual LRESULT Default(UINT msg, WPARAM wp, LPARAM lp);
    void Register(HWND window);   // attach and make FromHandle find this object
    void Unregister();            // at WM_NCDESTROY

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data);
};
