#pragma once
// The sensitivity exchanges with a serial touch controller, spoken directly over its COM port:
// commands of two letters and a carriage return, value replies with a blank and four digits,
// and a 250-byte data block. The serial driver normally owns the port, so every exchange first
// asks it to let the device go (IOCTL_DISABLE_DEVICE), opens the port itself, and gives the
// device back (IOCTL_ENABLE_DEVICE) on every path before it returns. The exchanges report their
// own failures in application message boxes; the callers show what the results mean.
#include <windows.h>

#include "SensitivityReplies.h"
#include "SerialPort.h"

class CDeviceSettings;
class CDontTouchDlg;

class CSerialController {
public:
    // Which devices the exchange asks the driver to let go of.
    enum class Disable {
        Always,         // the device, opening its driver handle when none is cached
        IfHandleHeld,   // only a device whose record already holds an open handle
    };
    enum class StepResult { Accepted, Rejected, PortFault };

    explicit CSerialController(CDeviceSettings* device);
    CSerialController(const CSerialController&) = delete;
    CSerialController& operator=(const CSerialController&) = delete;
    ~CSerialController();   // a port still open is closed (the device is not enabled here)

    // "ST", repeated up to three times while the reply is not a valid value. True with the raw
    // value; false after a message for bad values and port failures, and silently when the
    // controller does not answer.
    bool ReadSensitivity(int& raw);
    // "SD" (Sharper) or "SU" (Duller): Accepted with the raw value when the reply lies in the
    // step's window around previousRaw; Rejected for any other reply or none.
    StepResult Step(applet::StepDirection direction, int previousRaw, int& raw);
    // The data write: "CR", "DW", "MR" with half a second between them, the notice shown until
    // the block has been read. Port failures are reported here; the verdict is the caller's.
    CSerialPort::Fault WriteData(CDontTouchDlg& notice, applet::DataBlockVerdict& verdict);
    // The data read: "DR", then half a second for the controller before the port closes.
    CSerialPort::Fault ReadData();

    // Pieces for the automatic adjustment, whose reading runs under the dialog's watchdog.
    CSerialPort::Fault OpenPort(Disable disable);
    CSerialPort& Port() { return port_; }
    void ClosePort() { port_.Close(); }
    // Gives the device back when the driver handle can be opened; false when it cannot.
    bool EnableDevice();
    // "Failed to Open COM", "Failed to GetCOMMState" or "Failed to Clear COM Input".
    static void ReportPortFault(CSerialPort::Fault fault);

private:
    // Up to five reads of two bytes until a value field has come.
    bool ReadValueReply(char (&field)[applet::kValueFieldChars]);
    // Opens the port for the data write or read; after a failure the port is closed, the device
    // given back and the fault reported.
    CSerialPort::Fault OpenPortForData();
    // Close and give the device back.
    void Finish();
    // After a port fault: the port closed, the device given back (saying so when it has no
    // handle, with reportHandle), then the fault's message.
    void CleanUpAfterFault(CSerialPort::Fault fault, bool reportHandle);

    CDeviceSettings* device_;
    CSerialPort port_;
    applet::CReplyText reply_;
};
