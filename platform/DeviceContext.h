#pragma once
// Owners of device contexts, one for each way a DC is come by:
//   CMemoryDC  made by the caller (CreateCompatibleDC): deleted with DeleteDC
//   CWindowDC  borrowed from a window (GetDC, GetWindowDC): given back with ReleaseDC to the
//              window it came from (null: the screen)
#include <windows.h>

#include "Owner.h"

struct CreatedDcTraits : NullHandleTraits<HDC> {
    static void Close(HDC dc) { DeleteDC(dc); }
};

class CMemoryDC : public COwner<CreatedDcTraits> {
public:
    using COwner::COwner;
};

// A borrowed DC and the window it is given back to.
struct WindowDc {
    HWND window;
    HDC dc;
};

struct WindowDcTraits {
    using Type = WindowDc;
    static WindowDc Empty() { return {nullptr, nullptr}; }
    static bool IsValid(const WindowDc& borrowed) { return borrowed.dc != nullptr; }
    static void Close(const WindowDc& borrowed) { ReleaseDC(borrowed.window, borrowed.dc); }
};

class CWindowDC : public COwner<WindowDcTraits> {
public:
    CWindowDC() = default;
    // `dc` as GetDC or GetWindowDC returned it for `window`.
    CWindowDC(HWND window, HDC dc) : COwner(WindowDc{window, dc}) {}

    HDC Dc() const { return Get().dc; }
};
