#pragma once
// An image list the object owns: destroyed with the object unless handed over first. A control
// that destroys its image lists itself (a list view without LVS_SHAREIMAGELISTS) takes the list
// with Detach, so exactly one owner destroys it:
//     list.SetImageList(images.Detach(), LVSIL_SMALL);
#include <windows.h>
#include <commctrl.h>

#include "Owner.h"

struct ImageListTraits : NullHandleTraits<HIMAGELIST> {
    static void Close(HIMAGELIST list) { ImageList_Destroy(list); }
};

class CImageList {
public:
    // Cuts a bitmap resource into images `width` pixels wide; `mask` is the transparent colour.
    bool Create(HINSTANCE instance, UINT bitmapId, int width, COLORREF mask)
    {
        DeleteImageList();
        list_.Reset(ImageList_LoadImageW(instance, MAKEINTRESOURCEW(bitmapId), width, 1, mask, IMAGE_BITMAP,
                                         LR_CREATEDIBSECTION));
        return list_.IsValid();
    }
    void DeleteImageList() { list_.Reset(); }
    // Hands the list over: the object forgets it and the receiver destroys it from now on.
    HIMAGELIST Detach() { return list_.Release(); }
    HIMAGELIST GetSafeHandle() const { return list_.Get(); }
    int GetImageCount() const { return list_ ? ImageList_GetImageCount(list_.Get()) : 0; }

private:
    COwner<ImageListTraits> list_;
};
