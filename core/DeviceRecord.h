#pragma once
// The small record of one touch device that the calibration, tray and segment programs keep:
// enough to name the device and to reach its driver. Built by CDeviceFinder from the device's
// key. The member names match CDeviceSettings, so GetDeviceHandle and DeviceIoctl
// (DeviceAccess.h) serve both.
//
// CDeviceRecord holds UTF-16 texts; CDeviceRecordA is the same record for the narrow build of
// the background programs, its texts in the system code page.
#include <windows.h>

#include <string>

template <typename Char>
class CBasicDeviceRecord {
public:
    using CharType = Char;
    using String = std::basic_string<Char>;

    CBasicDeviceRecord() = default;
    // Closes the cached driver handle.
    virtual ~CBasicDeviceRecord();
    CBasicDeviceRecord(const CBasicDeviceRecord&) = delete;
    CBasicDeviceRecord& operator=(const CBasicDeviceRecord&) = delete;

    String Str_DeviceName;             // "Device Name"
    String ControllerProtocol;         // "Controller Type"; empty when missing
    DWORD dwCalibrationTimeout = 0;    // "Calibration Timeout" in seconds; 10 when missing or 0
    String Str_SubKey;                 // instance subkey under the driver's Parameters key
    HANDLE hDevice = nullptr;          // cached driver handle; null or INVALID_HANDLE_VALUE = none
};

class CDeviceRecord : public CBasicDeviceRecord<wchar_t> {};
class CDeviceRecordA : public CBasicDeviceRecord<char> {};
