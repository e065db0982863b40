#pragma once
// A property sheet that runs its own modal loop. The sheet is created modeless (PSH_MODELESS)
// and hidden, initialised through OnInitDialog, shown, and then driven by DoModal's loop, so
// PreTranslateMessage sees every message for the sheet before it is dispatched. The loop ends
// when the sheet has finished (PSM_GETCURRENTPAGEHWND returns null after OK, Cancel or Close).
// The sheet window is subclassed: WM_COMMAND, WM_NOTIFY and WM_HELP reach the overridables
// first; what they do not handle goes on to the common-controls sheet procedure.
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

    // Overridables
    virtual bool OnInitDialog();                    // after the pages exist, before the sheet is shown
    virtual bool PreTranslateMessage(MSG* msg);     // true: the message is consumed
    virtual bool OnCommand(int id, int code, HWND control);
    virtual bool OnNotify(NMHDR* header, LRESULT& result);
    virtual bool OnHelpInfo(HELPINFO* info);
    // Every message of the sheet window passes here first; the default routes to the above.
    virtual bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

protected:
    LRESULT Default(UINT msg, WPARAM wp, LPARAM lp);   // the common-controls sheet procedure

private:
    static int CALLBACK SheetCallback(HWND window, UINT msg, LPARAM lp);
    static LRESULT CALLBACK SubclassProc(HWND window, UINT msg, WPARAM wp, LPARAM lp);
    void RunModalLoop();

    std::wstring caption_;
    PROPSHEETHEADERW psh_{};
    std::vector<CPropertyPage*> pages_;
    std::vector<PROPSHEETPAGEW> built_;
    WNDPROC sheetProc_ = nullptr;
};
