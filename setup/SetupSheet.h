#pragma once
// The setup wizard: welcome, language, controller, clone files, licence, folder and status.
#include "PropertySheet.h"
#include "SetupPages.h"
#include "StatusPage.h"

class CSetupSheet : public CPropertySheet {
public:
    CSetupSheet(const std::wstring& caption, HWND parent = nullptr, UINT startPage = 0);

    // True when the wizard ended with Finish on the status page.
    bool Finished() const { return status_.Finished(); }
    const CStatusPage& Status() const { return status_; }

    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    // The exit question: Yes ends the process at once. Refused while the install runs.
    bool AskExit();

    CWelComePage welcome_;
    CLanguage language_;
    CSelectControler controller_;
    CSelectClone clone_;
    CLicencePage licence_;
    CSelectFolder folder_;
    CStatusPage status_;
};
