#pragma once
// The Status page: asks each driver for its device's state and error counts and shows one row
// per device, and can re-initialise the selected device. Every activation reopens each device
// file and asks again.
#include <string>

#include "Button.h"
#include "DevicePage.h"
#include "ReportListCtrl.h"

class CStatusPage : public CDevicePage {
public:
    CStatusPage();

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;
    void OnOK() override;
    bool OnSetActive() override;
    bool OnButtonClicked(int id) override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;

    void OnReinitialize();
    void OnItemChanged(const NMLISTVIEW& change);

private:
    void SetLabels();
    void Refresh();
    void AddStatusRow(const std::wstring& name, int position, DWORD commErrors, DWORD syncErrors, DWORD state);

    CButton reinitializeButton_;
    CReportListCtrl list_;
};
