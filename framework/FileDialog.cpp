#include "FileDialog.h"

#include "WinApp.h"

CFileDialog::CFileDialog(bool openFileDialog, const wchar_t* defaultExtension, const wchar_t* fileName, DWORD flags,
                         const wchar_t* filter, CWnd* parent)
    : open_(openFileDialog), file_(32768, L'\0')
{
    if (defaultExtension)
        defaultExtension_ = defaultExtension;
    if (fileName)
        lstrcpynW(file_.data(), fileName, static_cast<int>(file_.size()));
    if (filter) {
        // "Text|*.txt||" becomes "Text\0*.txt\0\0".
        for (const wchar_t* p = filter; *p; ++p)
            filter_.push_back(*p == L'|' ? L'\0' : *p);
        filter_.push_back(L'\0');
        filter_.push_back(L'\0');
    }
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.hwndOwner = parent ? parent->GetSafeHwnd() : nullptr;
    m_ofn.hInstance = CWinApp::ResourceInstance();
    m_ofn.lpstrFilter = filter_.empty() ? nullptr : filter_.data();
    m_ofn.lpstrFile = file_.data();
    m_ofn.nMaxFile = static_cast<DWORD>(file_.size());
    m_ofn.lpstrDefExt = defaultExtension_.empty() ? nullptr : defaultExtension_.c_str();
    m_ofn.Flags = flags | OFN_EXPLORER | OFN_ENABLEHOOK;
    m_ofn.lpfnHook = HookProc;
    m_ofn.lCustData = reinterpret_cast<LPARAM>(this);
}

INT_PTR CFileDialog::DoModal()
{
    BOOL ok = open_ ? ::GetOpenFileNameW(&m_ofn) : ::GetSaveFileNameW(&m_ofn);
    m_hWnd = nullptr;
    return ok ? IDOK : IDCANCEL;
}

std::wstring CFileDialog::GetPathName() const { return m_ofn.lpstrFile; }

bool CFileDialog::OnInitDialog() { return true; }
void CFileDialog::OnInitDone() {}

UINT_PTR CALLBACK CFileDialog::HookProc(HWND window, UINT msg, WPARAM, LPARAM lp)
{
    if (msg == WM_INITDIALOG) {
        // Both dialog styles pass the OPENFILENAME (or the dialog's copy of it) here.
        auto* self = reinterpret_cast<CFileDialog*>(reinterpret_cast<OPENFILENAMEW*>(lp)->lCustData);
        self->Register(window);
        return self->OnInitDialog() ? TRUE : FALSE;
    }
    auto* self = static_cast<CFileDialog*>(FromHandle(window));
    if (!self)
        return 0;
    if (msg == WM_NOTIFY && reinterpret_cast<NMHDR*>(lp)->code == CDN_INITDONE) {
        self->OnInitDone();
        return 0;
    }
    if (msg == WM_NCDESTROY)
        self->Unregister();
    return 0;
}
