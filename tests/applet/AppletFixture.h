#pragma once
// Registry and label-file fixtures of the applet tests: the product key and complete device
// keys (every group present, so nothing is pending until the test edits something).
#include <windows.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "ScratchRegistry.h"

namespace applettest {

constexpr wchar_t kProductKey[] = L"SYSTEM\\CurrentControlSet\\Services\\Tiven";
constexpr wchar_t kSerialParameters[] = L"SYSTEM\\CurrentControlSet\\Services\\RILO\\Parameters";
constexpr wchar_t kUsbParameters[] = L"SYSTEM\\CurrentControlSet\\Services\\MEKA\\Parameters";
constexpr wchar_t kInstallDir[] = L"C:\\Tiven";
constexpr wchar_t kDefaultWave[] = L"C:\\Tiven\\wave\\default.wav";
constexpr wchar_t kPropertiesTitle[] = L"Touch Panel Device Properties";

struct DeviceRow {
    bool serial = true;
    int instance = 1;
    std::wstring name = L"Front Panel";
    DWORD sampleRate = 50;
    DWORD touchdownFilter = 5;
    DWORD deglitch = 10;
    DWORD controllerEnabled = 1;
    DWORD soundEnabled = 0;
    std::wstring waveFile = kDefaultWave;   // empty: the value is left out
};

std::wstring DeviceKeyPath(const DeviceRow& device);
// Test names and failure messages show the device as "RILO1 Front Panel".
void PrintTo(const DeviceRow& device, std::ostream* out);
void AddDevice(testsupport::ScratchRegistry& registry, const DeviceRow& device);

using Labels = std::vector<std::pair<std::wstring, std::wstring>>;
// Writes a label file (UTF-8) with these entries and returns its path.
std::wstring WriteLabelFile(const Labels& labels);

// Product key: install folder, label file, controller kind and current device.
void AddProduct(testsupport::ScratchRegistry& registry, const std::wstring& labelFile, DWORD controllerKind,
                const std::wstring& deviceName);

}  // namespace applettest
