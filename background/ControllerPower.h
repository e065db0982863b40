#pragma once
// The power step of the segment listener: serial controllers are switched off when the machine
// suspends and off and on again when it wakes, so they start clean after the wake.
#include <windows.h>

enum class DeviceFamily;

// Which power broadcasts suspend and resume. A wake without user input brings only
// PBT_APMRESUMEAUTOMATIC; one with user input brings that and then PBT_APMRESUMESUSPEND; either
// is the resume, taken once per wake.
class CPowerEvents {
public:
    enum class Action { None, Suspend, Resume };

    Action OnPowerEvent(WPARAM event);

private:
    bool resumed_ = false;   // the resume of the last suspend has been taken
};

namespace segmenta {

// Sends IOCTL_ENABLE_DEVICE or IOCTL_DISABLE_DEVICE to the device named by its default name,
// "RILO Device-<index>" (serial) or "MEKA Device-<index>" (USB), when that device exists and its
// "Controller Enabled" is 1: a controller the user switched off stays as it is.
void SetControllerPower(bool enable, DeviceFamily kind, int index);

// The controllers switched by the power step: the serial devices with the default names 1 to 3.
void SuspendControllers();
// Switches them off, waits a second, and switches them on again (blocks the caller's thread).
void ResumeControllers();

}  // namespace segmenta
