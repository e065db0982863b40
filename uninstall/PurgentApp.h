#pragma once
// Purgent, the suite's uninstaller: checks that the machine part of the registry can be
// written, asks once, removes the suite behind a progress dialog and offers a restart. Its
// texts come from the label file beside it; there are no built-in texts.
#include "WinApp.h"

class CLabelStore;

class CPurgentApp : public CWinApp {
public:
    CPurgentApp();

    bool InitInstance() override;
    int ExitInstance() override { return 0; }
};

namespace purge {
inline constexpr wchar_t kLabelFileName[] = L"UnInstallMAVO.xml";
CLabelStore& Labels();
// The last status when Winlogon "Userinit" could not be freed of Chimer: the label
// "UNINSTALLATION_INCOMPLETE", or an English text when the label file lacks it, so that such a
// removal never ends on an empty or a finished status.
std::wstring IncompleteText(const CLabelStore& labels);
}  // namespace purge
