#pragma once
// The applet's one window: a modal property sheet holding the device pages. It reads the
// product-key paths the pages need, loads the label file, names itself after the controller
// kind (the title is kept in "Device Label" so a second opening finds it), adds a Calibrate
// button, sends every help request to the HTML help file, and keeps the user on the first page
// while no controller is left.
#include <string>
#include <vector>

#include "AboutPage.h"
#include "AdvancedPage.h"
#include "Button.h"
#include "CalibrationPage.h"
#include "DevicesPage.h"
#include "EventsPage.h"
#include "GeneralPage.h"
#include "HardwarePage.h"
#include "HelpPrSheet.h"
#include "SettingsPage.h"
#include "StatusPage.h"
#include "WindowsPage.h"

class CDeviceControlUnitPropertySheet : public CHelpPrSheet {
public:
    CDeviceControlUnitPropertySheet(const std::wstring& caption, HWND parent, UINT startPage);
    ~CDeviceControlUnitPropertySheet() override;

    // The title shown, as written to "Device Label".
    const std::wstring& Title() const { return title_; }

    bool OnInitDialog() override;
    bool OnNotify(NMHDR* header, LRESULT& result) override;
    bool OnCommand(int id, int code, HWND control) override;
    void WinHelp(DWORD_PTR data, UINT command) override;
    virtual void OnHelp();

protected:
    void AddPages();
    void OnCalibrate();

private:
    void ReadProductKey();
    void LoadLabels();

    // The pages, in construction order; AddPages puts them in tab order.
    CAdvancedPage advancedPage_;
    CSettingsPage settingsPage_;
    CWindowsPage windowsPage_;
    CDevicesPage devicesPage_;
    CGeneralPage generalPage_;
    CAboutPage aboutPage_;
    CEventsPage eventsPage_;
    CHardwarePage hardwarePage_;
    CStatusPage statusPage_;
    CCalibrationPage calibrationPage_;
    CButton calibrateButton_;
    std::wstring helpFilePath_;
    std::wstring title_;
    bool noControllerLeft_ = false;
};
