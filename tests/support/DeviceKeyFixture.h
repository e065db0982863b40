#pragma once
// The product key and device keys that tests put into a ScratchRegistry, built on the core's
// key names. A DeviceRow is one complete device key: every value present, so nothing is pending
// until a test edits something. Its defaults are the values a new device gets; Distinct() sets
// every value away from its default, so a test can tell values read from defaults.
#include <windows.h>

#include <ostream>
#include <string>
#include <utility>

#include "DeviceKeys.h"
#include "ScratchRegistry.h"

namespace testsupport {

constexpr wchar_t kInstallDir[] = L"C:\\Tiven";
constexpr wchar_t kDefaultWave[] = L"C:\\Tiven\\wave\\default.wav";

std::wstring SerialKey(int instance);
std::wstring UsbKey(int instance);

struct DeviceRow {
    bool serial = true;
    int instance = 1;
    std::wstring name = L"Front Panel";
    DWORD sampleRate = 50, touchdownFilter = 5, deglitch = 10, controllerEnabled = 1, soundEnabled = 0;
    std::wstring waveFile = kDefaultWave;   // empty: the value is left out
    DWORD segment = 0;
    DWORD calibrationTimeout = 10, calibPoint = 1, calFlag = 9;
    DWORD primaryMode = 1, secondaryMode = 2;   // stored codes
    DWORD clickTime = 9, tapTime = 9, liftOffTime = 5, stabilization = 0, averaging = 0;
    // Serial devices only.
    DWORD fifo = 0;
    std::wstring port = L"COM1";
    DWORD address = 760, baudRate = 9600, parity = 0, irq = 0, dataBits = 8, stopBits = 1;
};

DeviceRow Serial(int instance, const std::wstring& name);
DeviceRow Usb(int instance, const std::wstring& name);
// The row with every value away from its default (segment 7, sample rate 60, port COM3, ...).
DeviceRow Distinct(DeviceRow row);

std::wstring DeviceKeyPath(const DeviceRow& device);
// Test names and failure messages show the device as "RILO1 Front Panel".
void PrintTo(const DeviceRow& device, std::ostream* out);
void AddDevice(ScratchRegistry& registry, const DeviceRow& device);

struct ProductKeyRow {
    ProductKeyRow(DWORD kind = 1, std::wstring dir = kInstallDir, std::wstring labels = L"",
                  std::wstring device = L"")
        : controllerKind(kind), installDir(std::move(dir)), labelFile(std::move(labels)), deviceName(std::move(device))
    {
    }
    DWORD controllerKind;      // "Controller"
    std::wstring installDir;   // "Tiven Installed Path"
    std::wstring labelFile;    // "XML File Path"; empty: left out
    std::wstring deviceName;   // "Device Name"; empty: left out
};
void AddProduct(ScratchRegistry& registry, const ProductKeyRow& product);

}  // namespace testsupport
