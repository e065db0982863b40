#pragma once
// Owners of GDI objects: bitmaps, brushes, fonts, pens, or any of them as HGDIOBJ. Each deletes
// its object with DeleteObject when it goes or is replaced. An object is never deleted while it
// is selected into a DC: code that selects one selects the old object back before its owner goes.
#include <windows.h>

#include "Owner.h"

template <typename T>
struct GdiObjectTraits : NullHandleTraits<T> {
    static void Close(T object) { DeleteObject(object); }
};

template <typename T>
class CGdiObject : public COwner<GdiObjectTraits<T>> {
    using Base = COwner<GdiObjectTraits<T>>;

public:
    using Base::Base;
};

using CBrush = CGdiObject<HBRUSH>;
using CFont = CGdiObject<HFONT>;
using CPen = CGdiObject<HPEN>;
