#include "StatusPage.h"

#include <commctrl.h>

#include "CleanupTakeback.h"
#include "CloneRestore.h"
#include "DeviceKeys.h"
#include "DriverService.h"
#include "InstallFiles.h"
#include "ProgramMenus.h"
#include "SetupRegistry.h"
#include "SetupState.h"
#include "WinApp.h"
#include "resource.h"

using setup::Label;
using setup::State;

CStatusPage::CStatusPage() : CPropertyPage(IDD_STATUS) {}

CStatusPage::~CStatusPage()
{
    if (worker_)
        WaitForSingleObject(worker_.Get(), INFINITE);
}

void CStatusPage::SetStatus(const std::wstring& text, int position)
{
    if (!m_hWnd)
        return;
    ::SendDlgItemMessageW(m_hWnd, IDC_STATUS_PROGRESS, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    SetDlgItemText(IDC_STATUS_TEXT, text);
}

bool CStatusPage::RunInstall()
{
    setup::SetupState& state = State();
    const bool silent = state.silentMode;
    languageWord_ = setup::LanguageWord(state.languageIndex);

    setup::MenuNames menus{Label(L"TIVEN_MAVO"), Label(L"GESTURO"), Label(L"ADJUST_SETTINGS"),
                           Label(L"CALIBRATE"),  Label(L"HELP"),    Label(L"UNINSTALL")};
    state.installFolder = setup::Trimmed(state.installFolder);
    const std::wstring& dir = state.installFolder;

    auto status = [&](const wchar_t* key, int position) {
        if (!silent)
            SetStatus(key ? Label(key) : std::wstring(), position);
    };
    status(nullptr, 0);
    status(L"COPY_EXES", 0);
    // What an earlier uninstall left for the restart and the next logon would remove this
    // install: taken back first.
    const std::wstring windows = setup::WindowsFolder();
    setup::TakeBackPendingCleanup(dir, windows, log_);
    const setup::InstalledTargets programs =
        setup::CopyProgramFiles(state.setupFolder, dir, state.installFolderBrowsed, languageWord_, log_);
    status(L"COPY_SYS", 30);
    setup::CopySystemFiles(state.setupFolder, languageWord_, log_);
    status(L"COPY_REG", 50);
    const setup::InstalledLogonPrograms logon{setup::WasInstalled(programs, dir + L"\\Chimer.exe"),
                                              setup::WasInstalled(programs, dir + L"\\Beaconet.exe"),
                                              setup::WasInstalled(programs, dir + L"\\Segmenta.exe")};
    setup::WriteRegistry({dir, languageWord_, state.languageIndex, state.wireType, menus.folder, Label(L"CPL_NAME"),
                          Label(L"CPL_INFO")},
                         logon, log_);
    status(L"COPY_MENUS", 70);
    setup::CreateProgramMenus(menus, dir, languageWord_, log_);
    status(L"CREATE_SERVICE", 80);
    setup::CreateSerialDriverService(log_);
    if (state.serialRestorePending)
        setup::RestoreClone(kSerialParametersPath, state.serialClonePath, log_);
    if (state.usbRestorePending)
        setup::RestoreClone(kUsbParametersPath, state.usbClonePath, log_);

    state.installing = false;
    if (!silent) {
        // A failed step is named instead of the finish text, so the wizard never reports a
        // failed install as done.
        if (log_.Succeeded())
            SetStatus(Label(L"SETUP_FINISH"), 100);
        else
            SetStatus(L"Setup did not complete: " + log_.Failures().front(), 100);
    }
    return log_.Succeeded();
}

DWORD WINAPI CStatusPage::InstallThreadProc(LPVOID param)
{
    auto* page = static_cast<CStatusPage*>(param);
    Sleep(1000);   // lets the page finish appearing before the first status
    page->RunInstall();
    page->SetWizardButtons(PSWIZB_FINISH);
    return 1;
}

bool CStatusPage::OnSetActive()
{
    HWND sheet = GetSheetWindow();
    SetWizardButtons(PSWIZB_DISABLEDFINISH);
    State().installing = true;
    ::ShowWindow(::GetDlgItem(sheet, IDCANCEL), SW_HIDE);
    languageWord_ = setup::LanguageWord(State().languageIndex);
    ::SendDlgItemMessageW(m_hWnd, IDC_STATUS_PROGRESS, PBM_SETRANGE32, 1, 100);
    if (!worker_) {
        worker_.Reset(CreateThread(nullptr, 0, InstallThreadProc, this, 0, nullptr));
        if (!worker_) {
            AppMessageBox(L"Failed:: Thread is created");
            // Nothing runs: the user may leave through Cancel again.
            State().installing = false;
            ::ShowWindow(::GetDlgItem(sheet, IDCANCEL), SW_SHOW);
        }
    }
    return CPropertyPage::OnSetActive();
}

bool CStatusPage::OnWizardFinish()
{
    finished_ = true;
    return true;
}
