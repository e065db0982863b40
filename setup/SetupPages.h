#pragma once
// The pages of the setup wizard. They only collect choices into the setup state; the status
// page runs the install (StatusPage.h). Texts that change with the language are looked up each
// time a page is shown; a page's other texts stay as its template has them.
#include <windows.h>

#include "PropertyPage.h"

// A page of the setup wizard: the caption of Next (the buttons it shows it sets through the
// framework's SetWizardButtons).
class CSetupPage : public CPropertyPage {
public:
    using CPropertyPage::CPropertyPage;

protected:
    // Next as the system drew it (kept by the welcome page).
    void RestoreNextCaption() const;
    void SetNextCaption(const std::wstring& text) const;
};

class CWelComePage : public CSetupPage {
public:
    CWelComePage();
    bool OnInitDialog() override;
    bool OnSetActive() override;
};

class CLanguage : public CSetupPage {
public:
    CLanguage();
    bool OnSetActive() override;
    bool OnCommand(int id, int code, HWND control) override;
};

class CSelectControler : public CSetupPage {
public:
    CSelectControler();
    bool OnSetActive() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    void ShowExplanation(DWORD wireType);
};

class CSelectClone : public CSetupPage {
public:
    CSelectClone();
    bool OnSetActive() override;
    bool OnButtonClicked(int id) override;

private:
    void EnableSide(int check, int browse, int file);
    void OnBrowse(bool usb);
};

class CLicencePage : public CSetupPage {
public:
    CLicencePage();
    bool OnSetActive() override;
};

class CSelectFolder : public CSetupPage {
public:
    CSelectFolder();
    bool OnSetActive() override;
    bool OnButtonClicked(int id) override;
    // A folder no install may use (a drive's root, the Windows folder or a folder inside it, a
    // Program Files folder) is refused with a message, and the page stays.
    LRESULT OnWizardNext() override;

private:
    void OnBrowse();
};
