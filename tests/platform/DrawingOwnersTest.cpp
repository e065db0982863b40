// The owners of drawing handles: each kind of GDI object deleted when its owner goes or is
// replaced, a made DC deleted, a borrowed DC given back to the window it came from, and an icon
// destroyed; none of them when the handle was released first.
#include <gtest/gtest.h>

#include <windows.h>

#include <mutex>
#include <utility>
#include <vector>

#include "DeviceContext.h"
#include "GdiObject.h"
#include "Icon.h"
#include "ImportRedirect.h"

using testsupport::ImportRedirect;

namespace {

bool GdiObjectExists(HGDIOBJ object) { return GetObjectType(object) != 0; }

template <typename T>
void ExpectDeletedByItsOwner(T (*make)())
{
    const T first = make();
    const T second = make();
    ASSERT_TRUE(GdiObjectExists(first));
    ASSERT_TRUE(GdiObjectExists(second));
    {
        CGdiObject<T> owner(first);
        EXPECT_TRUE(owner.IsValid());
        CGdiObject<T> moved(std::move(owner));
        EXPECT_FALSE(owner.IsValid());
        EXPECT_EQ(moved.Get(), first);
        EXPECT_TRUE(GdiObjectExists(first)) << "a move deletes nothing";
        moved.Reset(second);
        EXPECT_FALSE(GdiObjectExists(first)) << "replaced";
        EXPECT_TRUE(GdiObjectExists(second));
    }
    EXPECT_FALSE(GdiObjectExists(second)) << "gone with the owner";

    const T kept = make();
    EXPECT_EQ(CGdiObject<T>(kept).Release(), kept);
    EXPECT_TRUE(GdiObjectExists(kept)) << "released, not deleted";
    DeleteObject(kept);
}

// Every ReleaseDC the owners in this program make, with the window and the DC.
std::mutex releasesLock;
std::vector<std::pair<HWND, HDC>> releases;
using ReleaseDcFn = int(WINAPI*)(HWND, HDC);
ReleaseDcFn realReleaseDc = nullptr;

int WINAPI RecordingReleaseDc(HWND window, HDC dc)
{
    {
        std::lock_guard<std::mutex> hold(releasesLock);
        releases.emplace_back(window, dc);
    }
    return realReleaseDc(window, dc);
}

std::vector<std::pair<HWND, HDC>> Releases()
{
    std::lock_guard<std::mutex> hold(releasesLock);
    return releases;
}

HICON MakeIcon()
{
    const BYTE andMask[32 * 4] = {};
    const BYTE xorMask[32 * 4] = {};
    return CreateIcon(GetModuleHandleW(nullptr), 32, 32, 1, 1, andMask, xorMask);
}

bool IconExists(HICON icon)
{
    ICONINFO info{};
    if (!GetIconInfo(icon, &info))
        return false;
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    return true;
}

}  // namespace

TEST(GdiObject, EachKindIsDeletedWhenItsOwnerGoesOrIsReplaced)
{
    {
        SCOPED_TRACE("bitmap");
        ExpectDeletedByItsOwner<HBITMAP>([] { return CreateBitmap(4, 4, 1, 1, nullptr); });
    }
    {
        SCOPED_TRACE("brush");
        ExpectDeletedByItsOwner<HBRUSH>([] { return CreateSolidBrush(RGB(1, 2, 3)); });
    }
    {
        SCOPED_TRACE("font");
        ExpectDeletedByItsOwner<HFONT>([] {
            return CreateFontW(13, 6, 0, 0, 400, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Tahoma");
        });
    }
    {
        SCOPED_TRACE("pen");
        ExpectDeletedByItsOwner<HPEN>([] { return CreatePen(PS_SOLID, 1, RGB(1, 2, 3)); });
    }
    {
        SCOPED_TRACE("any object");
        ExpectDeletedByItsOwner<HGDIOBJ>([] { return static_cast<HGDIOBJ>(CreateRectRgn(0, 0, 4, 4)); });
    }
}

TEST(DeviceContext, AMadeDcIsDeletedWithItsOwner)
{
    HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_MEMDC));
    {
        CMemoryDC owner(dc);
        CMemoryDC moved(std::move(owner));
        EXPECT_EQ(GetObjectType(dc), static_cast<DWORD>(OBJ_MEMDC));
    }
    EXPECT_EQ(GetObjectType(dc), 0u);

    HDC kept = CreateCompatibleDC(nullptr);
    EXPECT_EQ(CMemoryDC(kept).Release(), kept);
    EXPECT_EQ(GetObjectType(kept), static_cast<DWORD>(OBJ_MEMDC));
    DeleteDC(kept);
}

TEST(DeviceContext, ABorrowedDcGoesBackOnceToTheWindowItCameFrom)
{
    realReleaseDc = reinterpret_cast<ReleaseDcFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "ReleaseDC")));
    ImportRedirect redirect(L"user32.dll", "ReleaseDC", reinterpret_cast<void*>(&RecordingReleaseDc));
    ASSERT_TRUE(redirect.Active());

    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 40, 40, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    HDC client = GetDC(window);
    HDC whole = GetWindowDC(window);
    HDC screen = GetDC(nullptr);
    ASSERT_TRUE(client && whole && screen);
    {
        CWindowDC clientOwner(window, client);
        EXPECT_EQ(clientOwner.Dc(), client);
        CWindowDC moved(std::move(clientOwner));
        EXPECT_FALSE(clientOwner.IsValid());
        EXPECT_TRUE(Releases().empty()) << "a move gives nothing back";
        CWindowDC wholeOwner(window, whole);
        CWindowDC screenOwner(nullptr, screen);
    }
    // In reverse order of their owners' creation; each once, to its own window.
    const std::vector<std::pair<HWND, HDC>> expected = {{nullptr, screen}, {window, whole}, {window, client}};
    EXPECT_EQ(Releases(), expected);

    HDC kept = GetDC(window);
    const WindowDc released = CWindowDC(window, kept).Release();
    EXPECT_EQ(released.window, window);
    EXPECT_EQ(released.dc, kept);
    EXPECT_EQ(Releases().size(), expected.size()) << "released, not given back";
    ReleaseDC(window, kept);
    DestroyWindow(window);
}

TEST(Icon, IsDestroyedWhenItsOwnerGoesOrIsReplaced)
{
    HICON first = MakeIcon();
    HICON second = MakeIcon();
    ASSERT_TRUE(IconExists(first));
    ASSERT_TRUE(IconExists(second));
    {
        CIcon owner(first);
        owner.Reset(second);
        EXPECT_FALSE(IconExists(first));
        EXPECT_TRUE(IconExists(second));
    }
    EXPECT_FALSE(IconExists(second));

    HICON kept = MakeIcon();
    EXPECT_EQ(CIcon(kept).Release(), kept);
    EXPECT_TRUE(IconExists(kept));
    DestroyIcon(kept);
}
