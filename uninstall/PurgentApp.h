#pragma once
// Purgent, the suite's uninstaller: checks that the machine part of the registry can be
// written, asks once, removes the suite behind a progress dialog and offers a restart. Its
// texts come from the label file beside it; only the refusal of a system folder has a built-in
// text.
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
// The one text with a built-in fallback, for label files made before it: the install folder is
// one no install may use, so nothing is removed.
inline constexpr wchar_t kFolderRefusedKey[] = L"UNINSTALLATION_FOLDER_REFUSED";
inline constexpr wchar_t kFolderRefusedText[] =
    L"The uninstall cannot be completed: the installation folder named in the registry is the root folder of a "
    L"drive, the Windows folder or a folder inside it, or a Program Files folder. Nothing has been removed.";
CLabelStore& Labels();
// The last status when Winlogon "Userinit" could not be freed of Chimer: the label
// "UNINSTALLATION_INCOMPLETE", or an English text when the label file lacks it, so that such a
// removal never ends on an empty or a finished status.
std::wstring IncompleteText(const CLabelStore& labels);
// The other steps that can be left unfinished, each with its label and an English text for label
// files made before it.
inline constexpr wchar_t kFilesLeftKey[] = L"UNINSTALLATION_FILES_LEFT";
inline constexpr wchar_t kFilesLeftText[] =
    L"Tiven MAVO was not removed completely: these files or folders could not be removed:";
inline constexpr wchar_t kNoCleanupKey[] = L"UNINSTALLATION_NO_CLEANUP";
inline constexpr wchar_t kNoCleanupText[] =
    L"Tiven MAVO was not removed completely: the cleanup that removes what is left at the next logon could not "
    L"be set up.";
inline constexpr wchar_t kStartMenuLeftKey[] = L"UNINSTALLATION_START_MENU_LEFT";
inline constexpr wchar_t kStartMenuLeftText[] =
    L"Tiven MAVO was not removed completely: its Start-menu folder could not be found.";
}  // namespace purge
