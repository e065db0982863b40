#include "DeviceKeys.h"

#include "KeyHandle.h"
#include "RegistryKey.h"

const wchar_t* ParametersPath(DeviceFamily family)
{
    return family == DeviceFamily::Serial ? kSerialParametersPath : kUsbParametersPath;
}

std::wstring DeviceKeyPath(DeviceFamily family, const std::wstring& instance)
{
    return std::wstring(ParametersPath(family)) + L"\\" + instance;
}

bool IsControllerType(const std::wstring& text, const wchar_t* type)
{
    return CompareStringOrdinal(text.c_str(), -1, type, -1, TRUE) == CSTR_EQUAL;
}

bool KeyFamilyOfType(const std::wstring& type, DeviceFamily& family)
{
    if (type == kSerialControllerType) {
        family = DeviceFamily::Serial;
        return true;
    }
    if (IsControllerType(type, kUsbControllerType)) {
        family = DeviceFamily::Usb;
        return true;
    }
    return false;
}

namespace {
bool WalkFamily(CRegistryKey& registry, DeviceFamily family, const DeviceKeyVisitor& visit)
{
    HKEY opened = nullptr;
    if (registry.Open(ParametersPath(family), &opened) != ERROR_SUCCESS)
        return false;
    CKeyHandle parameters(opened);
    wchar_t subkeyName[260];
    for (DWORD index = 0; RegEnumKeyW(parameters.Get(), index, subkeyName, 260) == ERROR_SUCCESS; ++index) {
        HKEY device = nullptr;
        if (RegOpenKeyW(parameters.Get(), subkeyName, &device) != ERROR_SUCCESS)
            continue;
        CKeyHandle key(device);
        if (visit(family, subkeyName, key))
            return true;
    }
    return false;
}
}  // namespace

bool ForEachDeviceKey(CRegistryKey& registry, const DeviceKeyVisitor& visit)
{
    return WalkFamily(registry, DeviceFamily::Serial, visit) || WalkFamily(registry, DeviceFamily::Usb, visit);
}
