#pragma once
// The applet's owner-drawn report list: each row is painted by DrawItem so the selection
// highlight covers the whole row, also while the list does not have the focus. Rows carry the
// full device name they stand for; the cells show texts of at most kMaxCellChars characters, so
// a long name is shortened on screen but the row is still found and compared by its full name.
#include <windows.h>
#include <commctrl.h>

#include <map>
#include <string>

#include "ListCtrl.h"

class CReportListCtrl : public CListCtrl {
public:
    // What a selected row highlights: the first label only, all columns, or the row up to the
    // right edge of the list.
    enum HighlightMode { HighlightLabel = 0, HighlightColumns = 1, HighlightRow = 2 };

    // Longest text a cell shows; a longer one is cut and ends in "...".
    static constexpr size_t kMaxCellChars = 29;

    CReportListCtrl() = default;

    // While one lives, the list's messages go straight to the list, past the hook. For filling
    // and sizing many rows at once: the hook follows only focus changes and deletions, and every
    // message through a window subclass costs the subclass lookups (in Wine three window-property
    // requests to the server each, the bulk of filling a list of 64 devices). Nothing that
    // deletes rows or moves the focus may happen meanwhile. Nested ones leave it to the outer.
    class CBulkUpdate {
    public:
        explicit CBulkUpdate(CReportListCtrl& list);
        ~CBulkUpdate();
        CBulkUpdate(const CBulkUpdate&) = delete;
        CBulkUpdate& operator=(const CBulkUpdate&) = delete;

    private:
        CReportListCtrl& list_;
        bool unhooked_;
    };

    // Creates the list as a bordered report-view child of `parent`, whatever style is asked for.
    bool Create(DWORD style, const RECT& rect, HWND parent, int id);

    // Attributes
    int GetColumnCount() const;
    int HighlightModeValue() const { return highlightMode_; }
    void SetHighlightMode(int mode) { highlightMode_ = mode; }
    // The full name a row stands for (the one given to SetRowName; else the column-1 text).
    std::wstring GetRowName(int row) const;

    // Operations
    // Adds a row at `row` (past the end: appended) with its column-0 text and image; returns its
    // index or -1.
    int InsertRow(int row, const std::wstring& text, int image = -1);
    // Shows the name in column 1 (shortened when long) and keeps the full name for the row.
    void SetRowName(int row, const std::wstring& name);
    // Sets a cell's text, shortened when long.
    void SetCellText(int row, int column, const std::wstring& text);
    // Sizes each column (or only `column`) to the wider of its contents (as drawn) and its
    // header, plus a little slack.
    void AutoSizeColumns(int column = -1);
    // Selects the row (without moving the focus) when it exists; otherwise nothing.
    void SelectRow(int row);
    // The first row whose name equals `name` exactly; an empty name means the current device.
    // When no row matches: 0 in a list with rows, -1 in an empty list.
    int FindRowByName(const std::wstring& name) const;
    // The first selected row, or -1.
    int GetSelectedRow() const { return GetNextItem(-1, LVNI_SELECTED); }

    static std::wstring ShortenCellText(const std::wstring& text);

    // Overridables
    // Paints one row: the WM_DRAWITEM the list sends its parent comes back here by reflection.
    bool DrawItem(const DRAWITEMSTRUCT& item) override;

protected:
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void OnFocusChange(HWND other);
    void RepaintSelectedItems();

private:
    RECT HighlightRect(const RECT& bounds, const RECT& label, int textWidth, int margin) const;
    void DrawSubItems(HDC dc, int item, const RECT& bounds, int margin);
    void ForgetRow(int row);
    // Width a column needs for DrawItem to show its widest text without an ellipsis.
    int DrawnWidth(int column) const;

    int highlightMode_ = HighlightRow;
    // Full names by row key (the item's lParam); rows keep their key when others are inserted
    // or deleted.
    std::map<LPARAM, std::wstring> rowNames_;
    LPARAM nextRowKey_ = 1;
};
