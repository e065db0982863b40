#pragma once
// The applet's record of one device key: every per-device value, grouped by the writer that
// stores it, with one change flag per group. Button modes are held as 0-based indices; the
// registry and the driver requests carry codes (index + 1).
#include <windows.h>

#include <string>

#include "KeyHandle.h"

class CDeviceSettings {
public:
    CDeviceSettings() = default;
    // Closes the device key; the driver handle is the collection's to close.
    virtual ~CDeviceSettings() = default;
    CDeviceSettings(const CDeviceSettings&) = delete;
    CDeviceSettings& operator=(const CDeviceSettings&) = delete;

    // Every value to its default (DeviceSchema.h), every change flag and handle cleared. The wave
    // file defaults to "wave\default.wav" in the install folder; calflag to 4 for controller
    // kind 1, else 9.
    void SetDefaults(const std::wstring& installDir, DWORD controllerKind);

    bool IsSerial() const;
    // True when any group must be written (removed and added records not counted).
    bool HasGroupChanges() const;

    // Identity group.
    std::wstring Str_DeviceName;
    std::wstring ControllerProtocol;
    DWORD Str_DesktopSegment = 0;   // segment index 0..15
    bool bIdentityChanged = false;

    // Advanced group.
    DWORD dwSampleRate = 0;
    DWORD dwTouchdownFilter = 0;
    DWORD dwDeglitch = 0;
    DWORD dwSoundEnabled = 0;        // 0 no sound, 1 wave file, 2 beep
    DWORD dwControllerEnabled = 0;   // 1 enabled
    std::wstring Str_WaveFile;
    bool bAdvancedChanged = false;
    bool bEnableChanged = false;     // send enable/disable with the advanced group
    bool bSoundChanged = false;      // wake the touch-sound program after the apply

    // Calibration group.
    DWORD dwCalibrationTimeout = 0;
    DWORD dwCalibPoint = 0;
    DWORD dwCalFlag = 0;             // 4, 9 or 25 points
    bool bCalibrationChanged = false;
    bool bRecalibrate = false;

    // Button-mode group (indices 0..12).
    DWORD dwPrimaryButtonMode = 0;
    DWORD dwSecondaryButtonMode = 0;
    bool bEventsChanged = false;

    // Serial group (serial controllers only).
    DWORD BaudRate = 0;
    DWORD DataBits = 0;
    DWORD dwStopBits = 0;
    DWORD dwParity = 0;
    DWORD dwFIFO = 0;
    DWORD dwAddress = 0;
    DWORD dwIRQ = 0;
    std::wstring Str_Port;
    bool bHardwareChanged = false;

    // Timing group.
    DWORD dwClickTime = 0;
    DWORD dwLiftOffTime = 0;
    DWORD dwTapTime = 0;
    DWORD dwStabilization = 0;
    DWORD dwAveraging = 0;
    bool bSettingsChanged = false;

    std::wstring Str_SubKey;         // instance number as text
    CKeyHandle hSubKey;              // open device key
    HANDLE hDevice = nullptr;        // cached driver handle
    bool bRemoved = false;
    bool bAdded = false;
    bool bActive = false;
};

// Defaults that depend on the installation.
std::wstring DefaultWaveFile(const std::wstring& installDir);
DWORD DefaultCalFlag(DWORD controllerKind);
