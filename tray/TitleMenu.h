#pragma once
// A popup menu whose first item is an owner-drawn title: the text on a band in the colours of an
// active caption, a gradient when the system offers GradientFill (msimg32.dll, bound at run time).
// The menu's owner window hands its WM_MEASUREITEM and WM_DRAWITEM for menus to this object.
#include <windows.h>

#include <string>

class CTitleMenu {
public:
    CTitleMenu();    // reads the caption colours and binds GradientFill
    ~CTitleMenu();   // destroys the menu and lets the library go
    CTitleMenu(const CTitleMenu&) = delete;
    CTitleMenu& operator=(const CTitleMenu&) = delete;

    // Creates the popup menu; false when it exists or cannot be created.
    bool CreatePopupMenu();
    HMENU Handle() const { return menu_; }
    // Inserts the title at position 0: owner-drawn, disabled, command id 0.
    void AddTitle(const std::wstring& title);
    const std::wstring& Title() const { return title_; }

    // The title's size: the check-mark width plus the text's width plus 10, the text's height plus 2.
    void MeasureItem(MEASUREITEMSTRUCT& item) const;
    void DrawItem(const DRAWITEMSTRUCT& item) const;

private:
    using GradientFillProc = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);

    HMENU menu_ = nullptr;
    std::wstring title_;
    GradientFillProc gradientFill_ = nullptr;
    HMODULE imageLibrary_ = nullptr;
    COLORREF gradientColour_;
    COLORREF backColour_;
    COLORREF textColour_;
};
