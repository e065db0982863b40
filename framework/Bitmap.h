#pragma once
// A bitmap the object owns: deleted with the object or when another is loaded. Controls that
// show a bitmap (BS_BITMAP buttons, SS_BITMAP statics) only borrow it, so its owner lives at
// least as long as the control shows it.
#include <windows.h>

#include "Owner.h"

struct BitmapTraits {
    using Type = HBITMAP;
    static HBITMAP Empty() { return nullptr; }
    static bool IsValid(HBITMAP bitmap) { return bitmap != nullptr; }
    static void Close(HBITMAP bitmap) { DeleteObject(bitmap); }
};

class CBitmap : public COwner<BitmapTraits> {
public:
    using COwner::COwner;
    // Loads a bitmap resource of the module; false (and nothing held) when there is none.
    bool LoadBitmap(HINSTANCE instance, UINT id)
    {
        Reset(::LoadBitmapW(instance, MAKEINTRESOURCEW(id)));
        return IsValid();
    }
};
