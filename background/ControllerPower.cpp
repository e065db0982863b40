#include "ControllerPower.h"

#include "DeviceAccess.h"
#include "DeviceFinder.h"
#include "DeviceKeys.h"
#include "DriverProtocol.h"

#include <cstdio>

namespace segmenta {

namespace {
constexpr int kFirstSwitched = 1;
constexpr int kLastSwitched = 3;
constexpr DWORD kControllerRestMs = 1000;   // between switching off and on again on a wake

void SetSerialControllersPower(bool enable)
{
    for (int index = kFirstSwitched; index <= kLastSwitched; ++index)
        SetControllerPower(enable, DeviceFamily::Serial, index);
}
}  // namespace

void SetControllerPower(bool enable, DeviceFamily kind, int index)
{
    char name[32];
    std::snprintf(name, sizeof name, kind == DeviceFamily::Serial ? "RILO Device-%d" : "MEKA Device-%d", index);
    CDeviceFinderA finder;
    std::unique_ptr<CDeviceRecordA> device = finder.FindDevice(name);
    if (!device)
        return;
    DWORD enabled = 0;
    if (finder.Key().ReadDword("Controller Enabled", &enabled) && enabled == 1)
        DeviceIoctl(device.get(), enable ? IOCTL_ENABLE_DEVICE : IOCTL_DISABLE_DEVICE);
}

void SuspendControllers()
{
    SetSerialControllersPower(false);
}

void ResumeControllers()
{
    SetSerialControllersPower(false);
    ::Sleep(kControllerRestMs);
    SetSerialControllersPower(true);
}

}  // namespace segmenta

CPowerEvents::Action CPowerEvents::OnPowerEvent(WPARAM event)
{
    switch (event) {
    case PBT_APMSUSPEND:
        resumed_ = false;
        return Action::Suspend;
    case PBT_APMRESUMEAUTOMATIC:
    case PBT_APMRESUMESUSPEND:
        if (resumed_)
            return Action::None;
        resumed_ = true;
        return Action::Resume;
    default:
        return Action::None;
    }
}
