#pragma once
// The licence agreement in a read-only multi-line edit, shown modally from the About page.
#include <string>

#include "Dialog.h"
#include "Edit.h"

class CLabelStore;

class CAgreementTextDlg : public CDialog {
public:
    explicit CAgreementTextDlg(HWND parent);

    // Takes the label LAB_LICENSE_TEXT; its line breaks become CR LF, which is what a multi-line
    // edit shows as a new line. Empty without the label. The dialog's own texts come from the
    // same store, which must outlive the dialog.
    void LoadText(const CLabelStore& labels);
    const std::wstring& Text() const { return text_; }

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;

private:
    CEdit textEdit_;
    std::wstring text_;
    const CLabelStore* labels_ = nullptr;
};

// The text with every bare line feed turned into CR LF (an existing CR LF stays as it is).
std::wstring WithEditLineBreaks(const std::wstring& text);
