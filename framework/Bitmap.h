#pragma once
// A bitmap the object owns: deleted with the object or when another is loaded. Controls that
// show a bitmap (BS_BITMAP buttons, SS_BITMAP statics) only borrow it, so its owner lives at
// least as long as the control shows it.
#include <windows.h>

#include "GdiObject.h"

class CBitmap : public CGdiObject<HBITMAP> {
public:
    using CGdiObject::CGdiObject;
    // Loads a bitmap resource of the module; false (and nothing held) when there is none.
    bool LoadBitmap(HINSTANCE instance, UINT id)
    {
        Reset(::LoadBitmapW(instance, MAKEINTRESOURCEW(id)));
        return IsValid();
    }
};
