#include "SerialController.h"

#include <cstdint>

#include "DeviceAccess.h"
#include "DeviceSettings.h"
#include "DriverProtocol.h"
#include "TouchPrompts.h"
#include "WinApp.h"

using namespace applet;

namespace {
constexpr int kValueAttempts = 4;       // the first "ST" and up to three repeats
constexpr int kReplyReads = 5;          // reads of two bytes for one value reply
constexpr DWORD kReplyChunkBytes = 2;
constexpr DWORD kCommandPauseMs = 500;  // between the data write's commands, and after "DR"
constexpr DWORD kFaultPauseMs = 100;
}  // namespace

CSerialController::CSerialController(CDeviceSettings* device) : device_(device) {}

CSerialController::~CSerialController() { port_.Close(); }

void CSerialController::ReportPortFault(CSerialPort::Fault fault)
{
    switch (fault) {
    case CSerialPort::Fault::None:
        break;
    case CSerialPort::Fault::Open:
        AppMessageBox(L"Failed to Open COM");
        break;
    case CSerialPort::Fault::State:
        AppMessageBox(L"Failed to GetCOMMState");
        break;
    case CSerialPort::Fault::Discard:
        AppMessageBox(L"Failed to Clear COM Input");
        break;
    }
}

CSerialPort::Fault CSerialController::OpenPort(Disable disable)
{
    if (!device_)
        return CSerialPort::Fault::Open;
    if (disable == Disable::Always || IsValidDeviceHandle(device_->hDevice))
        DeviceIoctl(device_, IOCTL_DISABLE_DEVICE);
    return port_.Open(device_->Str_Port);
}

bool CSerialController::EnableDevice()
{
    if (!IsValidDeviceHandle(GetDeviceHandle(device_)))
        return false;
    DeviceIoctl(device_, IOCTL_ENABLE_DEVICE);
    return true;
}

void CSerialController::Finish()
{
    port_.Close();
    EnableDevice();
}

void CSerialController::CleanUpAfterFault(CSerialPort::Fault fault, bool reportHandle)
{
    Sleep(kFaultPauseMs);
    port_.Close();
    HANDLE handle = GetDeviceHandle(device_);
    if (IsValidDeviceHandle(handle))
        DeviceIoctl(device_, IOCTL_ENABLE_DEVICE);
    if (reportHandle && handle == nullptr)
        AppMessageBox(L"null");
    else if (reportHandle && handle == INVALID_HANDLE_VALUE)
        AppMessageBox(L"invalid");
    ReportPortFault(fault);
}

bool CSerialController::ReadValueReply(char (&field)[kValueFieldChars])
{
    reply_.Clear();
    for (int read = 1; read <= kReplyReads; ++read) {
        char chunk[8] = {};
        DWORD got = port_.Read(chunk, kReplyChunkBytes);
        reply_.Append(chunk, got);
        if (reply_.FindValueField(field))
            return true;
    }
    return false;
}

bool CSerialController::ReadSensitivity(int& raw)
{
    if (!device_)
        return false;
    CSerialPort::Fault fault = OpenPort(Disable::Always);
    if (fault != CSerialPort::Fault::None) {
        if (fault == CSerialPort::Fault::Open)
            AppMessageBox(std::to_wstring(static_cast<long>(port_.OpenError())));
        CleanUpAfterFault(fault, true);
        return false;
    }
    ValueReading reading;
    for (int attempt = 0; attempt < kValueAttempts; ++attempt) {
        char field[kValueFieldChars];
        if (!port_.Send("ST") || !ReadValueReply(field)) {
            Finish();
            return false;   // no answer: the caller says what that means
        }
        reading = ParseValueField(field);
        if (reading.verdict == ValueVerdict::Valid) {
            Finish();
            raw = reading.raw;
            return true;
        }
    }
    Finish();
    AppMessageBox(reading.verdict == ValueVerdict::NotDigits ? L"Receive Value Error!" : L"Receive Value Range Error!");
    return false;
}

CSerialController::StepResult CSerialController::Step(StepDirection direction, int previousRaw, int& raw)
{
    CSerialPort::Fault fault = OpenPort(Disable::Always);
    if (fault != CSerialPort::Fault::None) {
        CleanUpAfterFault(fault, false);
        return StepResult::PortFault;
    }
    char field[kValueFieldChars];
    bool answered = port_.Send(direction == StepDirection::Sharper ? "SD" : "SU") && ReadValueReply(field);
    Finish();
    if (!answered)
        return StepResult::Rejected;
    ValueReading reading = ParseValueField(field);
    if (reading.verdict != ValueVerdict::Valid || !StepAccepts(direction, previousRaw, reading.raw))
        return StepResult::Rejected;
    raw = reading.raw;
    return StepResult::Accepted;
}

CSerialPort::Fault CSerialController::OpenPortForData()
{
    CSerialPort::Fault fault = OpenPort(Disable::Always);
    if (fault != CSerialPort::Fault::None) {
        port_.Close();
        DeviceIoctl(device_, IOCTL_ENABLE_DEVICE);
        ReportPortFault(fault);
    }
    return fault;
}

CSerialPort::Fault CSerialController::WriteData(CDontTouchDlg& notice, DataBlockVerdict& verdict)
{
    verdict = DataBlockVerdict::Failed;
    CSerialPort::Fault fault = OpenPortForData();
    if (fault != CSerialPort::Fault::None)
        return fault;
    notice.Create();
    // The area is cleared first: bytes that did not arrive must not pass any check.
    uint8_t block[kDataBlockBytes] = {};
    DWORD received = 0;
    if (port_.Send("CR")) {
        Sleep(kCommandPauseMs);
        if (port_.Send("DW")) {
            Sleep(kCommandPauseMs);
            if (port_.Send("MR"))
                received = port_.Read(block, sizeof block);
        }
    }
    verdict = CheckDataBlock(block, received);
    notice.DestroyWindow();
    port_.Close();
    DeviceIoctl(device_, IOCTL_ENABLE_DEVICE);
    return CSerialPort::Fault::None;
}

CSerialPort::Fault CSerialController::ReadData()
{
    CSerialPort::Fault fault = OpenPortForData();
    if (fault != CSerialPort::Fault::None)
        return fault;
    port_.Send("DR");
    Sleep(kCommandPauseMs);
    port_.Close();
    DeviceIoctl(device_, IOCTL_ENABLE_DEVICE);
    return CSerialPort::Fault::None;
}
