#pragma once
// An image list the object owns: destroyed with the object unless handed over first. A control
// that destroys its image lists itself (a list view without LVS_SHAREIMAGELISTS) takes the list
// with Detach, so exactly one owner destroys it:
//     list.SetImageList(images.Detach(), LVSIL_SMALL);
#include <windows.h>
#include <commctrl.h>

class CImageList {
public:
    CImageList() = default;
    ~CImageList() { DeleteImageList(); }
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    // Cuts a bitmap resource into images `width` pixels wide; `mask` is the transparent colour.
    bool Create(HINSTANCE instance, UINT bitmapId, int width, COLORREF mask)
    {
        DeleteImageList();
        list_ = ImageList_LoadImageW(instance, MAKEINTRESOURCEW(bitmapId), width, 1, mask, IMAGE_BITMAP,
                                     LR_CREATEDIBSECTION);
        return list_ != nullptr;
    }
    void DeleteImageList()
    {
        if (list_)
            ImageList_Destroy(list_);
        list_ = nullptr;
    }
    // Hands the list over: the object forgets it and the receiver destroys it from now on.
    HIMAGELIST Detach()
    {
        HIMAGELIST list = list_;
        list_ = nullptr;
        return list;
    }
    HIMAGELIST GetSafeHandle() const { return list_; }
    int GetImageCount() const { return list_ ? ImageList_GetImageCount(list_) : 0; }

private:
    HIMAGELIST list_ = nullptr;
};
