// Device-key lookups of CRegistryKey: devices are the numbered subkeys of the serial and the USB
// driver's Parameters keys.
#include "RegistryKey.h"

#include "DeviceKeys.h"
#include "KeyHandle.h"

#include <cwchar>
#include <string>

namespace {
// "Device Name" is compared through a buffer of 260 bytes.
constexpr DWORD kDeviceNameBytes = 260;
}

bool CRegistryKey::FindDevice(const wchar_t* deviceName)
{
    return ForEachDeviceKey(*this, [&](DeviceFamily, const std::wstring&, CKeyHandle& device) {
        Attach(device.Get());
        std::wstring name;
        if (ReadString(L"Device Name", name, kDeviceNameBytes) && name == deviceName) {
            device.Release();   // the device key stays open and attached; the caller closes it
            return true;
        }
        Attach(nullptr);
        return false;
    });
}

DWORD CRegistryKey::HighestInstance(const wchar_t* path)
{
    DWORD highest = 1;
    HKEY opened = nullptr;
    if (Open(path, &opened) != ERROR_SUCCESS)
        return highest;
    CKeyHandle parent(opened);
    wchar_t subkeyName[1000];
    for (DWORD index = 0; RegEnumKeyW(parent.Get(), index, subkeyName, 1000) == ERROR_SUCCESS; ++index) {
        DWORD number = static_cast<DWORD>(wcstoul(subkeyName, nullptr, 10));
        if (number > highest)
            highest = number;
    }
    return highest;
}

DWORD CRegistryKey::NextFreeInstance(DeviceFamily family)
{
    DWORD highest = HighestInstance(ParametersPath(family));
    for (DWORD i = 1; i <= highest; ++i) {
        HKEY key = nullptr;
        if (Open(DeviceKeyPath(family, std::to_wstring(i)).c_str(), &key) != ERROR_SUCCESS)
            return i;
        Close(key);
    }
    return highest + 1;
}

DWORD CRegistryKey::NextFreeSerialInstance()
{
    return NextFreeInstance(DeviceFamily::Serial);
}

DWORD CRegistryKey::NextFreeUsbInstance()
{
    return NextFreeInstance(DeviceFamily::Usb);
}
