#include "SensitivityDlg.h"

#include "AppletGlobals.h"
#include "ControlLabels.h"
#include "LabelKeys.h"
#include "SerialController.h"
#include "resource.h"

using namespace applet;

namespace {
constexpr UINT kButtonsBackMs = 300;

const ControlText kTexts[] = {
    {0, LabelKey::LSENS_DIALOG_TITLE, L"Sensitivity adjust"},
    {IDC_SENS_FRAME, LabelKey::LSENS_SENSITIVITY_FRAME, L"Sensitivity"},
    {IDC_SENS_DISPLAY, LabelKey::LSENS_DISPLAY_SENSITIVITY, L"Display Sensitivity"},
    {IDC_SENS_AUTO_ADJUST, LabelKey::LSENS_AUTO_ADJUST, L"Auto Adjust"},
    {IDC_SENS_DOWN, LabelKey::LSENS_DOWN, L"Dull"},
    {IDC_SENS_UP, LabelKey::LSENS_UP, L"Sensitive"},
};
}  // namespace

CSensitivityDlg::CSensitivityDlg() : CSensitivityDialog(IDD_SENSITIVITY) {}

CSensitivityDlg::~CSensitivityDlg() { watchdog_.Stop(); }

bool CSensitivityDlg::OnInitDialog()
{
    CSensitivityDialog::OnInitDialog();
    SetUpSlider();
    if (!DisplaySensitivity()) {
        ShowMessage(L"Disable", L"Sensitive", MB_ICONEXCLAMATION);
        EndDialog(IDOK);
    }
    ApplyControlTexts(m_hWnd, Applet().labelStore, kTexts);
    return true;
}

bool CSensitivityDlg::OnButtonClicked(int id)
{
    switch (id) {
    case IDC_SENS_DISPLAY:
        DisplaySensitivity();
        return true;
    case IDC_SENS_UP:
        StepSensitivity(StepDirection::Sharper);
        return true;
    case IDC_SENS_DOWN:
        StepSensitivity(StepDirection::Duller);
        return true;
    case IDC_SENS_AUTO_ADJUST:
        AutoAdjust();
        return true;
    }
    return CSensitivityDialog::OnButtonClicked(id);
}

int CSensitivityDlg::DisplaySensitivity()
{
    EnableValueButtons(false);
    bool read = ReadSensitivity();
    SetTimer(m_hWnd, IDT_SENS_BUTTONS, kButtonsBackMs, nullptr);
    return read ? 1 : 0;
}

bool CSensitivityDlg::ReadSensitivity()
{
    CSerialController controller(Applet().currentDevice);
    int raw = 0;
    if (!controller.ReadSensitivity(raw))
        return false;
    ShowNumber(kShownBase - raw);
    return true;
}

void CSensitivityDlg::StepSensitivity(StepDirection direction)
{
    const int position = SliderPos();
    if (direction == StepDirection::Sharper ? position >= kSliderMax : position <= kSliderMin)
        return;
    EnableValueButtons(false);
    CSerialController controller(Applet().currentDevice);
    int raw = 0;
    switch (controller.Step(direction, kShownBase - position, raw)) {
    case CSerialController::StepResult::Accepted:
        ShowNumber(kShownBase - raw);
        break;
    case CSerialController::StepResult::Rejected:
        // Show what the controller really holds now.
        ReadSensitivity();
        break;
    case CSerialController::StepResult::PortFault:
        break;
    }
    SetTimer(m_hWnd, IDT_SENS_BUTTONS, kButtonsBackMs, nullptr);
}
