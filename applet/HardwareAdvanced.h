#pragma once
// "Advanced Serial Settings": the baud rate, parity, data bits and stop bits of a serial
// controller, chosen from fixed lists. The dialog works on texts only: the Hardware page hands
// it the current texts before each run and converts the chosen ones after OK.
#include <string>

#include "ComboBox.h"
#include "Dialog.h"

class CHardwareAdvanced : public CDialog {
public:
    explicit CHardwareAdvanced(HWND parent = nullptr);

    // An empty text leaves the member as it is.
    void SetBaudRate(const std::wstring& text);
    void SetParity(const std::wstring& text);
    void SetDataBits(const std::wstring& text);
    void SetStopBits(const std::wstring& text);
    std::wstring GetBaudRate() const { return baudRate_; }
    std::wstring GetParity() const { return parity_; }
    std::wstring GetDataBits() const { return dataBits_; }
    std::wstring GetStopBits() const { return stopBits_; }

    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange& dx) override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    CComboBox stopBitsList_;
    CComboBox parityList_;
    CComboBox dataBitsList_;
    CComboBox baudRateList_;
    std::wstring baudRate_;
    std::wstring parity_;
    std::wstring dataBits_;
    std::wstring stopBits_;
};
