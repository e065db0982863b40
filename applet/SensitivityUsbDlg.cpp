#include "SensitivityUsbDlg.h"

#include "AppletGlobals.h"
#include "ControlLabels.h"
#include "DriverProtocol.h"
#include "LabelKeys.h"
#include "SensitivityReplies.h"
#include "TouchPrompts.h"
#include "UsbSensitivity.h"
#include "WinApp.h"
#include "resource.h"

using namespace applet;

namespace {
constexpr UINT kAutoAdjustBackMs = 500;

const ControlText kTexts[] = {
    {0, LabelKey::LSENU_DIALOG_TITLE, L"Sensitivity adjust"},
    {IDC_SENS_FRAME, LabelKey::LSENU_SENSITIVITY_FRAME, L"Sensitivity"},
    {IDC_SENS_DISPLAY, LabelKey::LSENU_DISPLAY_SENSITIVITY, L"Display Sensitivity"},
    {IDC_SENS_AUTO_ADJUST, LabelKey::LSENU_AUTO_ADJUST, L"Auto Adjust"},
    {IDC_SENS_DOWN, LabelKey::LSENU_DOWN, L"Dull"},
    {IDC_SENS_UP, LabelKey::LSENU_UP, L"Sensitive"},
};
}  // namespace

CSensitivityUsbDlg::CSensitivityUsbDlg() : CSensitivityDialog(IDD_SENSITIVITY_USB) {}

void CSensitivityUsbDlg::EndWithDisable()
{
    ShowMessage(L"Disable", L"Sensitive", MB_ICONEXCLAMATION);
    EndDialog(IDOK);
}

bool CSensitivityUsbDlg::OnInitDialog()
{
    CSensitivityDialog::OnInitDialog();
    uint16_t word = kSensitivityNoValue;
    if (!ReadSensitivityWord(Applet().currentDevice, 0, word)) {
        EndWithDisable();
        return true;
    }
    SetUpSlider();
    ApplyControlTexts(m_hWnd, Applet().labelStore, kTexts);
    finished_ = false;
    if (!ReadSensitivity())
        EndWithDisable();
    return true;
}

bool CSensitivityUsbDlg::OnButtonClicked(int id)
{
    switch (id) {
    case IDC_SENS_DISPLAY:
        ReadSensitivity();
        return true;
    case IDC_SENS_UP:
        Step(sensitiveButton_, kSensitivitySharper, kSliderMax);
        return true;
    case IDC_SENS_DOWN:
        Step(dullButton_, kSensitivityDuller, kSliderMin);
        return true;
    case IDC_SENS_AUTO_ADJUST:
        AutoAdjust();
        return true;
    }
    return CSensitivityDialog::OnButtonClicked(id);
}

int CSensitivityUsbDlg::ReadSensitivity()
{
    displayButton_.EnableWindow(false);
    uint16_t raw = kSensitivityNoValue;
    bool answered = SendSensitivityCommand(Applet().currentDevice, kSensitivityReport, raw);
    if (answered && raw != kSensitivityNoValue)
        ShowRawValue(raw);
    displayButton_.EnableWindow(true);
    return answered && raw != kSensitivityNoValue ? 1 : 0;
}

void CSensitivityUsbDlg::Step(CButton& button, uint16_t command, int sliderEnd)
{
    if (SliderPos() == sliderEnd)
        return;
    button.EnableWindow(false);
    uint16_t raw = kSensitivityNoValue;
    // A failed request, or a reply without a value, changes nothing on the display.
    if (SendSensitivityCommand(Applet().currentDevice, command, raw) && raw != kSensitivityNoValue)
        ShowRawValue(raw);
    button.EnableWindow(true);
}

void CSensitivityUsbDlg::ShowRawValue(uint16_t raw)
{
    const int shown = kShownBase - static_cast<int>(raw);
    if (shown <= 0 || shown > kShownBase) {
        AppMessageBox(L"Receive Value Range Error!");
        return;
    }
    ShowUsbNumber(shown);
}

void CSensitivityUsbDlg::ShowUsbNumber(int shown)
{
    if (finished_) {
        finished_ = false;
        ShowFinishedNumber(shown);
    } else {
        ShowNumber(shown);
    }
}

void CSensitivityUsbDlg::AutoAdjust()
{
    CTouchHereTimedDlg prompt;
    autoAdjustButton_.EnableWindow(false);
    finished_ = true;
    uint16_t ignored = kSensitivityNoValue;
    SendSensitivityCommand(Applet().currentDevice, kSensitivityAutoAdjust, ignored);
    if (prompt.DoModal() == IDOK)
        ReadSensitivity();
    finished_ = false;
    SetTimer(m_hWnd, IDT_SENS_AUTO_ADJUST, kAutoAdjustBackMs, nullptr);
}
