#include "DeviceFinder.h"

#include "DeviceKeys.h"

#include <string>
#include <utility>

namespace {
constexpr DWORD kDeviceNameBytes = 260;        // "Device Name" is read through 260 bytes
constexpr DWORD kControllerTypeBytes = 1000;
constexpr DWORD kDefaultCalibrationTimeout = 10;
}  // namespace

CDeviceFinder::~CDeviceFinder() = default;

std::unique_ptr<CDeviceRecord> CDeviceFinder::FindDevice(const wchar_t* name)
{
    deviceKey_ = CScopedAttach();
    std::unique_ptr<CDeviceRecord> record;
    ForEachDeviceKey(key_, [&](DeviceFamily, const std::wstring& subkey, CKeyHandle& device) {
        key_.Attach(device.Get());
        std::wstring deviceName;
        if (!key_.ReadString(L"Device Name", deviceName, kDeviceNameBytes) || deviceName != name) {
            key_.Attach(nullptr);
            return false;
        }
        deviceKey_ = CScopedAttach(key_, std::move(device));
        record = std::make_unique<CDeviceRecord>();
        ReadDeviceValues(*record);
        record->Str_SubKey = subkey;
        record->Str_DeviceName = deviceName;
        return true;
    });
    return record;
}

void CDeviceFinder::ReadDeviceValues(CDeviceRecord& record)
{
    DWORD timeout = 0;
    key_.ReadDword(L"Calibration Timeout", &timeout);
    record.dwCalibrationTimeout = timeout == 0 ? kDefaultCalibrationTimeout : timeout;
    key_.ReadString(L"Controller Type", record.ControllerProtocol, kControllerTypeBytes);
}
