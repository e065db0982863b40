// Who destroys an image list. The wrapper destroys what it holds; Detach hands the list to a
// new owner, such as a list view, which (without LVS_SHAREIMAGELISTS) destroys its image lists
// with its window. Each destroy is counted through the list's reference count: an image list is
// a COM object, and each destroy releases one reference the test does not hold.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <unknwn.h>

#include <memory>

#include "FrameworkTestResource.h"
#include "ImageList.h"
#include "WinApp.h"

namespace {
// Holds two extra references, so the list outlives up to two destroys by others; Destroys()
// tells how many happened and lets go of the list.
class DestroyCounter {
public:
    explicit DestroyCounter(HIMAGELIST list) : list_(reinterpret_cast<IUnknown*>(list))
    {
        list_->AddRef();
        held_ = list_->AddRef();   // the count with both extra references
    }
    int Destroys()
    {
        // Each destroy by others has taken one reference; then ours go, and nothing more.
        ULONG left = list_->Release();
        const int destroys = static_cast<int>(held_) - 1 - static_cast<int>(left);
        if (left > 0)
            list_->Release();
        return destroys;
    }

private:
    IUnknown* list_;
    ULONG held_ = 0;
};

HIMAGELIST TwoImages(CImageList& list)
{
    EXPECT_TRUE(list.Create(CWinApp::ResourceInstance(), IDB_TWO_IMAGES, 16, RGB(255, 255, 255)));
    EXPECT_EQ(list.GetImageCount(), 2);
    return list.GetSafeHandle();
}
}  // namespace

TEST(ImageList, TheWrapperDestroysWhatItHolds)
{
    HIMAGELIST handle = nullptr;
    std::unique_ptr<DestroyCounter> counter;
    {
        CImageList list;
        handle = TwoImages(list);
        ASSERT_NE(handle, nullptr);
        counter = std::make_unique<DestroyCounter>(handle);
    }
    EXPECT_EQ(counter->Destroys(), 1);
}

TEST(ImageList, DetachHandsTheListOver)
{
    HIMAGELIST handle = nullptr;
    {
        CImageList list;
        TwoImages(list);
        handle = list.Detach();
        EXPECT_EQ(list.GetSafeHandle(), nullptr);
        EXPECT_EQ(list.GetImageCount(), 0);
    }
    ASSERT_NE(handle, nullptr);
    DestroyCounter counter(handle);
    EXPECT_EQ(ImageList_GetImageCount(handle), 2) << "still there after the wrapper went";
    EXPECT_TRUE(ImageList_Destroy(handle)) << "the new owner destroys it";
    EXPECT_EQ(counter.Destroys(), 1);
}

TEST(ImageList, AListViewDestroysItsListsUnlessTheyAreShared)
{
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    const struct {
        DWORD style;
        int destroys;
    } cases[] = {{LVS_REPORT, 1}, {LVS_REPORT | LVS_SHAREIMAGELISTS, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        HWND view = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_POPUP | c.style, 0, 0, 100, 100, nullptr, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(view, nullptr);
        CImageList list;
        TwoImages(list);
        HIMAGELIST handle = list.Detach();
        DestroyCounter counter(handle);
        EXPECT_EQ(SendMessageW(view, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(handle)), 0);
        DestroyWindow(view);
        const int destroys = counter.Destroys();
        EXPECT_EQ(destroys, c.destroys);
        if (destroys == 0)
            ImageList_Destroy(handle);   // shared: its owner destroys it
    }
}
