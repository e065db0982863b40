#include "Dialog.h"

#include "DataExchange.h"
#include "WinApp.h"

CDialog::CDialog(UINT templateId, HWND parent) : parent_(parent), templateId_(templateId) {}

CDialog::~CDialog()
{
    if (m_hWnd && !modal_)
        ::DestroyWindow(m_hWnd);
}

INT_PTR CDialog::DoModal()
{
    modal_ = true;
    INT_PTR rc = ::DialogBoxParamW(CWinApp::ResourceInstance(), MAKEINTRESOURCEW(templateId_), parent_, DialogProc,
                                   reinterpret_cast<LPARAM>(this));
    modal_ = false;
    return rc;
}

bool CDialog::Create()
{
    HWND window = ::CreateDialogParamW(CWinApp::ResourceInstance(), MAKEINTRESOURCEW(templateId_), parent_,
                                       DialogProc, reinterpret_cast<LPARAM>(this));
    modeless_ = window != nullptr;
    return modeless_;
}

void CDialog::EndDialog(INT_PTR result)
{
    if (modal_)
        ::EndDialog(m_hWnd, result);
    else
        ::DestroyWindow(m_hWnd);
}

bool CDialog::UpdateData(bool saveAndValidate)
{
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(dx);
    return !dx.Failed();
}

bool CDialog::OnInitDialog()
{
    UpdateData(false);
    return true;
}

void CDialog::DoDataExchange(CDataExchange&) {}

void CDialog::OnOK()
{
    if (UpdateData(true))
        EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

bool CDialog::OnCommand(int id, int code, HWND)
{
    if (code == BN_CLICKED)
        return OnButtonClicked(id);
    return false;
}

bool CDialog::OnButtonClicked(int id)
{
    switch (id) {
    case IDOK:
        OnOK();
        return true;
    case IDCANCEL:
        OnCancel();
        return true;
    }
    return false;
}

bool CDialog::OnNotify(NMHDR*, LRESULT&) { return false; }
bool CDialog::OnHScroll(int, int, HWND) { return false; }
bool CDialog::OnVScroll(int, int, HWND) { return false; }
bool CDialog::OnHelpInfo(HELPINFO*) { return false; }

bool CDialog::OnCommandHelp()
{
    WinHelp(TemplateId(), HELP_CONTEXT);
    return true;
}

bool CDialog::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_INITDIALOG:
        result = OnInitDialog() ? TRUE : FALSE;
        return true;
    case WM_COMMAND:
        return OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
    case WM_NOTIFY:
        return OnNotify(reinterpret_cast<NMHDR*>(lp), result);
    case WM_HSCROLL:
        return OnHScroll(LOWORD(wp), static_cast<short>(HIWORD(wp)), reinterpret_cast<HWND>(lp));
    case WM_VSCROLL:
        return OnVScroll(LOWORD(wp), static_cast<short>(HIWORD(wp)), reinterpret_cast<HWND>(lp));
    case WM_HELP:
        if (OnHelpInfo(reinterpret_cast<HELPINFO*>(lp))) {
            result = TRUE;
            return true;
        }
        return false;
    case WM_COMMANDHELP:
        result = OnCommandHelp() ? TRUE : FALSE;
        return true;
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
        return ReflectOwnerDraw(m_hWnd, msg, lp, result);
    }
    return false;
}

bool CDialog::PreTranslateMessage(MSG* msg)
{
    return modeless_ && m_hWnd && ::IsDialogMessageW(m_hWnd, msg);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    CDialog* self = nullptr;
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<CDialog*>(lp);
        self->Register(window);
    } else {
        self = static_cast<CDialog*>(FromHandle(window));
    }
    return Route(self, window, msg, wp, lp);
}

INT_PTR CDialog::Route(CDialog* self, HWND window, UINT msg, WPARAM wp, LPARAM lp)
{
    // Before WM_INITDIALOG (WM_SETFONT) and after WM_NCDESTROY no object is known.
    if (!self)
        return FALSE;
    LRESULT result = 0;
    bool handled = self->OnMessage(msg, wp, lp, result);
    if (msg == WM_NCDESTROY) {
        self->Unregister();
        return FALSE;
    }
    if (!handled)
        return FALSE;
    // A dialog procedure returns most results through DWLP_MSGRESULT and TRUE; these
    // messages return their result directly instead.
    switch (msg) {
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
        return static_cast<INT_PTR>(result);
    }
    ::SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
    return TRUE;
}
