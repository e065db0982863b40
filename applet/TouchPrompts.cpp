#include "TouchPrompts.h"

#include "AppletGlobals.h"
#include "ControlLabels.h"
#include "LabelKeys.h"
#include "WinApp.h"
#include "resource.h"

namespace {
const ControlText kTouchHereTexts[] = {{IDC_TOUCH_HERE_TEXT, LabelKey::LTMD_TOUCH_MESSAGE, L"Touch Here"}};
const ControlText kTimedTexts[] = {{IDOK, LabelKey::LTMDM_TOUCH_MESSAGE, L"Touch Here"}};
const ControlText kDontTouchTexts[] = {
    {IDC_DONT_TOUCH_TEXT, LabelKey::LHW_DURING_DWMESSAGE, L"Don't Touch it during Writing..."}};
}  // namespace

CTouchHereDlg::CTouchHereDlg(HWND parent) : CDialog(IDD_TOUCH_HERE, parent) {}

bool CTouchHereDlg::Create()
{
    if (!CDialog::Create())
        return false;
    ShowWindow(SW_SHOW);
    ::UpdateWindow(m_hWnd);
    return true;
}

bool CTouchHereDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    ApplyControlTexts(m_hWnd, Applet().labelStore, kTouchHereTexts);
    return true;
}

CDontTouchDlg::CDontTouchDlg(HWND parent) : CDialog(IDD_DONT_TOUCH, parent) {}

bool CDontTouchDlg::Create(HWND)
{
    if (!CDialog::Create())
        return false;
    ApplyControlTexts(m_hWnd, Applet().labelStore, kDontTouchTexts);
    ShowWindow(SW_SHOW);
    ::UpdateWindow(m_hWnd);
    return true;
}

CTouchHereTimedDlg::CTouchHereTimedDlg() : CDialog(IDD_TOUCH_HERE_TIMED) {}

CTouchHereTimedDlg::~CTouchHereTimedDlg() { timer_.Stop(); }

bool CTouchHereTimedDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    ApplyControlTexts(m_hWnd, Applet().labelStore, kTimedTexts);
    InterlockedExchange(&timedOut_, 0);
    ending_ = false;
    timerTarget_ = m_hWnd;
    timer_.Start(TouchHereTimeoutThreadProc, this);
    return true;
}

DWORD WINAPI CTouchHereTimedDlg::TouchHereTimeoutThreadProc(void* param)
{
    auto* self = static_cast<CTouchHereTimedDlg*>(param);
    if (!self->timer_.WaitForStop(kTimeoutMs)) {
        InterlockedExchange(&self->timedOut_, 1);
        // Posted, not sent: the prompt may be stopping this thread and waiting for it right now.
        ::PostMessageW(self->timerTarget_, WM_TOUCH_TIMEOUT, 0, 0);
    }
    return 0;
}

void CTouchHereTimedDlg::End(INT_PTR result)
{
    timer_.Stop();
    InterlockedExchange(&timedOut_, 0);
    ending_ = true;
    EndDialog(result);
}

void CTouchHereTimedDlg::OnOK()
{
    if (!ending_)
        End(IDOK);
}

void CTouchHereTimedDlg::OnCancel()
{
    if (!ending_)
        End(IDCANCEL);
}

bool CTouchHereTimedDlg::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_TOUCH_TIMEOUT:
        OnTimeout();
        result = 1;
        return true;
    case WM_DESTROY:
        timer_.Stop();
        break;
    }
    return CDialog::OnMessage(msg, wp, lp, result);
}

void CTouchHereTimedDlg::OnTimeout()
{
    // A notice that crossed the button press, or reached a prompt already ending, is stale.
    if (ending_ || InterlockedCompareExchange(&timedOut_, 0, 0) == 0)
        return;
    timer_.Stop();
    ending_ = true;
    AppMessageBox(L"Time Out", MB_SYSTEMMODAL);
    InterlockedExchange(&timedOut_, 0);
    EndDialog(IDCANCEL);
}
