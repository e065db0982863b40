#include "DeviceSettings.h"

#include "DeviceAccess.h"

std::wstring DefaultWaveFile(const std::wstring& installDir)
{
    return installDir + L"\\" + L"wave\\default.wav";
}

DWORD DefaultCalFlag(DWORD controllerKind)
{
    return controllerKind == 1 ? 4 : 9;
}

void CDeviceSettings::SetDefaults(const std::wstring& installDir, DWORD controllerKind)
{
    Str_DesktopSegment = 0;
    dwSampleRate = 100;
    dwTouchdownFilter = 0;
    dwDeglitch = 0;
    dwSoundEnabled = 0;
    dwControllerEnabled = 1;
    Str_WaveFile = DefaultWaveFile(installDir);
    dwCalibrationTimeout = 10;
    dwCalibPoint = 1;
    dwCalFlag = DefaultCalFlag(controllerKind);
    dwPrimaryButtonMode = 0;
    dwSecondaryButtonMode = 1;
    BaudRate = 9600;
    DataBits = 8;
    dwStopBits = 1;
    dwParity = 0;
    dwFIFO = 0;
    dwAddress = 760;
    dwIRQ = 0;
    Str_Port = L"No COM2";
    dwClickTime = 9;
    dwLiftOffTime = 5;
    dwTapTime = 9;
    dwStabilization = 0;
    dwAveraging = 0;

    bIdentityChanged = bAdvancedChanged = bEnableChanged = bCalibrationChanged = false;
    bEventsChanged = bHardwareChanged = bSettingsChanged = false;
    hSubKey = nullptr;
    hDevice = nullptr;
    bRemoved = bAdded = bActive = false;
}

bool CDeviceSettings::IsSerial() const
{
    return IsSerialProtocol(ControllerProtocol);
}

bool CDeviceSettings::HasGroupChanges() const
{
    return bIdentityChanged || bAdvancedChanged || bCalibrationChanged || bEventsChanged || bHardwareChanged ||
           bSettingsChanged;
}
