#include "ModeSwitch.h"

#include <string>

#include "DeviceAccess.h"
#include "DeviceKeys.h"
#include "DeviceRecord.h"
#include "DriverProtocol.h"
#include "KeyHandle.h"
#include "RegistryKey.h"

namespace tray {

namespace {
constexpr DWORD kDeviceTextBytes = 1000;   // "Device Name" and "Controller Type"

void SendModeToDevice(CDeviceRecord& device, DWORD mode, const HANDLE* eventVariable, DWORD hitOne)
{
    CloseDeviceHandle(&device);
    if (mode == kPrimaryMode) {
        const PrimaryModeRequest request = MakePrimaryModeRequest(0);
        DeviceIoctl(&device, IOCTL_USE_PRIMARY_MODE, &request, sizeof request);
    } else if (mode == kSecondaryMode) {
        const SecondaryModeRequest request = MakeSecondaryModeRequest(eventVariable, hitOne);
        DeviceIoctl(&device, IOCTL_USE_SECONDARY_MODE, &request, sizeof request);
    }
    CloseDeviceHandle(&device);
}
}  // namespace

HANDLE CreateModeEvent(const wchar_t* name) { return ::CreateEventW(nullptr, TRUE, FALSE, name); }

bool NamedEventExists(const wchar_t* name)
{
    HANDLE event = ::OpenEventW(EVENT_ALL_ACCESS, FALSE, name);
    if (!event)
        return false;
    ::CloseHandle(event);
    return true;
}

DWORD NormalisedHitOne(DWORD stored) { return stored == 1 ? 1 : 0; }

void SendModeToAllDevices(CRegistryKey& registry, DWORD mode, const HANDLE* eventVariable, DWORD hitOne)
{
    ForEachDeviceKey(registry, [&](DeviceFamily, const std::wstring& subkey, CKeyHandle& key) {
        CRegistryKey values;
        values.Attach(key.Get());
        CDeviceRecord device;
        device.Str_SubKey = subkey;
        values.ReadString(L"Device Name", device.Str_DeviceName, kDeviceTextBytes);
        values.ReadString(L"Controller Type", device.ControllerProtocol, kDeviceTextBytes);
        SendModeToDevice(device, mode, eventVariable, hitOne);
        return false;
    });
}

}  // namespace tray
