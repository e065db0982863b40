#pragma once
// The Hardware page: for the current device, the serial port settings of a serial controller
// (port, FIFO, baud rate, parity, data bits, stop bits; the line settings through the Advanced
// dialog), and the controller sensitivity tools of one-sheet controllers: the Sensitive button
// (the sensitivity dialogs) and Write and Read, which store the controller's sensitivity data
// or fetch it back (serial controllers over the COM port, USB controllers through the driver).
#include <memory>
#include <string>

#include "Button.h"
#include "ComboBox.h"
#include "DevicePage.h"
#include "Edit.h"
#include "HardwareAdvanced.h"
#include "SensitivityDlg.h"
#include "SensitivityUsbDlg.h"

class CDeviceSettings;

class CHardwarePage : public CDevicePage {
public:
    CHardwarePage();

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnSetActive() override;
    void OnOK() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnButtonClicked(int id) override;

    // Shows (or hides) the port settings of a serial controller; control 1124 takes their place.
    void ShowSerialControls(bool show);
    // The record's serial values in the controls, correcting what cannot be shown.
    void ShowPortSettings();

private:
    void SetLabels();
    // Shows the controls that fit the current device (none of the device's own without one).
    void ShowDeviceControls();
    void ShowSensitivityTools(bool show);
    // Sensitive, Write, Read and Advanced, disabled while a tool runs.
    void EnableTools(bool enable);
    void MarkHardwareChanged();
    int ShowMessage(const wchar_t* text, const wchar_t* caption, UINT type) const;

    void OnDeviceChanged();
    void OnFifoChanged();
    void OnPortChanged();
    void OnAdvanced();
    void OnSensitive();
    void OnWrite();
    void OnRead();
    void OnCont();
    void OnGet();
    // A tool for the current device: the serial or the USB one, with the tools disabled meanwhile.
    using Tool = void (CHardwarePage::*)(CDeviceSettings*);
    void RunTool(Tool serial, Tool usb);
    void AdjustSerial(CDeviceSettings* device);
    void AdjustUsb(CDeviceSettings* device);
    bool Confirm(const std::wstring& question) const;
    // The serial probe before Write and Read: "Disable" when the controller does not answer.
    bool SerialControllerAnswers(CDeviceSettings* device) const;
    void WriteSerialData(CDeviceSettings* device);
    void WriteUsbData(CDeviceSettings* device);
    void ReadSerialData(CDeviceSettings* device);
    void ReadUsbData(CDeviceSettings* device);

    CButton readButton_;
    CButton writeButton_;
    CButton sensitiveButton_;
    CButton advancedButton_;
    CWnd dataLabel_;
    std::wstring address_;
    std::wstring irq_;
    std::wstring baudRate_;
    std::wstring parity_;
    std::wstring dataBits_;
    std::wstring stopBits_;
    std::wstring fifo_;
    std::wstring writeConfirmation_;
    std::wstring readConfirmation_;
    CComboBox fifoList_;
    CComboBox deviceList_;
    CComboBox portList_;
    CEdit getHighEdit_;
    CEdit getLowEdit_;
    std::unique_ptr<CHardwareAdvanced> advanced_;
    CSensitivityDlg sensitivityDlg_;
    CSensitivityUsbDlg sensitivityUsbDlg_;
};
