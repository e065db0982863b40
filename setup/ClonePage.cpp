#include <windows.h>
#include <commctrl.h>

#include "FileDialog.h"
#include "SetupPages.h"
#include "SetupState.h"
#include "WinApp.h"
#include "resource.h"

using setup::Label;
using setup::State;

namespace {
// The first static control without an id: the page's heading.
HWND Heading(HWND page)
{
    for (HWND child = ::GetWindow(page, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        wchar_t cls[16] = {};
        ::GetClassNameW(child, cls, 16);
        if (::GetDlgCtrlID(child) == 0xFFFF && lstrcmpiW(cls, L"Static") == 0)
            return child;
    }
    return nullptr;
}

struct CloneSide {
    int check;
    int browse;
    int file;
    const wchar_t* filter;
    std::wstring setup::SetupState::*path;
    bool setup::SetupState::*pending;
};

const CloneSide kUsbSide = {IDC_CLONE_USB_CHECK, IDC_CLONE_USB_BROWSE, IDC_CLONE_USB_FILE,
                            L"Dat Files (MEKAClone.dat)|MEKAClone.dat||", &setup::SetupState::usbClonePath,
                            &setup::SetupState::usbRestorePending};
const CloneSide kSerialSide = {IDC_CLONE_SERIAL_CHECK, IDC_CLONE_SERIAL_BROWSE, IDC_CLONE_SERIAL_FILE,
                               L"Dat Files (RILOClone.dat)|RILOClone.dat||", &setup::SetupState::serialClonePath,
                               &setup::SetupState::serialRestorePending};
}  // namespace

CSelectClone::CSelectClone() : CSetupPage(IDD_SELECT_CLONE) {}

void CSelectClone::EnableSide(int check, int browse, int file)
{
    bool ticked = ::SendMessageW(GetDlgItem(check), BM_GETCHECK, 0, 0) == BST_CHECKED;
    ::EnableWindow(GetDlgItem(browse), ticked);
    if (!ticked)
        ::EnableWindow(GetDlgItem(file), FALSE);
}

bool CSelectClone::OnSetActive()
{
    SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    if (HWND heading = Heading(m_hWnd))
        ::SetWindowTextW(heading, Label(L"CLONE_HEAD").c_str());
    static constexpr struct {
        int id;
        const wchar_t* key;
    } kTexts[] = {
        {IDC_CLONE_USB_CHECK, L"CLONE_MEKA"},        {IDC_CLONE_USB_FOLDER, L"CLONE_FOLDER_MEKA"},
        {IDC_CLONE_USB_BROWSE, L"BROWSE"},           {IDC_CLONE_SERIAL_CHECK, L"CLONE_RILO"},
        {IDC_CLONE_SERIAL_FOLDER, L"CLONE_FOLDER_RILO"}, {IDC_CLONE_SERIAL_BROWSE, L"BROWSE"},
    };
    for (const auto& text : kTexts)
        SetDlgItemText(text.id, Label(text.key));
    RestoreNextCaption();
    EnableSide(kUsbSide.check, kUsbSide.browse, kUsbSide.file);
    EnableSide(kSerialSide.check, kSerialSide.browse, kSerialSide.file);

    std::wstring folder;
    if (!setup::CurrentFolder(folder)) {
        AppMessageBox(L"Error :Can not get Current Directry.");
        return false;
    }
    setup::SetupState& state = State();
    state.clonePathDefault = state.clonePathScratch = folder;
    const wchar_t* wires = state.wireType == 0 ? L"8w" : L"5w";
    state.serialClonePath = folder + L"\\RILOClone" + wires + L".Dat";
    state.usbClonePath = folder + L"\\MEKAClone" + wires + L".Dat";
    SetDlgItemText(IDC_CLONE_SERIAL_FILE, state.serialClonePath);
    SetDlgItemText(IDC_CLONE_USB_FILE, state.usbClonePath);
    return CSetupPage::OnSetActive();
}

bool CSelectClone::OnButtonClicked(int id)
{
    switch (id) {
    case IDC_CLONE_USB_CHECK:
        EnableSide(kUsbSide.check, kUsbSide.browse, kUsbSide.file);
        return true;
    case IDC_CLONE_SERIAL_CHECK:
        EnableSide(kSerialSide.check, kSerialSide.browse, kSerialSide.file);
        return true;
    case IDC_CLONE_USB_BROWSE:
        OnBrowse(true);
        return true;
    case IDC_CLONE_SERIAL_BROWSE:
        OnBrowse(false);
        return true;
    }
    return CSetupPage::OnButtonClicked(id);
}

void CSelectClone::OnBrowse(bool usb)
{
    const CloneSide& side = usb ? kUsbSide : kSerialSide;
    setup::SetupState& state = State();
    state.clonePathScratch.clear();
    CFileDialog dialog(true, nullptr, nullptr, OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_FILEMUSTEXIST, side.filter,
                       this);
    if (dialog.DoModal() == IDOK) {
        state.clonePathScratch = dialog.GetPathName();
        state.*side.path = state.clonePathScratch;
        SetDlgItemText(side.file, state.clonePathScratch);
        state.*side.pending = true;
        ::EnableWindow(GetDlgItem(side.file), TRUE);
    }
    if (state.clonePathScratch.empty())
        state.clonePathScratch = state.clonePathDefault;
}
