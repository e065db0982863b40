#include "PurgentDlg.h"

#include <commctrl.h>

#include <vector>

#include "InstallFolderGuard.h"
#include "LabelStore.h"
#include "PurgentApp.h"
#include "WinApp.h"
#include "resource.h"

CPurgentDlg::CPurgentDlg() : CDialog(IDD_PURGENT) {}

CPurgentDlg::~CPurgentDlg()
{
    if (worker_)
        WaitForSingleObject(worker_.Get(), INFINITE);
    if (smallIcon_)
        DestroyIcon(smallIcon_);
}

bool CPurgentDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    HINSTANCE instance = CWinApp::ResourceInstance();
    wchar_t about[100] = {};
    if (LoadStringW(instance, IDS_ABOUTBOX, about, 100) > 0) {
        HMENU menu = GetSystemMenu(m_hWnd, FALSE);
        if (menu) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            AppendMenuW(menu, MF_STRING, IDM_ABOUTBOX, about);
        }
    }
    icon_ = LoadIconW(instance, MAKEINTRESOURCEW(IDI_PURGENT));
    smallIcon_ = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_PURGENT), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_ ? smallIcon_ : icon_));
    SetWindowText(purge::Labels().Lookup(L"UNINSTALLATION_TITLE"));
    ::SendDlgItemMessageW(m_hWnd, IDC_PROGRESS, PBM_SETRANGE32, 0, 100);

    // OK is hidden before the dialog first shows, and comes back when the worker has ended.
    running_ = true;
    ::ShowWindow(GetDlgItem(IDOK), SW_HIDE);
    worker_.Reset(CreateThread(nullptr, 0, UninstallThreadProc, this, 0, nullptr));
    if (!worker_) {
        running_ = false;
        ::ShowWindow(GetDlgItem(IDOK), SW_SHOW);
        AppMessageBox(L"Failed:: Thread is created");
    }
    return true;
}

void CPurgentDlg::OnOK()
{
    if (!running_)
        CDialog::OnOK();
}

// Enter, Escape and the close box come here as IDOK or IDCANCEL: ignored while the removal runs,
// so it is never left half done without the user knowing.
void CPurgentDlg::OnCancel()
{
    if (!running_)
        CDialog::OnCancel();
}

bool CPurgentDlg::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_SYSCOMMAND:
        if ((wp & 0xFFF0) == IDM_ABOUTBOX) {
            CDialog about(IDD_ABOUTBOX, m_hWnd);
            about.DoModal();
            result = 0;
            return true;
        }
        if ((wp & 0xFFF0) == SC_CLOSE && running_) {
            result = 0;
            return true;
        }
        break;
    case WM_PAINT:
        if (IsIconic(m_hWnd)) {
            PaintMinimised();
            result = 0;
            return true;
        }
        break;
    case WM_QUERYDRAGICON:
        result = reinterpret_cast<LRESULT>(icon_);
        return true;
    }
    return CDialog::OnMessage(msg, wp, lp, result);
}

void CPurgentDlg::PaintMinimised()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hWnd, &paint);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client = GetClientRect();
    int cx = GetSystemMetrics(SM_CXICON), cy = GetSystemMetrics(SM_CYICON);
    DrawIcon(dc, (client.right - client.left - cx + 1) / 2, (client.bottom - client.top - cy + 1) / 2, icon_);
    EndPaint(m_hWnd, &paint);
}

void CPurgentDlg::SetProgress(const std::wstring& text, int position)
{
    ::SendDlgItemMessageW(m_hWnd, IDC_PROGRESS, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    SetDlgItemText(IDC_STATUS, text);
}

DWORD WINAPI CPurgentDlg::UninstallThreadProc(LPVOID param)
{
    auto* dialog = static_cast<CPurgentDlg*>(param);
    dialog->RunUninstall();
    dialog->running_ = false;
    ::ShowWindow(dialog->GetDlgItem(IDOK), SW_SHOW);
    return 1;
}

bool CPurgentDlg::RunUninstall()
{
    const CLabelStore& labels = purge::Labels();
    const std::wstring title = labels.Lookup(L"UNINSTALLATION_TITLE");
    purge::UninstallPlan plan = purge::ReadPlan();
    // Nothing changes unless the product key names this suite's own folder. A drive's root, the
    // Windows folder or a Program Files folder (by any name) is never followed, even by an
    // uninstaller that runs from there; what is no full path, or not the folder this uninstaller
    // runs from, is not the suite's folder.
    const UnsafeFolder unsafe = CheckInstallFolder(plan.installFolder);
    if (unsafe != UnsafeFolder::None && unsafe != UnsafeFolder::NotAFolder) {
        removalFailed_ = true;
        std::wstring text = labels.TextOr(purge::kFolderRefusedKey, purge::kFolderRefusedText);
        text += L"\n\n" + plan.installFolder;
        MessageBoxW(m_hWnd, text.c_str(), title.c_str(), MB_OK | MB_ICONERROR);
        return false;
    }
    const std::wstring folder = unsafe == UnsafeFolder::None && purge::IsOwnInstallFolder(plan.installFolder,
                                                                                         purge::OwnProgramPath())
                                    ? purge::ResolvedFolder(plan.installFolder)
                                    : std::wstring();
    if (folder.empty()) {
        removalFailed_ = true;
        MessageBoxW(m_hWnd, labels.Lookup(L"UNINSTALLATION_CANNOT_COMPLETE").c_str(), title.c_str(),
                    MB_OK | MB_ICONERROR);
        return false;
    }
    // Every step works on the folder as the system resolves it, whatever the key's spelling.
    plan.installFolder = folder;

    SetProgress(L"Please wait...", 0);
    SetProgress(labels.Lookup(L"REMOVING_REGENTRIES"), 15);
    purge::RegistryRemoval registry = purge::RemoveRegistryEntries(plan);
    purge::StopBackgroundPrograms(plan.installFolder);
    SetProgress(labels.Lookup(L"REMOVING_EXECUTABLES"), 0);
    std::vector<std::wstring> left;
    if (!purge::RemoveProgramFiles(plan.installFolder, left))
        left.push_back(plan.installFolder);
    SetProgress(labels.Lookup(L"REMOVING_SYSFILES"), 50);
    purge::RemoveSystemFiles(left);
    SetProgress(labels.Lookup(L"REMOVING_PROGRAMFILE_MENUS"), 90);
    const bool startMenuFound = purge::RemoveStartMenuFolder(plan.startMenuName, plan.installFolder, left);

    // Each step that was not done is named in the last status, never the finished text.
    std::vector<std::wstring> unfinished;
    if (!registry.userinitDone)
        unfinished.push_back(purge::IncompleteText(labels));
    if (registry.cleanupProgram.empty())
        unfinished.push_back(labels.TextOr(purge::kNoCleanupKey, purge::kNoCleanupText));
    if (!startMenuFound)
        unfinished.push_back(labels.TextOr(purge::kStartMenuLeftKey, purge::kStartMenuLeftText));
    std::wstring details;
    if (!left.empty()) {
        unfinished.push_back(labels.TextOr(purge::kFilesLeftKey, purge::kFilesLeftText));
        for (const std::wstring& path : left)
            details += L"\n" + path;
    }
    if (unfinished.empty()) {
        SetProgress(labels.Lookup(L"REMOVING_FINISHED"), 100);
        return true;
    }
    std::wstring status;
    for (const std::wstring& text : unfinished)
        status += (status.empty() ? L"" : L"\n") + text;
    SetProgress(status, 100);
    MessageBoxW(m_hWnd, (status + details).c_str(), title.c_str(), MB_OK | MB_ICONERROR);
    return true;
}
