#pragma once
// The About box of the tray program and of the mode selector: a dialog template whose texts are
// replaced by labels where the label file has them; empty labels keep the template's texts.
#include <windows.h>

#include <cstddef>

#include "ControlLabels.h"
#include "Dialog.h"

class CLabelStore;

class CAboutDlg : public CDialog {
public:
    template <size_t N>
    CAboutDlg(UINT templateId, HWND parent, const CLabelStore& labels, const ControlLabel (&texts)[N],
              const wchar_t* captionKey)
        : CDialog(templateId, parent), labels_(labels), texts_(texts), textCount_(N), captionKey_(captionKey)
    {
    }

    bool OnInitDialog() override;

private:
    const CLabelStore& labels_;
    const ControlLabel* texts_;
    size_t textCount_;
    const wchar_t* captionKey_;
};
