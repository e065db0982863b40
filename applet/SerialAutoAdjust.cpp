// The automatic adjustment of a serial controller ("SI"): the controller answers with its new
// value once the user has touched the panel. The window thread reads the answer two bytes at a
// time while a watchdog thread ends the wait after four seconds.
#include "SensitivityDlg.h"

#include "AppletGlobals.h"
#include "DeviceAccess.h"
#include "DriverProtocol.h"
#include "SerialController.h"
#include "TouchPrompts.h"
#include "WinApp.h"
#include "resource.h"

using namespace applet;

namespace {
constexpr LONG kTimedOutCount = 1000;   // the watchdog's mark in the read counter
constexpr LONG kMostReads = 79;         // reads of two bytes before giving up without a value
constexpr DWORD kChunkBytes = 2;
constexpr UINT kFailedBackMs = 500;
constexpr UINT kFinishedBackMs = 1000;

LONG Peek(volatile LONG& value) { return InterlockedCompareExchange(&value, 0, 0); }
}  // namespace

DWORD WINAPI CSensitivityDlg::AutoAdjustWatchThreadProc(void* param)
{
    auto* self = static_cast<CSensitivityDlg*>(param);
    // Ends at once when the reading is over; otherwise marks the time-out for the reader.
    if (!self->watchdog_.WaitForStop(kAutoAdjustWatchMs)) {
        InterlockedExchange(&self->readCount_, kTimedOutCount);
        InterlockedExchange(&self->autoAdjustDone_, 1);
    }
    return 0;
}

CSensitivityDlg::AutoAdjustReply CSensitivityDlg::ReadAutoAdjustReply(CSerialController& controller,
                                                                     char (&field)[kValueFieldChars])
{
    CReplyText reply;
    InterlockedExchange(&readCount_, 1);
    for (;;) {
        char chunk[8] = {};
        DWORD got = controller.Port().Read(chunk, kChunkBytes);
        if (Peek(readCount_) >= kTimedOutCount)
            return AutoAdjustReply::TimedOut;
        reply.Append(chunk, got);
        if (reply.FindValueField(field))
            return AutoAdjustReply::Value;
        // Only the watchdog sets the flag while the reading runs, after marking the counter.
        if (Peek(autoAdjustDone_))
            return AutoAdjustReply::TimedOut;
        if (InterlockedIncrement(&readCount_) > kMostReads)
            return AutoAdjustReply::NoValue;
    }
}

void CSensitivityDlg::AutoAdjust()
{
    CDeviceSettings* device = Applet().currentDevice;
    CTouchHereDlg prompt;
    CSerialController controller(device);
    CSerialPort::Fault fault = controller.OpenPort(CSerialController::Disable::IfHandleHeld);
    if (fault != CSerialPort::Fault::None) {
        FinishAutoAdjust(controller, fault);
        return;
    }
    autoAdjustButton_.EnableWindow(false);
    // A command that did not go out brings no answer: nobody is asked to touch the panel.
    if (!controller.Port().Send("SI")) {
        ReportFailedAutoAdjust(controller, prompt, L"Can't Send. Please Retry");
        return;
    }
    prompt.Create();

    InterlockedExchange(&autoAdjustDone_, 0);
    watchdog_.Start(AutoAdjustWatchThreadProc, this);
    char field[kValueFieldChars];
    const AutoAdjustReply answer = ReadAutoAdjustReply(controller, field);
    InterlockedExchange(&autoAdjustDone_, 1);
    watchdog_.Stop();

    if (answer != AutoAdjustReply::Value) {
        ReportFailedAutoAdjust(controller, prompt,
                               answer == AutoAdjustReply::TimedOut ? L"Timeout" : L"Can't Receive. Please Retry");
        return;
    }
    ValueReading reading = ParseValueField(field);
    if (reading.verdict == ValueVerdict::NotDigits) {
        controller.ClosePort();
        ReadSensitivity();
        prompt.DestroyWindow();
        EndFailedAutoAdjust();
        return;
    }
    if (reading.verdict == ValueVerdict::OutOfRange) {
        ReportFailedAutoAdjust(controller, prompt, L"Receive Value Range Error!\r\tPlease Retry");
        return;
    }
    ShowFinishedNumber(kShownBase - reading.raw);
    prompt.DestroyWindow();
    ::UpdateWindow(m_hWnd);
    // Auto Adjust stays disabled through the closing waits.
    FinishAutoAdjust(controller, CSerialPort::Fault::None);
}

void CSensitivityDlg::ReportFailedAutoAdjust(CSerialController& controller, CTouchHereDlg& prompt,
                                             const wchar_t* message)
{
    controller.ClosePort();
    controller.EnableDevice();
    AppMessageBox(message);
    prompt.DestroyWindow();
    EndFailedAutoAdjust();
}

void CSensitivityDlg::EndFailedAutoAdjust()
{
    ::UpdateWindow(m_hWnd);
    SetTimer(m_hWnd, IDT_SENS_AUTO_ADJUST, kFailedBackMs, nullptr);
}

void CSensitivityDlg::FinishAutoAdjust(CSerialController& controller, CSerialPort::Fault fault)
{
    // The controller needs these pauses before the driver takes the port back.
    Sleep(100);
    controller.ClosePort();
    Sleep(900);
    HANDLE handle = GetDeviceHandle(Applet().currentDevice);
    Sleep(1000);
    if (IsValidDeviceHandle(handle))
        DeviceIoctl(Applet().currentDevice, IOCTL_ENABLE_DEVICE);
    else
        AppMessageBox(L"Failed to hDevice NULL!");
    CSerialController::ReportPortFault(fault);
    SetTimer(m_hWnd, IDT_SENS_AUTO_ADJUST, kFinishedBackMs, nullptr);
}
