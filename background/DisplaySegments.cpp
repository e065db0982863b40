#include "DisplaySegments.h"

#include "AnsiText.h"
#include "DeviceAccess.h"
#include "DeviceKeys.h"
#include "DeviceRecord.h"
#include "DriverProtocol.h"
#include "KeyHandle.h"
#include "NameTable.h"
#include "RegistryKey.h"
#include "SegmentMapper.h"

#include <string>

namespace {
constexpr DWORD kSecondaryMonitorIndex = 2;
constexpr DWORD kTextBytes = 1000;
}  // namespace

DWORD CDisplaySegments::GetSegmentId(const char* displayName) const
{
    const int index = MakeSegmentNames().IndexOf(WidenAnsi(displayName));
    return index < 0 ? 0 : CSegmentMapper().GetSegmentId(index);
}

namespace segmenta {

void UpdateSecondarySegments()
{
    const BYTE code = static_cast<BYTE>(CDisplaySegments().GetSegmentId("Secondary Monitor"));
    CRegistryKey registry;
    ForEachDeviceKey(registry, [&](DeviceFamily, const std::string& subkey, CKeyHandle& key) {
        registry.Attach(key.Get());
        DWORD segment = 0;
        if (registry.ReadDword("Logical Desktop Segment", &segment) && segment == kSecondaryMonitorIndex) {
            CDeviceRecordA device;   // closes its driver handle when it goes
            device.Str_SubKey = subkey;
            registry.ReadString("Device Name", device.Str_DeviceName, kTextBytes);
            registry.ReadString("Controller Type", device.ControllerProtocol, kTextBytes);
            const DWORD segmentId = code;
            registry.WriteDword("Logical Desktop Segment ID", &segmentId);
            DeviceIoctl(&device, IOCTL_DEVICE_SEGMENT, &code, sizeof code);
        }
        registry.Attach(nullptr);
        return false;   // the walk closes the device key
    });
}

}  // namespace segmenta
