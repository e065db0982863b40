#include "HelpPrSheet.h"

#include "Dialog.h"
#include "PropertyPage.h"
#include "WinApp.h"

namespace {
// Posted for F1 by the system's keyboard handling, before it becomes WM_HELP.
constexpr UINT WM_KEYF1 = 0x004D;
}

bool CHelpPrSheet::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYF1 && !(GetKeyState(VK_SHIFT) & 0x8000)) {
        SendCommandHelpToActivePage();
        return true;
    }
    return CPropertySheet::PreTranslateMessage(msg);
}

bool CHelpPrSheet::OnInitDialog()
{
    bool result = CPropertySheet::OnInitDialog();
    ModifyStyleEx(0, WS_EX_CONTEXTHELP);
    return result;
}

bool CHelpPrSheet::OnHelpInfo(HELPINFO* info)
{
    if (info && info->iContextType == HELPINFO_WINDOW) {
        if (CWinApp* app = CWinApp::Current())
            app->WinHelp(info->dwContextId, HELP_CONTEXTPOPUP);
    }
    return true;
}

void CHelpPrSheet::SendCommandHelpToActivePage()
{
    if (CPropertyPage* page = GetActivePage())
        page->SendMessage(WM_COMMANDHELP, 0, 0);
}
