#include "DeviceKeys.h"

#include "KeyHandle.h"
#include "RegistryKey.h"

namespace {
constexpr auto kSerialParametersPathA = NarrowText(kSerialParametersPath);
constexpr auto kUsbParametersPathA = NarrowText(kUsbParametersPath);
}  // namespace

const wchar_t* ParametersPath(DeviceFamily family)
{
    return family == DeviceFamily::Serial ? kSerialParametersPath : kUsbParametersPath;
}

const char* ParametersPathA(DeviceFamily family)
{
    return family == DeviceFamily::Serial ? kSerialParametersPathA.data() : kUsbParametersPathA.data();
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
const wchar_t* ParametersPathOf(DeviceFamily family, wchar_t) { return ParametersPath(family); }
const char* ParametersPathOf(DeviceFamily family, char) { return ParametersPathA(family); }
LONG EnumKey(HKEY key, DWORD index, wchar_t* name, DWORD chars) { return RegEnumKeyW(key, index, name, chars); }
LONG EnumKey(HKEY key, DWORD index, char* name, DWORD chars) { return RegEnumKeyA(key, index, name, chars); }
LONG OpenKey(HKEY parent, const wchar_t* name, HKEY* key) { return RegOpenKeyW(parent, name, key); }
LONG OpenKey(HKEY parent, const char* name, HKEY* key) { return RegOpenKeyA(parent, name, key); }

template <typename Char, typename Visitor>
bool WalkFamily(CRegistryKey& registry, DeviceFamily family, const Visitor& visit)
{
    HKEY opened = nullptr;
    if (registry.Open(ParametersPathOf(family, Char()), &opened) != ERROR_SUCCESS)
        return false;
    CKeyHandle parameters(opened);
    Char subkeyName[260];
    for (DWORD index = 0; EnumKey(parameters.Get(), index, subkeyName, 260) == ERROR_SUCCESS; ++index) {
        HKEY device = nullptr;
        if (OpenKey(parameters.Get(), subkeyName, &device) != ERROR_SUCCESS)
            continue;
        CKeyHandle key(device);
        if (visit(family, std::basic_string<Char>(subkeyName), key))
            return true;
    }
    return false;
}
}  // namespace

bool ForEachDeviceKey(CRegistryKey& registry, const DeviceKeyVisitor& visit)
{
    return WalkFamily<wchar_t>(registry, DeviceFamily::Serial, visit) ||
           WalkFamily<wchar_t>(registry, DeviceFamily::Usb, visit);
}

bool ForEachDeviceKey(CRegistryKey& registry, const DeviceKeyVisitorA& visit)
{
    return WalkFamily<char>(registry, DeviceFamily::Serial, visit) ||
           WalkFamily<char>(registry, DeviceFamily::Usb, visit);
}
