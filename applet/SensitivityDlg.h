#pragma once
// "Sensitivity adjust" for a serial controller: shows the controller's touch sensitivity and
// lets the user read it, make the panel one step more sensitive or duller, or let the
// controller adjust itself after a touch. Every function is one exchange over the COM port
// (CSerialController); nothing is stored in the registry.
#include <windows.h>

#include "StoppableThread.h"
#include "SensitivityDialog.h"
#include "SensitivityReplies.h"
#include "SerialPort.h"

class CSerialController;
class CDeviceSettings;
class CTouchHereDlg;

class CSensitivityDlg : public CSensitivityDialog {
public:
    // The automatic adjustment's watchdog ends the wait for the answer after four seconds.
    static constexpr DWORD kAutoAdjustWatchMs = 4000;

    CSensitivityDlg();
    ~CSensitivityDlg() override;

    bool OnInitDialog() override;
    bool OnButtonClicked(int id) override;

    // Display Sensitivity: reads the value with "ST" and shows it; 1 when it came, else 0.
    int DisplaySensitivity();

private:
    // "ST" and, when a valid value came, the number and the slider.
    bool ReadSensitivity();
    void StepSensitivity(applet::StepDirection direction);
    void AutoAdjust();
    enum class AutoAdjustReply {
        Value,      // a value field came (in `field`)
        TimedOut,   // the watchdog ended the wait
        NoValue,    // 79 reads brought no value field
    };
    // The reading of the automatic adjustment's answer, under the watchdog.
    AutoAdjustReply ReadAutoAdjustReply(CSerialController& controller, char (&field)[applet::kValueFieldChars]);
    // The closing waits after a successful adjustment or a port failure.
    void FinishAutoAdjust(CSerialController& controller, CSerialPort::Fault fault);
    // A failure the user is told of: the port closed, the device given back, the message, then
    // the prompt (when it was shown) goes and the end of a failed adjustment follows.
    void ReportFailedAutoAdjust(CSerialController& controller, CTouchHereDlg& prompt, const wchar_t* message);
    // The end of a failed adjustment: the prompt goes, Auto Adjust comes back after 500 ms.
    void EndFailedAutoAdjust();

    static DWORD WINAPI AutoAdjustWatchThreadProc(void* param);

    // Shared with the watchdog thread, always accessed with interlocked operations.
    volatile LONG autoAdjustDone_ = 0;
    volatile LONG readCount_ = 0;
    CStoppableThread watchdog_;
};
