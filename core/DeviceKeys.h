#pragma once
// Registry locations and fixed texts shared by every program that reads device keys, the one
// builder of a device key's path and the one walk over all device keys.
#include <windows.h>

#include <functional>
#include <string>

#include "CharText.h"

class CRegistryKey;
class CKeyHandle;

// The product key.
constexpr wchar_t kProductKeyPath[] = L"SYSTEM\\CurrentControlSet\\Services\\Tiven";
// Parents of the device keys; each device is a numbered subkey (1, 2, ...).
constexpr wchar_t kSerialParametersPath[] = L"SYSTEM\\CurrentControlSet\\Services\\RILO\\Parameters";
constexpr wchar_t kUsbParametersPath[] = L"SYSTEM\\CurrentControlSet\\Services\\MEKA\\Parameters";

// "Controller Type" texts. The driver family is serial only for the exact serial text; where a
// device key is added or removed, the USB text is also recognised in any letter case.
constexpr wchar_t kSerialControllerType[] = L"Tiven,Zarn,Serial";
constexpr wchar_t kUsbControllerType[] = L"Tiven USB";

// The same texts for the narrow (system code page) build of the background programs.
constexpr auto kProductKeyPathA = NarrowText(kProductKeyPath);
constexpr auto kSerialControllerTypeA = NarrowText(kSerialControllerType);

// The driver whose Parameters key holds a device key.
enum class DeviceFamily { Serial, Usb };

const wchar_t* ParametersPath(DeviceFamily family);
const char* ParametersPathA(DeviceFamily family);
// "<Parameters path>\<instance>".
std::wstring DeviceKeyPath(DeviceFamily family, const std::wstring& instance);
// True when a controller type text equals one of the texts above, ignoring letter case.
bool IsControllerType(const std::wstring& text, const wchar_t* type);
// The family whose key a device of this type lives under: serial for the exact serial text, USB
// for the USB text in any case. False for any other text (such a device has no key path).
bool KeyFamilyOfType(const std::wstring& type, DeviceFamily& family);

// Visits every device key: the subkeys of the serial driver's Parameters key, then those of the
// USB driver's, each in enumeration order (subkey names of up to 260 characters). The Parameters
// keys are opened through `registry` (so under its root), each device key with RegOpenKeyW.
// The visitor may take the open key out of `key` to keep it; what it leaves there is closed
// after the visit. A visitor that returns true ends the walk, and so does ForEachDeviceKey.
// The narrow build enumerates and opens with the ...A functions and hands the subkey name over
// in the system code page.
using DeviceKeyVisitor = std::function<bool(DeviceFamily family, const std::wstring& subkey, CKeyHandle& key)>;
using DeviceKeyVisitorA = std::function<bool(DeviceFamily family, const std::string& subkey, CKeyHandle& key)>;
bool ForEachDeviceKey(CRegistryKey& registry, const DeviceKeyVisitor& visit);
bool ForEachDeviceKey(CRegistryKey& registry, const DeviceKeyVisitorA& visit);
