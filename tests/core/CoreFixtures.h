#pragma once
// Registry fixtures of product and device keys for the core tests.
#include <string>

#include "DeviceKeys.h"
#include "ScratchRegistry.h"

namespace corefixtures {

inline std::wstring SerialKey(int instance) { return std::wstring(kSerialParametersPath) + L"\\" + std::to_wstring(instance); }
inline std::wstring UsbKey(int instance) { return std::wstring(kUsbParametersPath) + L"\\" + std::to_wstring(instance); }

inline void ProductKey(testsupport::ScratchRegistry& reg, DWORD controller, const std::wstring& installDir)
{
    reg.SetDword(kProductKeyPath, L"Controller", controller);
    reg.SetString(kProductKeyPath, L"Tiven Installed Path", installDir);
}

inline void Identity(testsupport::ScratchRegistry& reg, const std::wstring& key, const std::wstring& name,
                     const std::wstring& type, DWORD segment = 0)
{
    reg.SetString(key, L"Device Name", name);
    reg.SetString(key, L"Controller Type", type);
    reg.SetDword(key, L"Logical Desktop Segment", segment);
}

// Every value of a device key, none at its default, so a test can tell read values from defaults.
inline void FullDevice(testsupport::ScratchRegistry& reg, const std::wstring& key, const std::wstring& name,
                       bool serial)
{
    Identity(reg, key, name, serial ? kSerialControllerType : kUsbControllerType, 7);
    reg.SetDword(key, L"Sample Rate", 60);
    reg.SetDword(key, L"Touchdown Filter", 4);
    reg.SetDword(key, L"Deglitch", 30);
    reg.SetDword(key, L"Controller Enabled", 1);
    reg.SetDword(key, L"Sound Enabled", 2);
    reg.SetString(key, L"Wave File", L"C:\\sounds\\tick.wav");
    reg.SetDword(key, L"Calibration Timeout", 25);
    reg.SetDword(key, L"CalibPoint", 3);
    reg.SetDword(key, L"calflag", 25);
    reg.SetDword(key, L"Primary Button Mode", 3);
    reg.SetDword(key, L"Secondary Button Mode", 13);
    reg.SetDword(key, L"ClickTime", 11);
    reg.SetDword(key, L"Tap Time", 12);
    reg.SetDword(key, L"Liftoff Time", 13);
    reg.SetDword(key, L"Stabilization", 14);
    reg.SetDword(key, L"Averaging", 15);
    if (serial) {
        reg.SetDword(key, L"FIFO", 14);
        reg.SetString(key, L"Port", L"COM3");
        reg.SetDword(key, L"Address", 0x3E8);
        reg.SetDword(key, L"Baud Rate", 19200);
        reg.SetDword(key, L"Parity", 2);
        reg.SetDword(key, L"IRQ", 4);
        reg.SetDword(key, L"Data bits", 7);
        reg.SetDword(key, L"Stop Bits", 2);
    }
}

}  // namespace corefixtures
