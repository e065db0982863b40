#pragma once
// Step 2 of adding a touch device, and the dialog that modifies one: the device name and the
// logical desktop segment it controls. It only collects; the Devices page checks and stores.
#include <string>

#include "ComboBox.h"
#include "Dialog.h"
#include "Edit.h"

class CNewDeviceNameDlg : public CDialog {
public:
    explicit CNewDeviceNameDlg(HWND parent = nullptr);

    // Before DoModal: the name shown and the segment index selected (-1: the first entry).
    void SetName(const std::wstring& name) { name_ = name; }
    void SetSegment(int segment) { segment_ = segment; }
    // After DoModal.
    std::wstring GetName() const { return name_; }
    int GetSegment() const { return segment_; }

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;
    void OnOK() override;

private:
    void SetLabels();
    void FillSegments();
    // The entry the segment field stands for: the selected entry when the field shows its text,
    // else the entry equal to the typed text, else -1.
    int SelectedSegment() const;

    CEdit nameEdit_;
    CComboBox segmentList_;
    std::wstring name_;
    int segment_ = -1;
};
