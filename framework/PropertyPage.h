#pragma once
// One page of a property sheet. The base maps the sheet's PSN_* notices to the overridables
// below and writes their results; pages only override what they need.
//   OnSetActive  - the page is about to be shown; return false to refuse (the sheet then
//                  tries another page)
//   OnKillActive - the page is about to be hidden; return false to keep it
//   OnApply      - OK or Apply; the default calls OnOK and returns true
//   OnCancel     - Cancel or Close; the sheet calls it on every page it has created
// In a wizard (CPropertySheet::SetWizardMode) the Back, Next and Finish buttons reach
//   OnWizardBack, OnWizardNext - 0 goes on to the neighbouring page, -1 stays on this one, and a
//                                page's dialog template id goes to that page
//   OnWizardFinish             - false keeps the wizard open
#include <windows.h>
#include <commctrl.h>
#include <string>

#include "Dialog.h"

// The sheet's help command (its Help button); a page's Help notice reaches the sheet as it.
constexpr WORD kHelpCommandId = 0xE146;

class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(UINT templateId);

    // Attributes
    PROPSHEETPAGEW& Psp() { return psp_; }   // flags the sheet uses to build the page
    // The tab caption; the page keeps its own copy. A page with a fixed caption buffer cuts it.
    virtual void SetCaption(const std::wstring& caption);
    const std::wstring& Caption() const { return caption_; }
    HWND GetSheetWindow() const { return GetParent(); }

    // Operations
    void SetModified(bool changed = true);   // enables (or disables) the sheet's Apply button
    // In a wizard: which of its buttons are enabled (PSWIZB_BACK, PSWIZB_NEXT, PSWIZB_FINISH,
    // ...). Posted to the sheet, as CPropertySheet::SetWizardButtons is, so a page may ask while
    // the sheet changes pages and from any thread.
    void SetWizardButtons(DWORD flags) const;

    // Overridables
    virtual bool OnSetActive();    // default: refreshes the controls from the members (not the first time)
    virtual bool OnKillActive();   // default: UpdateData(true)
    virtual bool OnApply();        // default: OnOK(), true
    void OnOK() override;          // default: nothing
    void OnCancel() override;      // default: nothing
    virtual bool OnQueryCancel();  // default: true (the sheet may close)
    virtual LRESULT OnWizardBack();   // default: 0
    virtual LRESULT OnWizardNext();   // default: 0
    virtual bool OnWizardFinish();    // default: true (the wizard ends)
    bool OnNotify(NMHDR* header, LRESULT& result) override;

protected:
    static INT_PTR CALLBACK PageProc(HWND window, UINT msg, WPARAM wp, LPARAM lp);

private:
    PROPSHEETPAGEW psp_{};
    std::wstring caption_;
    bool firstSetActive_ = true;
};
