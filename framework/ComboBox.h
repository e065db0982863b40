#pragma once
// A combo box by its handle.
#include <windows.h>
#include <string>

#include "Wnd.h"

class CComboBox : public CWnd {
public:
    int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
    int SetCurSel(int index) { return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index))); }
    int AddString(const std::wstring& text) { return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()))); }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
    // The first entry whose text equals this one exactly, case included, or CB_ERR. Not
    // CB_FINDSTRINGEXACT, which ignores case (an entry "com2" would stand for "COM2").
    int FindExactText(const std::wstring& text) const
    {
        for (int i = 0, n = GetCount(); i < n; ++i)
            if (GetLBText(i) == text)
                return i;
        return CB_ERR;
    }
    std::wstring GetLBText(int index) const
    {
        LRESULT length = SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
        if (length == CB_ERR)
            return std::wstring();
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        LRESULT got = SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
        text.resize(got == CB_ERR ? 0 : static_cast<size_t>(got));
        return text;
    }
};
