#pragma once
// The common Open / Save As dialog. The filter is given in the "|" form
// ("Wave Files (*.wav)|*.wav||"). The dialog is always hooked: the hook dialog's
// WM_INITDIALOG reaches OnInitDialog and, for Explorer-style dialogs (OFN_EXPLORER, set by
// default), CDN_INITDONE reaches OnInitDone. For an Explorer-style dialog this object's window
// is the hook child; the visible dialog is its parent.
#include <windows.h>
#include <commdlg.h>
#include <string>
#include <vector>

#include "Wnd.h"

class CFileDialog : public CWnd {
public:
    CFileDialog(bool openFileDialog, const wchar_t* defaultExtension = nullptr, const wchar_t* fileName = nullptr,
                DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, const wchar_t* filter = nullptr,
                CWnd* parent = nullptr);

    INT_PTR DoModal();                 // IDOK or IDCANCEL
    std::wstring GetPathName() const;  // the chosen full path

    OPENFILENAMEW m_ofn{};

    // Overridables
    virtual bool OnInitDialog();
    virtual void OnInitDone();

private:
    static UINT_PTR CALLBACK HookProc(HWND window, UINT msg, WPARAM wp, LPARAM lp);

    bool open_;
    std::wstring defaultExtension_;
    std::vector<wchar_t> filter_;
    std::vector<wchar_t> file_;
};
