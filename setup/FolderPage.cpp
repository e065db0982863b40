#include <shlobj.h>

#include <vector>

#include "InstallFiles.h"
#include "InstallFolderGuard.h"
#include "SetupPages.h"
#include "SetupState.h"
#include "resource.h"

using setup::Label;
using setup::State;

CSelectFolder::CSelectFolder() : CSetupPage(IDD_SELECT_FOLDER)
{
    State().installFolder = setup::kDefaultInstallFolder;
    State().installFolderBrowsed = false;
}

bool CSelectFolder::OnSetActive()
{
    SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    SetDlgItemText(IDC_FOLDER_HEAD, Label(L"SETUP_FOLDER"));
    SetDlgItemText(IDC_FOLDER_BROWSE, Label(L"BROWSE"));
    SetDlgItemText(IDC_FOLDER_PATH, State().installFolder);
    RestoreNextCaption();
    return true;
}

bool CSelectFolder::OnButtonClicked(int id)
{
    if (id == IDC_FOLDER_BROWSE) {
        OnBrowse();
        return true;
    }
    return CSetupPage::OnButtonClicked(id);
}

// The system's folder picker; the field is disabled, so the folder changes only here.
void CSelectFolder::OnBrowse()
{
    CoInitialize(nullptr);
    BROWSEINFOW info{};
    info.hwndOwner = m_hWnd;
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
    if (chosen) {
        std::vector<wchar_t> path(32768, L'\0');
        if (SHGetPathFromIDListEx(chosen, path.data(), static_cast<DWORD>(path.size()), GPFIDL_DEFAULT)) {
            State().installFolder = path.data();
            State().installFolderBrowsed = true;
            SetDlgItemText(IDC_FOLDER_PATH, State().installFolder);
        }
        CoTaskMemFree(chosen);
    }
    CoUninitialize();
}

LRESULT CSelectFolder::OnWizardNext()
{
    // The install uses the folder without blanks around it; that is the one checked.
    const std::wstring folder = setup::Trimmed(State().installFolder);
    if (!IsUnsafeInstallFolder(folder))
        return CSetupPage::OnWizardNext();
    std::wstring text = folder + L"\n\n" + setup::LabelOr(setup::kFolderRefusedKeyPart, setup::kFolderRefusedText);
    ::MessageBoxW(m_hWnd, text.c_str(), setup::LabelOr(L"TIVEN_MAVO", setup::kProductTitle).c_str(),
                  MB_OK | MB_ICONEXCLAMATION);
    return -1;
}
