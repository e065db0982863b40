#include "SensitivityDialog.h"

#include <commctrl.h>

#include "DataExchange.h"
#include "SensitivityReplies.h"
#include "resource.h"

namespace {
constexpr int kTickEvery = 50;
}

CSensitivityDialog::CSensitivityDialog(UINT templateId) : CDialog(templateId) {}

void CSensitivityDialog::DoDataExchange(CDataExchange& dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_SENS_DISPLAY, displayButton_);
    DDX_Control(dx, IDC_SENS_AUTO_ADJUST, autoAdjustButton_);
    DDX_Control(dx, IDC_SENS_DOWN, dullButton_);
    DDX_Control(dx, IDC_SENS_UP, sensitiveButton_);
    DDX_Control(dx, IDC_SENS_NUMBER, numberBox_);
    DDX_Control(dx, IDC_SENS_SLIDER, slider_);
}

bool CSensitivityDialog::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (msg == WM_TIMER) {
        OnTimer(static_cast<UINT_PTR>(wp));
        result = 0;
        return true;
    }
    return CDialog::OnMessage(msg, wp, lp, result);
}

void CSensitivityDialog::OnTimer(UINT_PTR id)
{
    switch (id) {
    case IDT_SENS_AUTO_ADJUST:
        autoAdjustButton_.EnableWindow(true);
        KillTimer(m_hWnd, id);
        break;
    case IDT_SENS_BUTTONS:
        EnableValueButtons(true);
        KillTimer(m_hWnd, id);
        break;
    }
}

void CSensitivityDialog::SetUpSlider()
{
    slider_.SetRange(kSliderMin, kSliderMax, true);
    slider_.SendMessage(TBM_SETTICFREQ, kTickEvery, 0);
}

void CSensitivityDialog::ShowNumber(int shown)
{
    numberBox_.SetWindowText(applet::SensitivityNumberText(shown));
    slider_.SetPos(shown);
}

void CSensitivityDialog::ShowFinishedNumber(int shown)
{
    numberBox_.SetWindowText(applet::FinishedNumberText(shown));
    slider_.SetPos(shown);
}

void CSensitivityDialog::EnableValueButtons(bool enable)
{
    dullButton_.EnableWindow(enable);
    sensitiveButton_.EnableWindow(enable);
    displayButton_.EnableWindow(enable);
}

int CSensitivityDialog::ShowMessage(const wchar_t* text, const wchar_t* caption, UINT type) const
{
    return ::MessageBoxW(m_hWnd, text, caption, type);
}
