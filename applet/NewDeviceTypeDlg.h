#pragma once
// Step 1 of adding a touch device: the controller family (serial or USB) and, for a serial
// controller, its port. The serial controller works on COM2 only, so the port list offers
// "COM2" when the system has that port and "No COM2" otherwise.
#include <string>

#include "Button.h"
#include "ComboBox.h"
#include "Dialog.h"
#include "ListBox.h"

class CNewDeviceTypeDlg : public CDialog {
public:
    explicit CNewDeviceTypeDlg(HWND parent = nullptr);

    // Attributes, after the dialog ended with IDOK.
    std::wstring GetControllerType() const { return controllerType_; }
    std::wstring GetPort() const { return port_; }

protected:
    void DoDataExchange(CDataExchange& dx) override;
    bool OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnButtonClicked(int id) override;
    // Enter with Next disabled reaches the dialog as IDOK; the dialog ends through Next only.
    void OnOK() override;

    void OnNext();
    void OnSelchangeType();

private:
    void SetLabels();
    void FillPorts();
    bool Com2Available() const { return !noSerialPort_ && com2Found_; }

    CListBox controllerList_;
    std::wstring controllerType_;
    std::wstring port_;
    CComboBox portList_;
    CButton nextButton_;
    // What the port list found when this dialog opened.
    bool noSerialPort_ = false;
    bool com2Found_ = false;
};
