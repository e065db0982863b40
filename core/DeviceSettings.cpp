#include "DeviceSettings.h"

#include "DeviceAccess.h"
#include "DeviceSchema.h"

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
    SetDeviceDefaults(*this, DeviceDefaults{installDir, controllerKind});
    bIdentityChanged = bAdvancedChanged = bEnableChanged = bCalibrationChanged = false;
    bEventsChanged = bHardwareChanged = bSettingsChanged = false;
    hSubKey.Reset();
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
