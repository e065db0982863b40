#include "FileDialogEx.h"

bool CFileDialogEx::OnInitDialog()
{
    bool result = CFileDialog::OnInitDialog();
    // An old-style dialog is the hooked window itself.
    if (!(m_ofn.Flags & OFN_EXPLORER))
        SetDlgItemText(IDOK, L"OK");
    return result;
}

void CFileDialogEx::OnInitDone()
{
    // An Explorer-style dialog is the parent of the hook window.
    ::SendMessageW(GetParent(), CDM_SETCONTROLTEXT, IDOK, reinterpret_cast<LPARAM>(L"OK"));
}
