#include "SetupPages.h"

#include <commctrl.h>

#include "LabelStore.h"
#include "SetupState.h"
#include "resource.h"

using setup::Label;
using setup::State;

namespace {
std::wstring ItemText(HWND window, int id)
{
    wchar_t text[256] = {};
    ::GetDlgItemTextW(window, id, text, 256);
    return text;
}
}  // namespace

void CSetupPage::SetNextCaption(const std::wstring& text) const
{
    ::SetDlgItemTextW(GetSheetWindow(), IDC_SHEET_NEXT, text.c_str());
}

void CSetupPage::RestoreNextCaption() const { SetNextCaption(State().nextButtonText); }

CWelComePage::CWelComePage() : CSetupPage(IDD_WELCOME) {}

bool CWelComePage::OnInitDialog()
{
    State().nextButtonText = ItemText(GetSheetWindow(), IDC_SHEET_NEXT);
    return CSetupPage::OnInitDialog();
}

bool CWelComePage::OnSetActive()
{
    SetWizardButtons(PSWIZB_NEXT);
    if (State().nextButtonText.empty())
        State().nextButtonText = ItemText(GetSheetWindow(), IDC_SHEET_NEXT);
    RestoreNextCaption();
    return CSetupPage::OnSetActive();
}

namespace {
constexpr const wchar_t* kOfferedLanguages[] = {L" ENGLISH", L" JAPANESE"};
}

CLanguage::CLanguage() : CSetupPage(IDD_LANGUAGE)
{
    if (!State().silentMode)
        State().languageIndex = 1;   // Japanese is the default of the wizard
}

bool CLanguage::OnSetActive()
{
    SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    HWND list = GetDlgItem(IDC_LANGUAGE_LIST);
    ::SendMessageW(list, CB_RESETCONTENT, 0, 0);
    for (const wchar_t* name : kOfferedLanguages)
        ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    ::SendMessageW(list, CB_SETCURSEL, State().languageIndex, 0);
    RestoreNextCaption();
    return CSetupPage::OnSetActive();
}

bool CLanguage::OnCommand(int id, int code, HWND control)
{
    if (id == IDC_LANGUAGE_LIST && code == CBN_SELCHANGE) {
        LRESULT item = ::SendMessageW(control, CB_GETCURSEL, 0, 0);
        if (item != CB_ERR)
            State().languageIndex = static_cast<DWORD>(item);
        return true;
    }
    return CSetupPage::OnCommand(id, code, control);
}

CSelectControler::CSelectControler() : CSetupPage(IDD_SELECT_CONTROLLER) {}

void CSelectControler::ShowExplanation(DWORD wireType)
{
    static constexpr const wchar_t* kExplanations[setup::kWireKinds] = {
        L"SELECT_CONTROLLER_GAI1", L"SELECT_CONTROLLER_GAI2", L"SELECT_CONTROLLER_GAI3"};
    SetDlgItemText(IDC_CONTROLLER_EXPLANATION, wireType < setup::kWireKinds ? Label(kExplanations[wireType]) : L"");
}

bool CSelectControler::OnSetActive()
{
    HWND list = GetDlgItem(IDC_CONTROLLER_LIST);
    ::SendMessageW(list, CB_RESETCONTENT, 0, 0);
    for (const wchar_t* key : {L"4_8WIRE", L"5WIRE"})
        ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Label(key).c_str()));
    SetDlgItemText(IDC_CONTROLLER_HEAD, Label(L"SELECT_CONTROLLER"));
    ::SendMessageW(list, CB_SETCURSEL, State().wireType, 0);
    ShowExplanation(State().wireType);
    SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    RestoreNextCaption();
    return CSetupPage::OnSetActive();
}

bool CSelectControler::OnCommand(int id, int code, HWND control)
{
    if (id == IDC_CONTROLLER_LIST && code == CBN_SELCHANGE) {
        LRESULT item = ::SendMessageW(control, CB_GETCURSEL, 0, 0);
        if (item != CB_ERR) {
            State().wireType = static_cast<DWORD>(item);
            ShowExplanation(State().wireType);
        }
        return true;
    }
    return CSetupPage::OnCommand(id, code, control);
}

CLicencePage::CLicencePage() : CSetupPage(IDD_LICENCE) {}

bool CLicencePage::OnSetActive()
{
    SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    std::wstring text = Label(L"LICENCE");
    SetNextCaption(Label(L"NEXT"));
    // The label file writes line breaks as bare line feeds; the edit control wants CR LF.
    std::wstring shown;
    for (wchar_t c : text) {
        if (c == L'\n' && (shown.empty() || shown.back() != L'\r'))
            shown += L'\r';
        shown += c;
    }
    SetDlgItemText(IDC_LICENCE_TEXT, shown);
    return CSetupPage::OnSetActive();
}
