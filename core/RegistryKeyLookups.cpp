// Device-key lookups of CRegistryKey: devices are the numbered subkeys of the serial and the USB
// driver's Parameters keys.
#include "RegistryKey.h"

#include "DeviceKeys.h"

#include <cwchar>
#include <string>

namespace {
// "Device Name" is compared through a buffer of 260 bytes.
constexpr DWORD kDeviceNameBytes = 260;
}

bool CRegistryKey::FindDeviceUnder(const wchar_t* parametersPath, const wchar_t* deviceName)
{
    HKEY parameters = nullptr;
    if (Open(parametersPath, &parameters) != ERROR_SUCCESS)
        return false;
    wchar_t subkeyName[260];
    for (DWORD index = 0; RegEnumKeyW(parameters, index, subkeyName, 260) == ERROR_SUCCESS; ++index) {
        HKEY device = nullptr;
        if (RegOpenKeyW(parameters, subkeyName, &device) != ERROR_SUCCESS)
            continue;
        Attach(device);
        std::wstring name;
        if (ReadString(L"Device Name", name, kDeviceNameBytes) && name == deviceName) {
            Close(parameters);
            return true;   // the device key stays open and attached; the caller closes it
        }
        Close(device);
    }
    Close(parameters);
    return false;
}

bool CRegistryKey::FindDevice(const wchar_t* deviceName)
{
    return FindDeviceUnder(kSerialParametersPath, deviceName) || FindDeviceUnder(kUsbParametersPath, deviceName);
}

DWORD CRegistryKey::HighestInstance(const wchar_t* path)
{
    DWORD highest = 1;
    HKEY parent = nullptr;
    if (Open(path, &parent) != ERROR_SUCCESS)
        return highest;
    wchar_t subkeyName[1000];
    for (DWORD index = 0; RegEnumKeyW(parent, index, subkeyName, 1000) == ERROR_SUCCESS; ++index) {
        DWORD number = static_cast<DWORD>(wcstoul(subkeyName, nullptr, 10));
        if (number > highest)
            highest = number;
    }
    Close(parent);
    return highest;
}

DWORD CRegistryKey::NextFreeInstance(const wchar_t* parametersPath)
{
    DWORD highest = HighestInstance(parametersPath);
    for (DWORD i = 1; i <= highest; ++i) {
        std::wstring path = std::wstring(parametersPath) + L"\\" + std::to_wstring(i);
        HKEY key = nullptr;
        if (Open(path.c_str(), &key) != ERROR_SUCCESS)
            return i;
        Close(key);
    }
    return highest + 1;
}

DWORD CRegistryKey::NextFreeSerialInstance()
{
    return NextFreeInstance(kSerialParametersPath);
}

DWORD CRegistryKey::NextFreeUsbInstance()
{
    return NextFreeInstance(kUsbParametersPath);
}
