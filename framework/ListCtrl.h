#pragma once
// A list-view control by its handle. Each method is one message to the control. A list that
// handles some of its own messages hooks itself (CWnd::SubclassWindow); an owner-drawn one
// overrides DrawItem, which its parent's WM_DRAWITEM reaches by reflection.
#include <windows.h>
#include <commctrl.h>
#include <string>

#include "Wnd.h"

class CListCtrl : public CWnd {
public:
    // Attributes
    int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
    HWND GetHeaderCtrl() const { return reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER)); }
    int GetColumnWidth(int column) const { return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column))); }
    bool SetColumnWidth(int column, int width)
    {
        return SendMessage(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0)) != FALSE;
    }
    bool GetColumn(int column, LVCOLUMNW& info) const
    {
        return SendMessage(LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info)) != FALSE;
    }
    UINT GetItemState(int item, UINT mask) const { return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(item), mask)); }
    bool SetItemState(int item, UINT state, UINT mask)
    {
        LVITEMW lvi{};
        lvi.stateMask = mask;
        lvi.state = state;
        return SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lvi)) != FALSE;
    }
    bool GetItem(LVITEMW& item) const { return SendMessage(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) != FALSE; }
    bool SetItem(const LVITEMW& item) { return SendMessage(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item)) != FALSE; }
    // The item's text in a column, of any length.
    std::wstring GetItemText(int item, int column) const
    {
        std::wstring text;
        for (size_t size = 64;; size *= 2) {
            text.assign(size, L'\0');
            LVITEMW lvi{};
            lvi.iSubItem = column;
            lvi.pszText = &text[0];
            lvi.cchTextMax = static_cast<int>(size);
            LRESULT length = SendMessage(LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lvi));
            if (length < 0)
                length = 0;
            if (static_cast<size_t>(length) + 1 < size) {
                text.resize(static_cast<size_t>(length));
                return text;
            }
        }
    }
    bool SetItemText(int item, int column, const std::wstring& text)
    {
        LVITEMW lvi{};
        lvi.iSubItem = column;
        lvi.pszText = const_cast<wchar_t*>(text.c_str());
        return SendMessage(LVM_SETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lvi)) != FALSE;
    }
    // LVNI_SELECTED, LVNI_FOCUSED, ... after `start` (-1: from the first item); -1 when none.
    int GetNextItem(int start, UINT flags) const
    {
        return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(start), MAKELPARAM(flags, 0)));
    }
    UINT GetSelectedCount() const { return static_cast<UINT>(SendMessage(LVM_GETSELECTEDCOUNT)); }
    // LVIR_BOUNDS, LVIR_LABEL, LVIR_ICON.
    bool GetItemRect(int item, RECT& rect, int code) const
    {
        rect.left = code;
        return SendMessage(LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&rect)) != FALSE;
    }
    HIMAGELIST GetImageList(int which) const { return reinterpret_cast<HIMAGELIST>(SendMessage(LVM_GETIMAGELIST, static_cast<WPARAM>(which))); }
    // The list view destroys its image lists with its window unless it has LVS_SHAREIMAGELISTS;
    // a list it replaces comes back and is the caller's again.
    HIMAGELIST SetImageList(HIMAGELIST list, int which)
    {
        return reinterpret_cast<HIMAGELIST>(SendMessage(LVM_SETIMAGELIST, static_cast<WPARAM>(which), reinterpret_cast<LPARAM>(list)));
    }
    int GetStringWidth(const std::wstring& text) const
    {
        return static_cast<int>(SendMessage(LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text.c_str())));
    }

    // Operations
    int InsertColumn(int column, const std::wstring& heading, int format = LVCFMT_LEFT, int width = -1)
    {
        LVCOLUMNW col{};
        col.mask = LVCF_TEXT | LVCF_FMT;
        col.fmt = format;
        col.pszText = const_cast<wchar_t*>(heading.c_str());
        if (width >= 0) {
            col.mask |= LVCF_WIDTH;
            col.cx = width;
        }
        return static_cast<int>(SendMessage(LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&col)));
    }
    int InsertItem(const LVITEMW& item) { return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item))); }
    bool DeleteItem(int item) { return SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(item)) != FALSE; }
    bool DeleteAllItems() { return SendMessage(LVM_DELETEALLITEMS) != FALSE; }
    bool RedrawItems(int first, int last) { return SendMessage(LVM_REDRAWITEMS, static_cast<WPARAM>(first), last) != FALSE; }
};
