#pragma once
// A dialog built from a resource template. One dialog procedure serves every dialog kind:
// it finds the object and calls OnMessage, which routes to the narrow handlers below.
// A handler returns true when it handled the message (its result, when it has one, goes to
// `result`); false lets the dialog manager's default processing run. Owner-draw messages about
// a control go back to the control's object (CWnd::DrawItem, MeasureItem).
#include <windows.h>

#include "Wnd.h"

class CDataExchange;

// Private framework message: the active page shows its help (F1 and the Help button).
constexpr UINT WM_COMMANDHELP = 0x0365;

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, HWND parent = nullptr);
    ~CDialog() override;

    // Operations
    INT_PTR DoModal();                       // runs the dialog; the EndDialog code, or -1
    bool Create();                           // modeless; the window stays until destroyed
    void EndDialog(INT_PTR result);
    // Exchanges data between the controls and the members: false fills the controls,
    // true reads them back. Returns false when DoDataExchange reported a failure.
    bool UpdateData(bool saveAndValidate = true);
    void NextDlgCtrl() const { SendMessage(WM_NEXTDLGCTL, 0, 0); }

    UINT TemplateId() const { return templateId_; }

    // Overridables
    virtual bool OnInitDialog();             // the return value of WM_INITDIALOG: true = default focus
    virtual void DoDataExchange(CDataExchange& dx);
    virtual void OnOK();                     // default: UpdateData, then EndDialog(IDOK)
    virtual void OnCancel();                 // default: EndDialog(IDCANCEL)
    virtual bool OnCommand(int id, int code, HWND control);   // default: BN_CLICKED -> OnButtonClicked
    virtual bool OnButtonClicked(int id);    // default: IDOK -> OnOK, IDCANCEL -> OnCancel
    virtual bool OnNotify(NMHDR* header, LRESULT& result);
    virtual bool OnHScroll(int code, int position, HWND scrollBar);
    virtual bool OnVScroll(int code, int position, HWND scrollBar);
    virtual bool OnHelpInfo(HELPINFO* info);
    virtual bool OnCommandHelp();
    // Every message passes here first; the default routes to the handlers above.
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    // A modeless dialog takes its dialog keys (Tab, Enter, Escape, mnemonics) from the loop.
    bool PreTranslateMessage(MSG* msg) override;

protected:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT msg, WPARAM wp, LPARAM lp);
    // Runs one message through the object and turns the result into a dialog-procedure return.
    static INT_PTR Route(CDialog* self, HWND window, UINT msg, WPARAM wp, LPARAM lp);

    HWND parent_ = nullptr;

private:
    UINT templateId_;
    bool modal_ = false;
    bool modeless_ = false;   // made by Create
};
