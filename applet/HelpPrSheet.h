#pragma once
// A property sheet with context help: the "?" caption button, and F1 asking the active page
// for its help. Requests about a window (the "?" button, WM_HELP) go to the application's help.
#include "PropertySheet.h"

class CHelpPrSheet : public CPropertySheet {
public:
    using CPropertySheet::CPropertySheet;

    bool PreTranslateMessage(MSG* msg) override;
    bool OnInitDialog() override;
    bool OnHelpInfo(HELPINFO* info) override;

protected:
    // Asks the active page for its help (as F1 does).
    void SendCommandHelpToActivePage();
};
