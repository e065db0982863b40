#pragma once
// The small record of one touch device that the calibration, tray and segment programs keep:
// enough to name the device and to reach its driver. Built by CDeviceFinder from the device's
// key. The member names match CDeviceSettings, so GetDeviceHandle and DeviceIoctl
// (DeviceAccess.h) serve both.
#include <windows.h>

#include <string>

class CDeviceRecord {
public:
    CDeviceRecord() = default;
    // Closes the cached driver handle.
    virtual ~CDeviceRecord();
    CDeviceRecord(const CDeviceRecord&) = delete;
    CDeviceRecord& operator=(const CDeviceRecord&) = delete;

    std::wstring Str_DeviceName;       // "Device Name"
    std::wstring ControllerProtocol;   // "Controller Type"; empty when missing
    DWORD dwCalibrationTimeout = 0;    // "Calibration Timeout" in seconds; 10 when missing or 0
    std::wstring Str_SubKey;           // instance subkey under the driver's Parameters key
    HANDLE hDevice = nullptr;          // cached driver handle; null or INVALID_HANDLE_VALUE = none
};
