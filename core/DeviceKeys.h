#pragma once
// Registry locations and fixed texts shared by every program that reads device keys.

// The product key.
constexpr wchar_t kProductKeyPath[] = L"SYSTEM\\CurrentControlSet\\Services\\Tiven";
// Parents of the device keys; each device is a numbered subkey (1, 2, ...).
constexpr wchar_t kSerialParametersPath[] = L"SYSTEM\\CurrentControlSet\\Services\\RILO\\Parameters";
constexpr wchar_t kUsbParametersPath[] = L"SYSTEM\\CurrentControlSet\\Services\\MEKA\\Parameters";

// "Controller Type" texts. Serial is recognised by exact comparison; the USB text is compared
// without regard to case where a device is removed or added.
constexpr wchar_t kSerialControllerType[] = L"Tiven,Zarn,Serial";
constexpr wchar_t kUsbControllerType[] = L"Tiven USB";

// Named event set after a sound setting changed; the touch-sound program reloads on it.
constexpr wchar_t kBeepEventName[] = L"BEEP_EVENT";
