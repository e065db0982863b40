#include "AboutPage.h"

#include "AgreementTextDlg.h"
#include "AppletGlobals.h"
#include "ControlLabels.h"
#include "LabelKeys.h"
#include "resource.h"

namespace {
const ControlLabel kLabels[] = {
    {IDC_AB_DRIVER, LabelKey::LAB_TOUCHSCREEN_DRIVER},
    {IDC_AB_COMPANY, LabelKey::LAB_COMPANY},
    {IDC_AB_COPYRIGHT, LabelKey::LAB_COPYRIGHT},
    {IDC_AB_DRIVER_VERSION, LabelKey::LAB_DRIVER_VERSION},
    {IDC_AB_BUILD, LabelKey::LAB_BUILD},
    {IDC_AB_SUPPORT, LabelKey::LAB_SUPPORT},
    {IDC_AB_LICENCE, LabelKey::LAB_LICENSE},
};
}  // namespace

CAboutPage::CAboutPage() : CDevicePage(IDD_ABOUT) { Psp().dwFlags |= PSP_HASHELP; }

bool CAboutPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    ApplyControlLabels(m_hWnd, Applet().labelStore, kLabels);
    return true;
}

bool CAboutPage::OnSetActive()
{
    if (RedirectWhenNoControllerLeft())
        return false;
    return CPropertyPage::OnSetActive();
}

bool CAboutPage::OnButtonClicked(int id)
{
    switch (id) {
    case IDC_AB_SUPPORT:
        OnSupport();
        return true;
    case IDC_AB_LICENCE:
        OnLicence();
        return true;
    }
    return CPropertyPage::OnButtonClicked(id);
}

void CAboutPage::OnSupport()
{
    // No built-in texts: without the labels the box is empty.
    const CLabelStore& labels = Applet().labelStore;
    MessageBoxW(m_hWnd, labels.Lookup(LabelKey::LAB_SUPPORT_TEXT).c_str(),
                labels.Lookup(LabelKey::LAB_SUPPORT_INFO).c_str(), MB_ICONINFORMATION);
}

void CAboutPage::OnLicence()
{
    CAgreementTextDlg dialog(m_hWnd);
    dialog.LoadText(Applet().labelStore);
    dialog.DoModal();
}
