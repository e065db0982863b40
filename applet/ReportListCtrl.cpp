#include "ReportListCtrl.h"

#include <algorithm>

#include "AppletGlobals.h"

namespace {
// Extra pixels beyond the autosized width, so the text does not touch the column edge.
constexpr int kColumnSlack = 3;

// Restores the device context's state when it goes out of scope.
class SavedDC {
public:
    explicit SavedDC(HDC dc) : dc_(dc), state_(SaveDC(dc)) {}
    ~SavedDC() { RestoreDC(dc_, state_); }
    SavedDC(const SavedDC&) = delete;
    SavedDC& operator=(const SavedDC&) = delete;

private:
    HDC dc_;
    int state_;
};

void ClipTo(HDC dc, const RECT& rect)
{
    HRGN region = CreateRectRgnIndirect(&rect);
    SelectClipRgn(dc, region);
    DeleteObject(region);
}

int TextWidth(HDC dc, const std::wstring& text)
{
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}
}  // namespace

CReportListCtrl::CBulkUpdate::CBulkUpdate(CReportListCtrl& list) : list_(list), unhooked_(list.IsSubclassed())
{
    if (unhooked_)
        list_.UnsubclassWindow();
}

CReportListCtrl::CBulkUpdate::~CBulkUpdate()
{
    if (unhooked_)
        list_.SubclassWindow(list_.m_hWnd);
}

