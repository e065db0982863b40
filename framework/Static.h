#pragma once
// A static control by its handle.
#include <windows.h>

#include "Wnd.h"

class CStatic : public CWnd {
public:
    // STM_SETICON lends the icon: the control never destroys it, so its maker keeps it alive
    // while it is shown and destroys it afterwards. The icon shown before comes back.
    HICON SetIcon(HICON icon) { return reinterpret_cast<HICON>(SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(icon))); }
    // The same for the bitmap of an SS_BITMAP static.
    HBITMAP SetBitmap(HBITMAP bitmap)
    {
        return reinterpret_cast<HBITMAP>(SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    }
    HBITMAP GetBitmap() const { return reinterpret_cast<HBITMAP>(SendMessage(STM_GETIMAGE, IMAGE_BITMAP)); }
};
