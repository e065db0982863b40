#include "PurgentApp.h"

#include <commctrl.h>

#include "LabelStore.h"
#include "MachineRights.h"
#include "ModuleName.h"
#include "PurgentDlg.h"
#include "XmlLabelLoader.h"

namespace purge {
CLabelStore& Labels()
{
    static CLabelStore store;
    return store;
}

std::wstring IncompleteText(const CLabelStore& labels)
{
    return labels.TextOr(L"UNINSTALLATION_INCOMPLETE",
                         L"Tiven MAVO was not removed completely: Windows still starts Chimer at logon, because the "
                         L"Winlogon \"Userinit\" value could not be changed.");
}
}  // namespace purge

namespace {
constexpr wchar_t kNoPrivilege[] = L"You do not have the proper privilege level to remove the Tiven MAVO.";
constexpr wchar_t kProductTitle[] = L"Tiven MAVO";

int AskLabel(const wchar_t* textKey, const wchar_t* captionKey)
{
    const CLabelStore& labels = purge::Labels();
    return MessageBoxW(nullptr, labels.Lookup(textKey).c_str(), labels.Lookup(captionKey).c_str(),
                       MB_YESNO | MB_ICONQUESTION);
}
}  // namespace

CPurgentApp::CPurgentApp() : CWinApp(L"Purgent") {}

bool CPurgentApp::InitInstance()
{
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);

    if (!MayWriteMachineRegistry()) {
        MessageBoxW(nullptr, kNoPrivilege, kProductTitle, MB_OK);
        return false;
    }
    CXmlLabelLoader loader;
    // The label file is beside the program, wherever it was started from (a Start-menu link
    // starts it in "c:\").
    std::wstring labels = ModuleFolder(nullptr) + L"\\" + purge::kLabelFileName;
    if (loader.Load(labels.c_str()))
        loader.FillStore(purge::Labels());

    if (AskLabel(L"DELETE_CONFIRMATION", L"DELETE_CONFIRMATION_TITLE") != IDYES)
        return false;
    CPurgentDlg dialog;
    INT_PTR result = dialog.DoModal();
    if (result == IDOK && !dialog.RemovalFailed() &&
        AskLabel(L"RESTART_CONFIRM_MSG", L"RESTART_WINDOWS_TITLE") == IDYES)
        RestartWindows();
    return false;
}
