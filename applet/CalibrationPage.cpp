#include "CalibrationPage.h"

#include "AppletGlobals.h"
#include "ControlLabels.h"
#include "DataExchange.h"
#include "LabelKeys.h"
#include "WinApp.h"
#include "resource.h"

namespace {
const ControlLabel kLabels[] = {
    {IDC_CAL_SETTINGS_FOR, LabelKey::LCAL_CALIBRATION_SETTINGS_FOR},
    {IDC_CAL_POINTS_LABEL, LabelKey::LCAL_CALIBRATION_POINTS},
    {IDC_CAL_TOUCH_POINT_LABEL, LabelKey::LCAL_CALIBRATION_POSITION},
    {IDC_CAL_PATTERN_LABEL, LabelKey::LCAL_CALIBRATION_PATTERN},
    {IDC_CAL_TIMEOUT_LABEL, LabelKey::LCAL_TIMEOUT},
};

constexpr DWORD kMinTimeout = 10;
constexpr DWORD kMaxTimeout = 60;
constexpr int kMinTouchPoint = 1;
constexpr int kMaxTouchPoint = 5;
constexpr DWORD kFourWireKind = 1;
// Segments 0..2 are whole monitors (the desktop, the primary, the secondary); above that a part.
constexpr DWORD kLastWholeSegment = 2;
}  // namespace

DWORD CalibrationPointsAt(int position, DWORD controllerKind)
{
    switch (position) {
    case 4:
    case 8:
        return 4;
    case 5:
    case 9:
    case 24:
        return 9;
    case 10:
    case 25:
        return 25;
    }
    return controllerKind == kFourWireKind ? 4 : 9;
}

CCalibrationPage::CCalibrationPage() : CDevicePage(IDD_CALIBRATION)
{
    Psp().dwFlags |= PSP_HASHELP;
}

void CCalibrationPage::DoDataExchange(CDataExchange& dx)
{
    CPropertyPage::DoDataExchange(dx);
    DDX_Control(dx, IDC_CAL_TIMEOUT, timeoutField_);
    DDX_Control(dx, IDC_CAL_POINTS, pointsField_);
    DDX_Control(dx, IDC_CAL_TIMEOUT_SPIN, timeoutSpin_);
    DDX_Control(dx, IDC_CAL_DEVICE, deviceList_);
    DDX_Control(dx, IDC_CAL_TOUCH_POINT, touchPointField_);
    DDX_Control(dx, IDC_CAL_TOUCH_POINT_SPIN, touchPointSpin_);
    DDX_Control(dx, IDC_CAL_POINTS_SPIN, pointsSpin_);
    DDX_Control(dx, IDC_CAL_PATTERN, patternPicture_);
}

bool CCalibrationPage::OnlyFourPoints(const CDeviceSettings* device)
{
    return Applet().controllerKind == kFourWireKind && device && device->Str_DesktopSegment > kLastWholeSegment;
}

bool CCalibrationPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    SetLabels();

    HINSTANCE instance = CWinApp::ResourceInstance();
    pattern9_.LoadBitmap(instance, IDB_PATTERN_9);
    pattern4_.LoadBitmap(instance, IDB_PATTERN_4);
    pattern25_.LoadBitmap(instance, IDB_PATTERN_25);

    // The ranges come from the device that is current when the page is first shown.
    const CAppletContext& ctx = Applet();
    const CDeviceSettings* device = ctx.currentDevice;
    timeoutSpin_.SetRange(static_cast<int>(kMinTimeout), static_cast<int>(kMaxTimeout));
    timeoutSpin_.SetPos(static_cast<int>(kMinTimeout));
    timeoutSpin_.SetBuddy(timeoutField_);

    touchPointSpin_.SetRange(kMinTouchPoint, kMaxTouchPoint);
    touchPointSpin_.SetPos(device ? static_cast<int>(device->dwCalibPoint) : kMinTouchPoint);
    touchPointSpin_.SetBuddy(touchPointField_);

    if (ctx.controllerKind == kFourWireKind)
        pointsSpin_.SetRange(4, OnlyFourPoints(device) ? 4 : 25);
    else
        pointsSpin_.SetRange(9, 25);
    pointsSpin_.SetPos(4);
    pointsSpin_.SetBuddy(pointsField_);

    const DWORD calFlag = device ? device->dwCalFlag : DefaultCalFlag(ctx.controllerKind);
    points_ = calFlag == 9 || calFlag == 25 ? calFlag : 4;
    pointsField_.SetWindowText(std::to_wstring(points_));
    UpdateData(false);
    return true;
}

void CCalibrationPage::SetLabels()
{
    ApplyControlLabels(m_hWnd, Applet().labelStore, kLabels);
    UpdateData(false);
}

void CCalibrationPage::ShowPoints(DWORD points)
{
    points_ = points;
    pointsField_.SetWindowText(std::to_wstring(points));
    const CBitmap& picture = points == 9 ? pattern9_ : points == 25 ? pattern25_ : pattern4_;
    patternPicture_.SetBitmap(picture.Get());
}

void CCalibrationPage::LoadDeviceValues()
{
    CDeviceSettings* device = Applet().currentDevice;
    if (!device)
        return;
    // A stored time-out outside the spin's range is brought into it and written back at the
    // next Apply.
    if (ClampValue(device->dwCalibrationTimeout, kMinTimeout, kMaxTimeout))
        MarkChanged(&CDeviceSettings::bCalibrationChanged);
    timeoutSpin_.SetPos(static_cast<int>(device->dwCalibrationTimeout));
    touchPointSpin_.SetPos(static_cast<int>(device->dwCalibPoint));
    // Any other stored number of points shows as 4 without changing the record.
    const DWORD calFlag = device->dwCalFlag;
    ShowPoints(calFlag == 9 || calFlag == 25 ? calFlag : 4);
}

bool CCalibrationPage::OnCommand(int id, int code, HWND control)
{
    if (id == IDC_CAL_DEVICE && code == CBN_SELCHANGE) {
        OnSelchangeDevice(deviceList_);
        return true;
    }
    return CDevicePage::OnCommand(id, code, control);
}

bool CCalibrationPage::OnHScroll(int, int, HWND scrollBar)
{
    CDeviceSettings* device = Applet().currentDevice;
    if (!device)
        return false;
    if (scrollBar == timeoutSpin_.m_hWnd) {
        device->dwCalibrationTimeout = static_cast<DWORD>(timeoutSpin_.GetPos());
        MarkChanged(&CDeviceSettings::bCalibrationChanged);
    } else if (scrollBar == touchPointSpin_.m_hWnd) {
        device->dwCalibPoint = static_cast<DWORD>(touchPointSpin_.GetPos());
        MarkChanged(&CDeviceSettings::bCalibrationChanged);
    } else if (scrollBar == pointsSpin_.m_hWnd) {
        const int position = OnlyFourPoints(device) ? 4 : pointsSpin_.GetPos();
        device->dwCalFlag = CalibrationPointsAt(position, Applet().controllerKind);
        ShowPoints(device->dwCalFlag);
        MarkChanged(&CDeviceSettings::bCalibrationChanged);
        UpdateData(false);
    }
    return false;   // the default handling goes on
}
