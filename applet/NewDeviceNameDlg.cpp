#include "NewDeviceNameDlg.h"

#include "AppletGlobals.h"
#include "ControlLabels.h"
#include "DataExchange.h"
#include "resource.h"
#include "LabelBoxes.h"
#include "LabelKeys.h"

namespace {
// Controller kind 1 (4/8-wire) can use every desktop segment; the others only the first three.
constexpr size_t kSegmentsOfOtherKinds = 3;

const ControlLabel kLabels[] = {
    {IDC_NDN_NAME_LABEL, LabelKey::LDEV_ENTER_DEVICE_NAME},
    {IDC_NDN_SEGMENT_LABEL, LabelKey::LDEV_ENTER_DESKTOP},
    {IDOK, LabelKey::LOK},
    {IDCANCEL, LabelKey::LCANCEL},
};
}  // namespace

CNewDeviceNameDlg::CNewDeviceNameDlg(HWND parent) : CDialog(IDD_NEW_DEVICE_NAME, parent) {}

void CNewDeviceNameDlg::DoDataExchange(CDataExchange& dx)
{
    DDX_Control(dx, IDC_NDN_NAME, nameEdit_);
    DDX_Control(dx, IDC_NDN_SEGMENT, segmentList_);
    DDX_Text(dx, IDC_NDN_NAME, name_);
}

void CNewDeviceNameDlg::SetLabels()
{
    const CLabelStore& labels = Applet().labelStore;
    std::wstring title = labels.Lookup(LabelKey::LDEV_NEW_POINTER_DEVICE);
    if (!title.empty())
        SetWindowText(title);
    ApplyControlLabels(m_hWnd, labels, kLabels);
}

void CNewDeviceNameDlg::FillSegments()
{
    if (!segmentList_.IsWindow())
        return;
    const CAppletContext& ctx = Applet();
    size_t count = ctx.controllerKind == 1 ? ctx.SegmentNames.Count() : kSegmentsOfOtherKinds;
    for (size_t i = 0; i < count; ++i)
        segmentList_.AddString(ctx.SegmentNames.Name(i));
}

bool CNewDeviceNameDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetLabels();
    FillSegments();
    segmentList_.SetCurSel(segment_ == -1 ? 0 : segment_);
    return true;
}

int CNewDeviceNameDlg::SelectedSegment() const
{
    std::wstring typed = segmentList_.GetWindowText();
    int selected = segmentList_.GetCurSel();
    if (selected != CB_ERR && segmentList_.GetLBText(selected) == typed)
        return selected;
    int exact = segmentList_.FindExactText(typed);
    return exact == CB_ERR ? -1 : exact;
}

void CNewDeviceNameDlg::OnOK()
{
    std::wstring name = nameEdit_.GetWindowText();
    int segment = SelectedSegment();
    const CLabelStore& labels = Applet().labelStore;
    if (segment == -1) {
        LabelErrorBox(labels, m_hWnd, MessageKey::LERR_DESKTOP_SHOULD_BE_SELECTED,
                      MessageKey::LPOINTER_DEVICE_PROPERTIES, L"Desktop segment should be selected", kPropertiesCaption);
        return;
    }
    if (name.empty()) {
        LabelErrorBox(labels, m_hWnd, MessageKey::LERR_DEVICE_NAME_SHOULD_NOT_BE_BLANK,
                      MessageKey::LPOINTER_DEVICE_PROPERTIES, L"Device name should not be blank", kPropertiesCaption);
        return;
    }
    segment_ = segment;
    CDialog::OnOK();
}
