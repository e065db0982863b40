#include "WindowsPage.h"

#include "AppletGlobals.h"
#include "ControlLabels.h"
#include "DataExchange.h"
#include "LabelKeys.h"
#include "WinApp.h"
#include "resource.h"

namespace {
const ControlLabel kLabels[] = {
    {IDC_WND_WINDOWS_SETTINGS, LabelKey::LWND_WINDOWS_SETTINGS},
    {IDC_WND_DOUBLE_CLICK_SETTINGS, LabelKey::LWND_DOUBLE_CLICK_SETTINGS},
    {IDC_WND_MOUSE_CLICK_TEST, LabelKey::LWND_MOUSE_CLICK_TEST},
    {IDC_WND_SINGLE_CLICK_LABEL, LabelKey::LWND_SINGLE_CLICK_TEST},
    {IDC_WND_DOUBLE_CLICK_LABEL, LabelKey::LWND_DOUBLE_CLICK_TEST},
    {IDC_WND_TIME_LABEL, LabelKey::LWND_TIME},
    {IDC_WND_HEIGHT_LABEL, LabelKey::LWND_HEIGHT},
    {IDC_WND_WIDTH_LABEL, LabelKey::LWND_WIDTH},
    {IDC_WND_DEFAULTS, LabelKey::LDEFAULTS},
};

// The values setup gives a new installation, which the Defaults button restores.
constexpr DWORD kDefaultTime = 900;
constexpr DWORD kDefaultSize = 64;

// Which picture each test button shows at its next recognised click. Kept for the life of the
// process, across openings of the sheet; both buttons start with picture B on the screen.
bool singleClickShowsA = true;
bool doubleClickShowsA = true;
}  // namespace

CWindowsPage::CWindowsPage()
    : CDevicePage(IDD_WINDOWS),
      heightSlider_({IDC_WND_HEIGHT_SLIDER, IDC_WND_HEIGHT_VALUE, 0, 500, false, kDefaultSize}),
      widthSlider_({IDC_WND_WIDTH_SLIDER, IDC_WND_WIDTH_VALUE, 0, 500, false, kDefaultSize}),
      timeSlider_({IDC_WND_TIME_SLIDER, IDC_WND_TIME_VALUE, 100, 1500, true, kDefaultTime})
{
    Psp().dwFlags |= PSP_HASHELP;
}

void CWindowsPage::DoDataExchange(CDataExchange& dx)
{
    CPropertyPage::DoDataExchange(dx);
    DDX_Control(dx, IDC_WND_DOUBLE_CLICK_TEST, doubleClickButton_);
    DDX_Control(dx, IDC_WND_SINGLE_CLICK_TEST, singleClickButton_);
    DDX_Control(dx, IDC_WND_DEFAULTS, defaultsButton_);
    heightSlider_.Exchange(dx);
    widthSlider_.Exchange(dx);
    timeSlider_.Exchange(dx);
}

bool CWindowsPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    SetLabels();
    heightSlider_.SetRange();
    widthSlider_.SetRange();
    timeSlider_.SetRange();

    HINSTANCE instance = CWinApp::ResourceInstance();
    pictureB_.LoadBitmap(instance, IDB_CLICK_TEST_B);
    pictureA_.LoadBitmap(instance, IDB_CLICK_TEST_A);
    singleClickButton_.SetBitmap(pictureB_.Get());
    doubleClickButton_.SetBitmap(pictureB_.Get());

    ReadSystemValues();
    UpdateData(false);
    return true;
}

void CWindowsPage::SetLabels()
{
    ApplyControlLabels(m_hWnd, Applet().labelStore, kLabels);
    UpdateData(false);
}

void CWindowsPage::ReadSystemValues()
{
    time_ = GetDoubleClickTime();
    height_ = static_cast<DWORD>(GetSystemMetrics(SM_CYDOUBLECLK));
    width_ = static_cast<DWORD>(GetSystemMetrics(SM_CXDOUBLECLK));
    // A time outside the slider's range is shown as it is, with the thumb at an end; it goes
    // back to the system unchanged unless the user moves the slider.
    timeSlider_.Show(time_);
    heightSlider_.Show(height_);
    widthSlider_.Show(width_);
    UpdateDefaultsButton();
}

void CWindowsPage::ApplySystemValues() const
{
    const UINT flags = SPIF_UPDATEINIFILE | SPIF_SENDCHANGE;
    SystemParametersInfoW(SPI_SETDOUBLECLICKTIME, time_, nullptr, flags);
    SystemParametersInfoW(SPI_SETDOUBLECLKHEIGHT, height_, nullptr, flags);
    SystemParametersInfoW(SPI_SETDOUBLECLKWIDTH, width_, nullptr, flags);
}

void CWindowsPage::UpdateDefaultsButton()
{
    bool atDefaults = timeSlider_.AtDefault(time_) && heightSlider_.AtDefault(height_) && widthSlider_.AtDefault(width_);
    defaultsButton_.EnableWindow(!atDefaults);
}

void CWindowsPage::MarkSystemChanged()
{
    changed_ = true;
    UpdateDefaultsButton();
    MarkModified();
}

bool CWindowsPage::OnSetActive()
{
    // The page has no device list: it only refuses to show while no controller is left.
    if (RedirectWhenNoControllerLeft())
        return false;
    return CPropertyPage::OnSetActive();
}

void CWindowsPage::OnOK()
{
    if (changed_)
        ApplySystemValues();
    CPropertyPage::OnOK();
}

bool CWindowsPage::OnCommand(int id, int code, HWND control)
{
    // The double-click test answers double clicks only (the button has BS_NOTIFY for them).
    if (id == IDC_WND_DOUBLE_CLICK_TEST && code == BN_DOUBLECLICKED) {
        ToggleTestPicture(doubleClickButton_, doubleClickShowsA);
        return true;
    }
    return CDevicePage::OnCommand(id, code, control);
}

bool CWindowsPage::OnButtonClicked(int id)
{
    switch (id) {
    case IDC_WND_SINGLE_CLICK_TEST:
        ToggleTestPicture(singleClickButton_, singleClickShowsA);
        return true;
    case IDC_WND_DEFAULTS:
        OnDefaults();
        return true;
    }
    return CDevicePage::OnButtonClicked(id);
}

void CWindowsPage::ToggleTestPicture(CButton& button, bool& showA)
{
    button.SetBitmap(showA ? pictureA_.Get() : pictureB_.Get());
    showA = !showA;
    UpdateData(false);
}

bool CWindowsPage::OnHScroll(int, int, HWND scrollBar)
{
    if (timeSlider_.IsSlider(scrollBar)) {
        time_ = timeSlider_.TakeValue(*this);
        MarkSystemChanged();
    } else if (widthSlider_.IsSlider(scrollBar)) {
        width_ = widthSlider_.TakeValue(*this);
        MarkSystemChanged();
    } else if (heightSlider_.IsSlider(scrollBar)) {
        height_ = heightSlider_.TakeValue(*this);
        MarkSystemChanged();
    }
    UpdateData(false);
    return false;   // the default handling goes on
}

void CWindowsPage::OnDefaults()
{
    time_ = kDefaultTime;
    height_ = kDefaultSize;
    width_ = kDefaultSize;
    timeSlider_.Show(time_);
    heightSlider_.Show(height_);
    widthSlider_.Show(width_);
    MarkSystemChanged();
    UpdateData(false);
}
