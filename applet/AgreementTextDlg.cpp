#include "AgreementTextDlg.h"

#include "ControlLabels.h"
#include "DataExchange.h"
#include "LabelKeys.h"
#include "LabelStore.h"
#include "resource.h"

CAgreementTextDlg::CAgreementTextDlg(HWND parent) : CDialog(IDD_AGREEMENT_TEXT, parent) {}

std::wstring WithEditLineBreaks(const std::wstring& text)
{
    std::wstring shown;
    shown.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\n' && (i == 0 || text[i - 1] != L'\r'))
            shown += L'\r';
        shown += text[i];
    }
    return shown;
}

void CAgreementTextDlg::LoadText(const CLabelStore& labels)
{
    labels_ = &labels;
    text_ = WithEditLineBreaks(labels.Lookup(LabelKey::LAB_LICENSE_TEXT));
}

void CAgreementTextDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Control(dx, IDC_AGR_TEXT, textEdit_);
    DDX_Text(dx, IDC_AGR_TEXT, text_);
}

bool CAgreementTextDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (!labels_)
        return true;
    const ControlLabel closeLabel[] = {{IDCANCEL, LabelKey::LCLOSE}};
    ApplyControlLabels(m_hWnd, *labels_, closeLabel);
    const std::wstring caption = labels_->Lookup(LabelKey::LAB_LICENSE_INFO);
    if (!caption.empty())
        SetWindowText(caption);
    return true;
}
