#pragma once
// A list box by its handle.
#include <windows.h>
#include <string>

#include "Wnd.h"

class CListBox : public CWnd {
public:
    int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
    int SetCurSel(int index) { return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(index))); }
    int AddString(const std::wstring& text) { return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()))); }
    void ResetContent() { SendMessage(LB_RESETCONTENT); }
    std::wstring GetText(int index) const
    {
        LRESULT length = SendMessage(LB_GETTEXTLEN, static_cast<WPARAM>(index));
        if (length == LB_ERR)
            return std::wstring();
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        LRESULT got = SendMessage(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
        text.resize(got == LB_ERR ? 0 : static_cast<size_t>(got));
        return text;
    }
};
