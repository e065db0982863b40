#pragma once
// A control window whose messages pass through its object first. SubclassWindow hooks an
// existing window (usually a control from a dialog template) with the common controls' window
// subclassing; OnSubclassMessage sees every message and returns true when it handled one, false
// to let the control's own procedure run. The hook goes away with the window (WM_NCDESTROY) or
// with the object, whichever comes first.
#include <windows.h>
#include <commctrl.h>

#include "Wnd.h"

class CSubclassWnd : public CWnd {
public:
    CSubclassWnd() = default;
    ~CSubclassWnd() override { UnsubclassWindow(); }

    // Operations
    // Attaches and hooks the window; true when it is hooked (also when it already was).
    bool SubclassWindow(HWND window)
    {
        if (subclassed_ && window == m_hWnd)
            return true;
        UnsubclassWindow();
        if (!window || !::SetWindowSubclass(window, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
            return false;
        Attach(window);
        subclassed_ = true;
        return true;
    }
    void UnsubclassWindow()
    {
        if (subclassed_ && m_hWnd)
            ::RemoveWindowSubclass(m_hWnd, SubclassProc, kSubclassId);
        subclassed_ = false;
    }
    bool IsSubclassed() const { return subclassed_; }

protected:
    // The control's own handling of a message.
    LRESULT Default(UINT msg, WPARAM wp, LPARAM lp) { return ::DefSubclassProc(m_hWnd, msg, wp, lp); }

    // Overridables
    virtual bool OnSubclassMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

private:
    // One id for every hook of this kind; the object travels as the reference data.
    static constexpr UINT_PTR kSubclassId = 0x54564E31;

    static LRESULT CALLBACK SubclassProc(HWND window, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data)
    {
        auto* self = reinterpret_cast<CSubclassWnd*>(data);
        if (msg == WM_NCDESTROY) {
            // The window goes: unhook and forget the handle, so the object no longer refers to it.
            ::RemoveWindowSubclass(window, SubclassProc, kSubclassId);
            self->subclassed_ = false;
            self->Detach();
            return ::DefSubclassProc(window, msg, wp, lp);
        }
        LRESULT result = 0;
        if (self->OnSubclassMessage(msg, wp, lp, result))
            return result;
        return ::DefSubclassProc(window, msg, wp, lp);
    }

    bool subclassed_ = false;
};