bool CReportListCtrl::Create(DWORD, const RECT& rect, HWND parent, int id)
{
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT;
    HWND list = ::CreateWindowExW(0, WC_LISTVIEWW, L"", style, rect.left, rect.top, rect.right - rect.left,
                                  rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
    return list && SubclassWindow(list);
}

int CReportListCtrl::GetColumnCount() const
{
    HWND header = GetHeaderCtrl();
    return header ? static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

std::wstring CReportListCtrl::ShortenCellText(const std::wstring& text)
{
    if (text.size() <= kMaxCellChars)
        return text;
    std::wstring shown = text.substr(0, kMaxCellChars - 3);
    shown.erase(shown.find_last_not_of(L' ') + 1);
    return shown + L"...";
}

int CReportListCtrl::InsertRow(int row, const std::wstring& text, int image)
{
    std::wstring shown = ShortenCellText(text);
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = row;
    item.pszText = &shown[0];
    item.lParam = nextRowKey_++;
    if (image >= 0) {
        item.mask |= LVIF_IMAGE;
        item.iImage = image;
    }
    return InsertItem(item);
}

void CReportListCtrl::SetRowName(int row, const std::wstring& name)
{
    SetItemText(row, 1, ShortenCellText(name));
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (GetItem(item) && item.lParam != 0)
        rowNames_[item.lParam] = name;
}

void CReportListCtrl::SetCellText(int row, int column, const std::wstring& text)
{
    SetItemText(row, column, ShortenCellText(text));
}

std::wstring CReportListCtrl::GetRowName(int row) const
{
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (GetItem(item)) {
        auto found = rowNames_.find(item.lParam);
        if (found != rowNames_.end())
            return found->second;
    }
    return GetItemText(row, 1);
}

void CReportListCtrl::ForgetRow(int row)
{
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (GetItem(item))
        rowNames_.erase(item.lParam);
}

int CReportListCtrl::DrawnWidth(int column) const
{
    // DrawItem keeps a margin of two blanks beside each text (one blank left of the first
    // column's text); the list's own sizing does not know that.
    HDC dc = ::GetDC(m_hWnd);
    HGDIOBJ oldFont = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
    const int margin = 2 * TextWidth(dc, L" ");
    int widest = 0;
    for (int row = 0, count = GetItemCount(); row < count; ++row)
        widest = std::max(widest, TextWidth(dc, GetItemText(row, column)));
    ::SelectObject(dc, oldFont);
    ::ReleaseDC(m_hWnd, dc);
    if (widest == 0)
        return 0;
    if (column > 0)
        return widest + 2 * margin;
    int icon = 0, iconHeight = 0;
    if (HIMAGELIST images = GetImageList(LVSIL_SMALL))
        ImageList_GetIconSize(images, &icon, &iconHeight);
    return icon + widest + margin + margin / 2;
}

void CReportListCtrl::AutoSizeColumns(int column)
{
    CBulkUpdate bulk(*this);
    SendMessage(WM_SETREDRAW, FALSE);
    const int count = GetColumnCount();
    int first = column < 0 ? 0 : column;
    int last = column < 0 ? count - 1 : column;
    for (int col = first; col <= last; ++col) {
        SetColumnWidth(col, LVSCW_AUTOSIZE);
        int contents = std::max(GetColumnWidth(col), DrawnWidth(col));
        SetColumnWidth(col, LVSCW_AUTOSIZE_USEHEADER);
        int header = GetColumnWidth(col);
        int width = std::max(contents, header) + kColumnSlack;
        // Sized to its header, the last column reaches the list's right edge; the slack would
        // only add a horizontal scroll bar.
        if (col == count - 1 && header >= contents + kColumnSlack)
            width = header;
        SetColumnWidth(col, width);
    }
    SendMessage(WM_SETREDRAW, TRUE);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CReportListCtrl::SelectRow(int row)
{
    int count = GetItemCount();
    if (count <= 0 || row < 0 || row >= count)
        return;
    SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
}

int CReportListCtrl::FindRowByName(const std::wstring& name) const
{
    const std::wstring& wanted = name.empty() ? Applet().currentDeviceName : name;
    int count = GetItemCount();
    if (count <= 0)
        return -1;
    for (int row = 0; row < count; ++row)
        if (GetRowName(row) == wanted)
            return row;
    return 0;
}

RECT CReportListCtrl::HighlightRect(const RECT& bounds, const RECT& label, int textWidth, int margin) const
{
    RECT rect = label;
    switch (highlightMode_) {
    case HighlightLabel:
        rect.right = std::min(rect.right, static_cast<LONG>(label.left + textWidth + margin));
        break;
    case HighlightColumns:
        rect = bounds;
        rect.left = label.left;
        break;
    case HighlightRow:
        rect = bounds;
        rect.left = label.left;
        rect.right = GetClientRect().right;
        break;
    }
    return rect;
}

bool CReportListCtrl::DrawItem(const DRAWITEMSTRUCT& draw)
{
    HDC dc = draw.hDC;
    const int item = static_cast<int>(draw.itemID);
    SavedDC saved(dc);

    LVITEMW row{};
    row.mask = LVIF_IMAGE | LVIF_STATE;
    row.iItem = item;
    row.stateMask = 0xFFFF;
    GetItem(row);

    const bool hasFocus = ::GetFocus() == m_hWnd;
    const bool showAlways = (::GetWindowLongPtrW(m_hWnd, GWL_STYLE) & LVS_SHOWSELALWAYS) != 0;
    const bool highlighted =
        (row.state & LVIS_DROPHILITED) || ((row.state & LVIS_SELECTED) && (hasFocus || showAlways));

    RECT bounds{}, label{}, icon{};
    GetItemRect(item, bounds, LVIR_BOUNDS);
    GetItemRect(item, label, LVIR_LABEL);
    GetItemRect(item, icon, LVIR_ICON);
    std::wstring text = GetItemText(item, 0);
    const int margin = 2 * TextWidth(dc, L" ");

    RECT highlight = HighlightRect(bounds, label, TextWidth(dc, text), margin);
    if (highlighted) {
        SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
        FillRect(dc, &highlight, GetSysColorBrush(COLOR_HIGHLIGHT));
    } else {
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        FillRect(dc, &highlight, GetSysColorBrush(COLOR_WINDOW));
    }

    RECT firstColumn = bounds;
    firstColumn.right = bounds.left + GetColumnWidth(0);
    ClipTo(dc, firstColumn);

    if (row.state & LVIS_STATEIMAGEMASK) {
        int stateImage = static_cast<int>((row.state & LVIS_STATEIMAGEMASK) >> 12);
        if (HIMAGELIST states = GetImageList(LVSIL_STATE))
            ImageList_Draw(states, stateImage - 1, dc, firstColumn.left, firstColumn.top, ILD_TRANSPARENT);
    }
    if (HIMAGELIST smallImages = GetImageList(LVSIL_SMALL)) {
        UINT style = ILD_TRANSPARENT | (row.state & LVIS_OVERLAYMASK);
        if (highlighted)
            style |= ILD_BLEND50;
        ImageList_Draw(smallImages, row.iImage, dc, icon.left, icon.top, style);
    }

    RECT textRect = label;
    textRect.left += margin / 2;
    textRect.right -= margin;
    ::DrawTextW(dc, text.c_str(), -1, &textRect,
                DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_NOCLIP | DT_END_ELLIPSIS);

    if (highlightMode_ == HighlightLabel) {
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    }

    RECT rowClip = bounds;
    rowClip.right = std::max(rowClip.right, highlight.right);
    ClipTo(dc, rowClip);
    DrawSubItems(dc, item, bounds, margin);

    if ((row.state & LVIS_FOCUSED) && hasFocus)
        ::DrawFocusRect(dc, &highlight);
    return true;
}

void CReportListCtrl::DrawSubItems(HDC dc, int item, const RECT& bounds, int margin)
{
    RECT cell = bounds;
    cell.right = bounds.left + GetColumnWidth(0);
    for (int column = 1;; ++column) {
        LVCOLUMNW info{};
        info.mask = LVCF_FMT | LVCF_WIDTH;
        if (!GetColumn(column, info))
            break;
        cell.left = cell.right;
        cell.right = cell.left + info.cx;
        if (highlightMode_ == HighlightLabel)
            FillRect(dc, &cell, GetSysColorBrush(COLOR_WINDOW));

        std::wstring text = GetItemText(item, column);
        if (text.empty())
            continue;
        UINT align = DT_LEFT;
        switch (info.fmt & LVCFMT_JUSTIFYMASK) {
        case LVCFMT_RIGHT:
            align = DT_RIGHT;
            break;
        case LVCFMT_CENTER:
            align = DT_CENTER;
            break;
        }
        RECT textRect = cell;
        textRect.left += margin;
        textRect.right -= margin;
        ::DrawTextW(dc, text.c_str(), -1, &textRect,
                    align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
}

void CReportListCtrl::OnFocusChange(HWND other)
{
    if (other && ::IsChild(m_hWnd, other))
        return;
    if ((::GetWindowLongPtrW(m_hWnd, GWL_STYLE) & LVS_TYPEMASK) == LVS_REPORT)
        RepaintSelectedItems();
}

void CReportListCtrl::RepaintSelectedItems()
{
    RECT bounds{}, label{};
    int focused = GetNextItem(-1, LVNI_FOCUSED);
    if (focused >= 0 && GetItemRect(focused, bounds, LVIR_BOUNDS) && GetItemRect(focused, label, LVIR_LABEL)) {
        bounds.left = label.left;
        ::InvalidateRect(m_hWnd, &bounds, FALSE);
    }
    if (!(::GetWindowLongPtrW(m_hWnd, GWL_STYLE) & LVS_SHOWSELALWAYS)) {
        for (int row = GetNextItem(-1, LVNI_SELECTED); row >= 0; row = GetNextItem(row, LVNI_SELECTED)) {
            if (GetItemRect(row, bounds, LVIR_BOUNDS) && GetItemRect(row, label, LVIR_LABEL)) {
                bounds.left = label.left;
                ::InvalidateRect(m_hWnd, &bounds, FALSE);
            }
        }
    }
    ::UpdateWindow(m_hWnd);
}

bool CReportListCtrl::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        result = Default(msg, wp, lp);
        OnFocusChange(reinterpret_cast<HWND>(wp));
        return true;
    case LVM_DELETEITEM:
        ForgetRow(static_cast<int>(wp));
        return false;
    case LVM_DELETEALLITEMS:
        rowNames_.clear();
        return false;
    }
    return false;
}
