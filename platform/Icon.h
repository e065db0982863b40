#pragma once
// Owner of an icon the program made or loaded as its own copy (CreateIconIndirect, LoadImage
// without LR_SHARED): destroyed with DestroyIcon. Shared icons (LoadIcon, LR_SHARED) belong to
// the system and are never put in an owner.
#include <windows.h>

#include "Owner.h"

struct IconTraits : NullHandleTraits<HICON> {
    static void Close(HICON icon) { DestroyIcon(icon); }
};

class CIcon : public COwner<IconTraits> {
public:
    using COwner::COwner;
};
