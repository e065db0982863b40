#pragma once
// Data exchange between a dialog's controls and its members (CDialog::UpdateData).
#include <string>

class CDialog;
class CWnd;

class CDataExchange {
public:
    CDataExchange(CDialog* dialog, bool saveAndValidate) : dialog_(dialog), save_(saveAndValidate) {}

    CDialog* Dialog() const { return dialog_; }
    bool Saving() const { return save_; }
    bool Failed() const { return failed_; }
    void Fail() { failed_ = true; }

private:
    CDialog* dialog_;
    bool save_;
    bool failed_ = false;
};

// Binds a control member to the dialog's control with this id; a later call binds it again only
// when it no longer holds that control (a window of an earlier run of the same dialog object).
void DDX_Control(CDataExchange& dx, int id, CWnd& control);
// Exchanges a text with the control: filling sets the control's text, saving reads it back.
void DDX_Text(CDataExchange& dx, int id, std::wstring& text);
