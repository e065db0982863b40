#include "DeviceFinder.h"

#include "CharText.h"
#include "DeviceKeys.h"

#include <string>
#include <utility>

namespace {
constexpr DWORD kDeviceNameBytes = 260;        // "Device Name" is read through 260 bytes
constexpr DWORD kControllerTypeBytes = 1000;
constexpr DWORD kDefaultCalibrationTimeout = 10;
}  // namespace

template <typename Record>
CBasicDeviceFinder<Record>::~CBasicDeviceFinder() = default;

template <typename Record>
std::unique_ptr<Record> CBasicDeviceFinder<Record>::FindDevice(const Char* name)
{
    using String = std::basic_string<Char>;
    deviceKey_ = CScopedAttach();
    std::unique_ptr<Record> record;
    ForEachDeviceKey(key_, [&](DeviceFamily, const String& subkey, CKeyHandle& device) {
        key_.Attach(device.Get());
        String deviceName;
        if (!key_.ReadString(TIVEN_TEXT(Char, "Device Name"), deviceName, kDeviceNameBytes) || deviceName != name) {
            key_.Attach(nullptr);
            return false;
        }
        deviceKey_ = CScopedAttach(key_, std::move(device));
        record = std::make_unique<Record>();
        ReadDeviceValues(*record);
        record->Str_SubKey = subkey;
        record->Str_DeviceName = deviceName;
        return true;
    });
    return record;
}

template <typename Record>
void CBasicDeviceFinder<Record>::ReadDeviceValues(Record& record)
{
    DWORD timeout = 0;
    key_.ReadDword(TIVEN_TEXT(Char, "Calibration Timeout"), &timeout);
    record.dwCalibrationTimeout = timeout == 0 ? kDefaultCalibrationTimeout : timeout;
    key_.ReadString(TIVEN_TEXT(Char, "Controller Type"), record.ControllerProtocol, kControllerTypeBytes);
}

template class CBasicDeviceFinder<CDeviceRecord>;
template class CBasicDeviceFinder<CDeviceRecordA>;
