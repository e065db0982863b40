#include "PropertyPage.h"

#include "WinApp.h"

CPropertyPage::CPropertyPage(UINT templateId) : CDialog(templateId)
{
    psp_.dwSize = sizeof psp_;
    psp_.dwFlags = PSP_DEFAULT;
    psp_.hInstance = CWinApp::ResourceInstance();
    psp_.pszTemplate = MAKEINTRESOURCEW(templateId);
    psp_.pfnDlgProc = PageProc;
    psp_.lParam = reinterpret_cast<LPARAM>(this);
}

void CPropertyPage::SetCaption(const std::wstring& caption)
{
    caption_ = caption;
    psp_.dwFlags |= PSP_USETITLE;
    psp_.pszTitle = caption_.c_str();
}

void CPropertyPage::SetModified(bool changed)
{
    HWND sheet = GetSheetWindow();
    if (sheet)
        ::SendMessageW(sheet, changed ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CPropertyPage::SetWizardButtons(DWORD flags) const
{
    ::PostMessageW(GetSheetWindow(), PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(flags));
}

bool CPropertyPage::OnSetActive()
{
    if (firstSetActive_)
        firstSetActive_ = false;
    else
        UpdateData(false);
    return true;
}

bool CPropertyPage::OnKillActive() { return UpdateData(true); }

bool CPropertyPage::OnApply()
{
    OnOK();
    return true;
}

void CPropertyPage::OnOK() {}
void CPropertyPage::OnCancel() {}
bool CPropertyPage::OnQueryCancel() { return true; }
LRESULT CPropertyPage::OnWizardBack() { return 0; }
LRESULT CPropertyPage::OnWizardNext() { return 0; }
bool CPropertyPage::OnWizardFinish() { return true; }

bool CPropertyPage::OnNotify(NMHDR* header, LRESULT& result)
{
    // Only the sheet's notices; those of the page's own controls go to the derived page.
    if (header->hwndFrom != GetSheetWindow())
        return false;
    switch (header->code) {
    case PSN_SETACTIVE:
        result = OnSetActive() ? 0 : -1;   // -1: the sheet does not show this page
        return true;
    case PSN_KILLACTIVE:
        result = OnKillActive() ? FALSE : TRUE;   // TRUE keeps the page
        return true;
    case PSN_APPLY:
        result = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        return true;
    case PSN_RESET:
        OnCancel();
        result = 0;
        return true;
    case PSN_QUERYCANCEL:
        result = OnQueryCancel() ? FALSE : TRUE;   // TRUE keeps the sheet open
        return true;
    case PSN_WIZBACK:
        result = OnWizardBack();   // 0, -1 or the template id of the page to show
        return true;
    case PSN_WIZNEXT:
        result = OnWizardNext();
        return true;
    case PSN_WIZFINISH:
        result = OnWizardFinish() ? FALSE : TRUE;   // TRUE keeps the wizard open
        return true;
    case PSN_HELP:
        ::SendMessageW(GetSheetWindow(), WM_COMMAND, MAKEWPARAM(kHelpCommandId, BN_CLICKED), 0);
        result = 0;
        return true;
    }
    return false;
}

INT_PTR CALLBACK CPropertyPage::PageProc(HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    CDialog* self = nullptr;
    if (msg == WM_INITDIALOG) {
        // For a page, WM_INITDIALOG carries the PROPSHEETPAGE the sheet was given.
        self = reinterpret_cast<CPropertyPage*>(reinterpret_cast<PROPSHEETPAGEW*>(lp)->lParam);
        static_cast<CPropertyPage*>(self)->Register(window);
    } else {
        self = static_cast<CDialog*>(FromHandle(window));
    }
    return Route(self, window, msg, wp, lp);
}
