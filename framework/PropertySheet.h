#pragma once
// A property sheet that runs its own modal loop. The sheet is created modeless (PSH_MODELESS)
// and hidden, initialised through OnInitDialog, shown, and then driven by the framework's
// message loop (CMessageLoop), so PreTranslateMessage sees every message for the sheet before it
// is dispatched. The loop ends when the sheet has finished (PSM_GETCURRENTPAGEHWND returns null
// after OK, Cancel, Close or a wizard's Finish). The sheet window is hooked like any control
// (CWnd::SubclassWindow): WM_COMMAND, WM_NOTIFY and WM_HELP reach the overridables first; what
// they do not handle goes on to the common-controls sheet procedure.
// SetWizardMode before DoModal makes it a wizard: Back, Next and Finish instead of the tabs
// and OK, Cancel and Apply; the pages get the wizard notices (CPropertyPage::OnWizardNext...).
#include <windows.h>
#include <commctrl.h>
#include <string>
#include <vector>

#include "Wnd.h"

class CPropertyPage;

class CPropertySheet : public CWnd {
public:
    CPropertySheet(const std::wstring& caption, HWND parent = nullptr, UINT startPage = 0);
    ~CPropertySheet() override;

    // Pages are added before DoModal; the tab order is the order of the list.
    void AddPage(CPropertyPage* page);
    void InsertPage(size_t index, CPropertyPage* page);
    size_t PageCount() const { return pages_.size(); }
    CPropertyPage* GetPage(size_t index) const { return pages_[index]; }

    // Attributes
    PROPSHEETHEADERW& Psh() { return psh_; }
    CPropertyPage* GetActivePage() const;
    HWND GetTabControl() const { return reinterpret_cast<HWND>(SendMessage(PSM_GETTABCONTROL)); }
    bool SetActivePage(int index) { return SendMessage(PSM_SETCURSEL, index, 0) != 0; }

    // Operations
    INT_PTR DoModal();   // the sheet's result (PSM_GETRESULT), or -1 when it could not be created
    void SetWizardMode() { psh_.dwFlags |= PSH_WIZARD; }
    bool IsWizard() const { return (psh_.dwFlags & PSH_WIZARD) != 0; }
    // Which wizard buttons are enabled (PSWIZB_BACK, PSWIZB_NEXT, PSWIZB_FINISH, ...). Posted,
    // as the common controls do, so a page may call it while the sheet changes pages.
    void SetWizardButtons(DWORD flags) { PostMessage(PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(flags)); }

    // Overridables
    virtual bool OnInitDialog();                    // after the pages exist, before the sheet is shown
    // Messages for the sheet and its pages on their way from the loop; true consumes one. The
    // default takes the sheet's dialog keys (PSM_ISDIALOGMESSAGE).
    bool PreTranslateMessage(MSG* msg) override;
    virtual bool OnCommand(int id, int code, HWND control);
    virtual bool OnNotify(NMHDR* header, LRESULT& result);
    virtual bool OnHelpInfo(HELPINFO* info);
    // Every message of the sheet window passes here first; the default routes to the above.
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    static int CALLBACK SheetCallback(HWND window, UINT msg, LPARAM lp);

    std::wstring caption_;
    PROPSHEETHEADERW psh_{};
    std::vector<CPropertyPage*> pages_;
    std::vector<PROPSHEETPAGEW> built_;
};
