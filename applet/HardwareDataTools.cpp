// The Hardware page's controller tools: the sensitivity dialogs, and Write and Read, which make
// the controller store its sensitivity data or fetch the stored data back. A serial controller
// is asked over its COM port, a USB controller through its driver. The tools run on the page's
// thread with their buttons disabled, and every path gives the buttons back.
#include "HardwarePage.h"

#include <string>

#include "AppletGlobals.h"
#include "DeviceAccess.h"
#include "DriverProtocol.h"
#include "SerialController.h"
#include "TouchPrompts.h"
#include "UsbSensitivity.h"
#include "resource.h"

using namespace applet;

namespace {
constexpr wchar_t kCheckCaption[] = L"Check";
constexpr wchar_t kConfirmCaption[] = L"Sensitive Data";
constexpr DWORD kUsbDataPauseMs = 500;
// After a store the controller's data words read back so: word 0 = 0x0000, word 1 = 0xAAAA, and
// words 10..26 repeated as words 30..46.
constexpr uint16_t kStoredStatusWord = 0x0000;
constexpr uint16_t kStoredFlagWord = 0xAAAA;
constexpr uint16_t kFirstDataWord = 10, kLastDataWord = 26, kStoredCopyOffset = 20;

}  // namespace

void CHardwarePage::EnableTools(bool enable)
{
    sensitiveButton_.EnableWindow(enable);
    writeButton_.EnableWindow(enable);
    readButton_.EnableWindow(enable);
    advancedButton_.EnableWindow(enable);
}

void CHardwarePage::RunTool(Tool serial, Tool usb)
{
    CDeviceSettings* device = Applet().currentDevice;
    if (!device)
        return;
    EnableTools(false);
    (this->*(device->IsSerial() ? serial : usb))(device);
    EnableTools(true);
}

void CHardwarePage::OnSensitive() { RunTool(&CHardwarePage::AdjustSerial, &CHardwarePage::AdjustUsb); }
void CHardwarePage::OnWrite() { RunTool(&CHardwarePage::WriteSerialData, &CHardwarePage::WriteUsbData); }
void CHardwarePage::OnRead() { RunTool(&CHardwarePage::ReadSerialData, &CHardwarePage::ReadUsbData); }

void CHardwarePage::AdjustSerial(CDeviceSettings*) { sensitivityDlg_.DoModal(); }
void CHardwarePage::AdjustUsb(CDeviceSettings*) { sensitivityUsbDlg_.DoModal(); }

bool CHardwarePage::Confirm(const std::wstring& question) const
{
    return ShowMessage(question.c_str(), kConfirmCaption, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

bool CHardwarePage::SerialControllerAnswers(CDeviceSettings* device) const
{
    // The controller must answer "ST" before its data is stored or fetched.
    CSerialController probe(device);
    int raw = 0;
    if (probe.ReadSensitivity(raw))
        return true;
    ShowMessage(L"Disable", kCheckCaption, MB_ICONEXCLAMATION);
    return false;
}

void CHardwarePage::WriteSerialData(CDeviceSettings* device)
{
    if (!SerialControllerAnswers(device) || !Confirm(writeConfirmation_))
        return;
    CDontTouchDlg notice;
    CSerialController controller(device);
    DataBlockVerdict verdict = DataBlockVerdict::Failed;
    if (controller.WriteData(notice, verdict) != CSerialPort::Fault::None)
        return;
    switch (verdict) {
    case DataBlockVerdict::StatusMissing:
        ShowMessage(L"Write Error!! [0]", kCheckCaption, MB_ICONEXCLAMATION);
        break;
    case DataBlockVerdict::WriteFlagMissing:
        ShowMessage(L"Write Error!! [A]", kCheckCaption, MB_ICONEXCLAMATION);
        break;
    case DataBlockVerdict::Finished:
        ShowMessage(L" Finished ", kCheckCaption, MB_OK);
        break;
    case DataBlockVerdict::Failed:
        ShowMessage(L" Failed!!", kCheckCaption, MB_ICONEXCLAMATION);
        break;
    }
}

void CHardwarePage::ReadSerialData(CDeviceSettings* device)
{
    if (SerialControllerAnswers(device) && Confirm(readConfirmation_))
        CSerialController(device).ReadData();
}

void CHardwarePage::WriteUsbData(CDeviceSettings* device)
{
    if (!ProbeSensitivityData(device)) {
        ShowMessage(L"Disable", kCheckCaption, MB_ICONEXCLAMATION);
        return;
    }
    if (!Confirm(writeConfirmation_))
        return;
    {
        CDontTouchDlg notice;
        notice.Create();
        SendSensitivityMode(device, kSensitivityStoreData);
        Sleep(kUsbDataPauseMs);
    }
    // A word whose request fails counts as wrong: a failed read must not pass for a match.
    uint16_t first = kSensitivityNoValue;
    if (!ReadSensitivityWord(device, 0, first) || first != kStoredStatusWord) {
        ShowMessage(L"Error!! [0]", kCheckCaption, MB_ICONEXCLAMATION);
        return;
    }
    uint16_t second = kSensitivityNoValue;
    if (!ReadSensitivityWord(device, 1, second) || second != kStoredFlagWord) {
        ShowMessage(L"Error!! [1]", kCheckCaption, MB_ICONEXCLAMATION);
        return;
    }
    for (uint16_t address = kFirstDataWord; address <= kLastDataWord; ++address) {
        uint16_t word = kSensitivityNoValue;
        uint16_t copy = kSensitivityNoValue;
        if (!ReadSensitivityWord(device, address, word) ||
            !ReadSensitivityWord(device, static_cast<uint16_t>(address + kStoredCopyOffset), copy) || word != copy) {
            ShowMessage(L"Error!!", kCheckCaption, MB_ICONEXCLAMATION);
            return;
        }
    }
    ShowMessage(L"Finished", kCheckCaption, MB_OK);
}

void CHardwarePage::ReadUsbData(CDeviceSettings* device)
{
    uint16_t word = kSensitivityNoValue;
    if (!ReadSensitivityWord(device, 0, word)) {
        ShowMessage(L"Disable", kCheckCaption, MB_ICONEXCLAMATION);
        return;
    }
    if (!Confirm(readConfirmation_))
        return;
    SendSensitivityMode(device, kSensitivityFetchData);
    Sleep(kUsbDataPauseMs);
}

void CHardwarePage::OnCont()
{
    CDeviceSettings* device = Applet().currentDevice;
    if (IsValidDeviceHandle(GetDeviceHandle(device)))
        SendSensitivityCont(device);
}

void CHardwarePage::OnGet()
{
    CDeviceSettings* device = Applet().currentDevice;
    if (!device || !IsValidDeviceHandle(device->hDevice))
        return;
    uint16_t reply = kSensitivityNoValue;
    if (!SendSensitivityCommand(device, kSensitivityReport, reply))
        return;
    getLowEdit_.SetWindowText(std::to_wstring(reply & 0xFF));
    getHighEdit_.SetWindowText(std::to_wstring(reply >> 8));
}
