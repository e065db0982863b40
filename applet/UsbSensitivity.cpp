#include "UsbSensitivity.h"

#include "DeviceAccess.h"
#include "DeviceSettings.h"
#include "DriverProtocol.h"

namespace {
// One word in, optionally one word out.
bool WordRequest(CDeviceSettings* device, DWORD code, uint16_t input, uint16_t* output)
{
    SensitivityWord in{input};
    SensitivityWord out{kSensitivityNoValue};
    bool sent = DeviceIoctl(device, code, &in, sizeof in, output ? &out : nullptr, output ? sizeof out : 0);
    if (output)
        *output = sent ? out.value : kSensitivityNoValue;
    return sent;
}
}  // namespace

bool SendSensitivityCommand(CDeviceSettings* device, uint16_t command, uint16_t& reply)
{
    return WordRequest(device, IOCTL_SENSITIVITY_COMMAND, command, &reply);
}

bool SendSensitivityMode(CDeviceSettings* device, uint16_t mode)
{
    return WordRequest(device, IOCTL_SENSITIVITY_MODE, mode, nullptr);
}

bool ReadSensitivityWord(CDeviceSettings* device, uint16_t address, uint16_t& word)
{
    return WordRequest(device, IOCTL_SENSITIVITY_DATA, address, &word);
}

bool ProbeSensitivityData(CDeviceSettings* device)
{
    return WordRequest(device, IOCTL_SENSITIVITY_DATA, 0, nullptr);
}

bool SendSensitivityCont(CDeviceSettings* device) { return DeviceIoctl(device, IOCTL_SENSITIVITY_CONT); }
