#pragma once
// The file dialog of the Advanced page: a plain file dialog whose OK button always reads "OK"
// (the Open dialog would otherwise say "Open").
#include "FileDialog.h"

class CFileDialogEx : public CFileDialog {
public:
    CFileDialogEx(bool openFileDialog, const wchar_t* defaultExtension, const wchar_t* fileName, DWORD flags,
                  const wchar_t* filter, CWnd* parent)
        : CFileDialog(openFileDialog, defaultExtension, fileName, flags, filter, parent)
    {
    }

    bool OnInitDialog() override;
    void OnInitDone() override;
};
