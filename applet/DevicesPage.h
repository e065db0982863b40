#pragma once
// The first page of the applet's sheet: the touch devices the collection knows, with Add (the
// two new-device dialogs), Modify (name and desktop segment), and Remove. Adding creates the
// device key at once; everything else waits for OK or Apply, which apply the whole collection.
// Cancel puts the collection back as the registry holds it. Selecting a row makes its device
// the current device of every page.
#include <string>

#include "Button.h"
#include "DevicePage.h"
#include "ReportListCtrl.h"

class CDeviceSettings;

class CDevicesPage : public CDevicePage {
public:
    CDevicesPage();

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;
    // OK and Apply: false, with a message, when a new device could not be written.
    bool OnApply() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnSetActive() override;
    bool OnButtonClicked(int id) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;

    void OnAdd();
    void OnModify();
    void OnRemove();
    void OnItemChanged(const NMLISTVIEW& change);

private:
    void SetLabels();
    void FillList();
    void InsertDeviceRow(const CDeviceSettings& record, int number);
    void AddDevice(const std::wstring& name, const std::wstring& type, int segment, const std::wstring& instance,
                   const std::wstring& port);
    void ModifyDevice(const std::wstring& name, int segment, int row, CDeviceSettings* device);
    // True when a row other than `exceptRow` stands for exactly this name (case-sensitive).
    bool NameInList(const std::wstring& name, int exceptRow) const;
    // The live record of the selected row, or none.
    CDeviceSettings* SelectedDevice(int& row) const;
    void UpdateButtons();
    void ShowNameError(bool duplicate);

    CButton removeButton_;
    CButton modifyButton_;
    CReportListCtrl list_;
    int nextRowNumber_ = 1;
    bool applied_ = true;   // the result of the last apply
};
