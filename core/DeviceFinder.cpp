#include "DeviceFinder.h"

#include "DeviceKeys.h"

#include <string>

namespace {
constexpr DWORD kDeviceNameBytes = 260;        // "Device Name" is read through 260 bytes
constexpr DWORD kControllerTypeBytes = 1000;
constexpr DWORD kDefaultCalibrationTimeout = 10;
}  // namespace

CDeviceFinder::~CDeviceFinder()
{
    CloseDeviceKey();
}

void CDeviceFinder::CloseDeviceKey()
{
    if (!deviceKey_)
        return;
    if (key_.AttachedKey() == deviceKey_)
        key_.Attach(nullptr);
    key_.Close(deviceKey_);
    deviceKey_ = nullptr;
}

std::unique_ptr<CDeviceRecord> CDeviceFinder::FindDevice(const wchar_t* name)
{
    CloseDeviceKey();
    if (auto record = FindUnder(kSerialParametersPath, name))
        return record;
    return FindUnder(kUsbParametersPath, name);
}

std::unique_ptr<CDeviceRecord> CDeviceFinder::FindUnder(const wchar_t* parametersPath, const wchar_t* name)
{
    HKEY parameters = nullptr;
    if (key_.Open(parametersPath, &parameters) != ERROR_SUCCESS)
        return nullptr;
    wchar_t subkeyName[260];
    for (DWORD index = 0; RegEnumKeyW(parameters, index, subkeyName, 260) == ERROR_SUCCESS; ++index) {
        HKEY device = nullptr;
        if (RegOpenKeyExW(parameters, subkeyName, 0, KEY_ALL_ACCESS, &device) != ERROR_SUCCESS)
            continue;
        key_.Attach(device);
        std::wstring deviceName;
        if (key_.ReadString(L"Device Name", deviceName, kDeviceNameBytes) && deviceName == name) {
            deviceKey_ = device;
            auto record = std::make_unique<CDeviceRecord>();
            ReadDeviceValues(*record);
            record->Str_SubKey = subkeyName;
            record->Str_DeviceName = deviceName;
            key_.Close(parameters);
            return record;
        }
        key_.Attach(nullptr);
        key_.Close(device);
    }
    key_.Close(parameters);
    return nullptr;
}

void CDeviceFinder::ReadDeviceValues(CDeviceRecord& record)
{
    DWORD timeout = 0;
    key_.ReadDword(L"Calibration Timeout", &timeout);
    record.dwCalibrationTimeout = timeout == 0 ? kDefaultCalibrationTimeout : timeout;
    key_.ReadString(L"Controller Type", record.ControllerProtocol, kControllerTypeBytes);
}
