#include "AboutDlg.h"

#include "LabelStore.h"

bool CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    ApplyControlLabels(m_hWnd, labels_, texts_, textCount_);
    const std::wstring caption = labels_.Lookup(captionKey_);
    if (!caption.empty())
        SetWindowText(caption);
    return true;
}
