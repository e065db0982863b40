#pragma once
// A window the program creates from a class of its own (the calibration window, a hidden window
// that other programs find and message). The derived class names the class and chooses its
// styles, background, cursor and icons (GetWindowClass); the class is registered once, at the
// first Create. One static window procedure serves every such window: at WM_NCCREATE it takes
// the object from CREATESTRUCT::lpCreateParams and registers it, afterwards it finds it from the
// handle and calls OnMessage; what OnMessage leaves goes to DefWindowProc. The object lets go of
// the window at WM_NCDESTROY; messages sent before WM_NCCREATE never reach it.
#include <windows.h>

#include <string>

#include "Wnd.h"

class CWindowImpl : public CWnd {
public:
    // The window class: its name and what every window of it shares.
    struct WindowClass {
        const wchar_t* name = nullptr;
        UINT style = 0;
        HICON icon = nullptr;
        HICON smallIcon = nullptr;
        HCURSOR cursor = nullptr;
        HBRUSH background = nullptr;
        const wchar_t* menu = nullptr;   // class menu (MAKEINTRESOURCEW of a menu resource), or none
    };

    CWindowImpl() = default;
    ~CWindowImpl() override;   // destroys a window that is still there

    // Registers the class when needed and creates the window; false when either fails. The
    // parent is null for a top-level window (a hidden one when WS_VISIBLE is not in `style`).
    // DefaultRect() lets the system choose position and size (CW_USEDEFAULT).
    bool Create(HWND parent, const RECT& rect, const std::wstring& title, DWORD style, DWORD exStyle = 0,
                HMENU menuOrId = nullptr);
    // True when the class is registered in this module (by Create, or by anyone before).
    bool IsClassRegistered() const;
    static RECT DefaultRect() { return RECT{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT}; }

    // Overridables
    virtual WindowClass GetWindowClass() const = 0;
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;   // default: owner-draw reflection

protected:
    LRESULT Default(UINT msg, WPARAM wp, LPARAM lp) override;   // DefWindowProc

private:
    bool RegisterWindowClass() const;
    static LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wp, LPARAM lp);
};
