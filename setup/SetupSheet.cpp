#include "SetupSheet.h"

#include "LabelStore.h"
#include "SetupState.h"
#include "XmlLabelLoader.h"
#include "resource.h"

using setup::Label;
using setup::State;

CSetupSheet::CSetupSheet(const std::wstring& caption, HWND parent, UINT startPage)
    : CPropertySheet(caption, parent, startPage)
{
    for (CPropertyPage* page : std::initializer_list<CPropertyPage*>{&welcome_, &language_, &controller_, &clone_,
                                                                     &licence_, &folder_, &status_})
        AddPage(page);
    SetWizardMode();
}

bool CSetupSheet::OnInitDialog()
{
    ::ShowWindow(GetDlgItem(IDC_SHEET_HELP), SW_HIDE);
    CXmlLabelLoader loader;
    std::wstring file = State().setupFolder + L"\\" + setup::kLabelFileName;
    if (loader.Load(file.c_str()))
        loader.FillStore(setup::Labels());
    return true;
}

bool CSetupSheet::AskExit()
{
    if (State().installing)
        return false;
    int answer = ::MessageBoxW(m_hWnd, Label(L"SETUP_EXIT").c_str(), setup::ExitTitleLabel().c_str(),
                               MB_YESNO | MB_ICONQUESTION);
    return answer == IDYES;
}

bool CSetupSheet::OnCommand(int id, int code, HWND control)
{
    if (id == IDCANCEL) {
        if (AskExit())
            ExitProcess(0);
        return true;   // No, or the install runs: the wizard stays
    }
    return CPropertySheet::OnCommand(id, code, control);
}

bool CSetupSheet::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (msg == WM_SYSCOMMAND && (wp & 0xFFF0) == SC_CLOSE) {
        if (AskExit()) {
            Default(msg, wp, lp);
            ExitProcess(0);
        }
        result = 0;
        return true;
    }
    return CPropertySheet::OnMessage(msg, wp, lp, result);
}
