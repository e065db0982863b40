// CDeviceCollection: the apply pass and the group writers.
#include "DeviceCollection.h"

#include "DeviceAccess.h"
#include "DeviceKeys.h"
#include "DriverProtocol.h"
#include "LabelBoxes.h"
#include "LabelKeys.h"
#include "ProcessLauncher.h"
#include "RegistryKey.h"

#include <cwchar>

namespace {
DWORD InstanceNumber(const std::wstring& subKey)
{
    return static_cast<DWORD>(wcstoul(subKey.c_str(), nullptr, 10));
}

bool IsUsbProtocol(const std::wstring& controllerProtocol)
{
    return _wcsicmp(controllerProtocol.c_str(), kUsbControllerType) == 0;
}

void WakeSoundProgram()
{
    HANDLE event = OpenEventW(EVENT_ALL_ACCESS, FALSE, kBeepEventName);
    if (event) {
        SetEvent(event);
        CloseHandle(event);
    }
}

const wchar_t* const kCalibrationValueNames[] = {
    L"Cal_X1", L"Cal_X2", L"Cal_X3", L"Cal_X4", L"Cal_Y1", L"Cal_Y2", L"Cal_Y3", L"Cal_Y4",
    L"Cal_M1", L"Cal_M2", L"Cal_M3", L"Cal_M4", L"Cal_N1", L"Cal_N2", L"Cal_N3", L"Cal_N4",
};
}  // namespace

std::wstring CDeviceCollection::DeviceKeyPath(const CDeviceSettings& record) const
{
    if (record.IsSerial())
        return std::wstring(kSerialParametersPath) + L"\\" + record.Str_SubKey;
    if (IsUsbProtocol(record.ControllerProtocol))
        return std::wstring(kUsbParametersPath) + L"\\" + record.Str_SubKey;
    return std::wstring();
}

void CDeviceCollection::SendModeSettings(CDeviceSettings& r)
{
    ModeSettingsRequest request =
        MakeModeSettingsRequest(r.dwPrimaryButtonMode, r.dwSecondaryButtonMode, r.dwClickTime, r.dwTapTime,
                                r.dwLiftOffTime);
    DeviceIoctl(&r, IOCTL_MODE_SETTINGS, &request, sizeof request);
}

void CDeviceCollection::SendPacketFilter(CDeviceSettings& r)
{
    PacketFilterRequest request =
        MakePacketFilterRequest(r.dwTouchdownFilter, r.dwSampleRate, r.dwDeglitch, r.dwAveraging, r.dwStabilization);
    DeviceIoctl(&r, IOCTL_PACKET_FILTER_SETTINGS, &request, sizeof request);
}

void CDeviceCollection::WriteIdentity(CDeviceSettings* r, bool newDevice)
{
    CRegistryKey& key = env_.deviceKey;
    DWORD code = segmentMapper_.GetSegmentId(static_cast<int>(r->Str_DesktopSegment));
    key.WriteString(L"Device Name", r->Str_DeviceName.c_str());
    key.WriteDword(L"Logical Desktop Segment", &r->Str_DesktopSegment);
    key.WriteDword(L"Logical Desktop Segment ID", &code);
    key.WriteString(L"Controller Type", r->ControllerProtocol.c_str());
    if (newDevice) {
        const DWORD zero = 0;
        key.WriteDword(L"LockFlag", &zero);
        for (const wchar_t* name : kCalibrationValueNames)
            key.WriteDword(name, &zero);
        DWORD width = static_cast<DWORD>(GetSystemMetrics(SM_CXSCREEN));
        DWORD height = static_cast<DWORD>(GetSystemMetrics(SM_CYSCREEN));
        key.WriteDword(L"Max XPixels", &width);
        key.WriteDword(L"Max YPixels", &height);
        key.WriteDword(L"Controller", &env_.controllerKind);
    }
    r->bIdentityChanged = false;
    if (!newDevice && IsValidDeviceHandle(GetDeviceHandle(r))) {
        BYTE segment = static_cast<BYTE>(code);
        DeviceIoctl(r, IOCTL_DEVICE_SEGMENT, &segment, sizeof segment);
    }
}

void CDeviceCollection::WriteAdvanced(CDeviceSettings* r, bool newDevice)
{
    CRegistryKey& key = env_.deviceKey;
    key.WriteDword(L"Sample Rate", &r->dwSampleRate);
    key.WriteDword(L"Touchdown Filter", &r->dwTouchdownFilter);
    key.WriteDword(L"Deglitch", &r->dwDeglitch);
    key.WriteDword(L"Controller Enabled", &r->dwControllerEnabled);
    key.WriteDword(L"Sound Enabled", &r->dwSoundEnabled);
    key.WriteString(L"Wave File", r->Str_WaveFile.c_str());
    r->bAdvancedChanged = false;
    if (newDevice || !IsValidDeviceHandle(GetDeviceHandle(r)))
        return;
    SendPacketFilter(*r);
    // Without a handle the enable change stays pending for the next apply of this group.
    if (r->bEnableChanged) {
        r->bEnableChanged = false;
        DeviceIoctl(r, r->dwControllerEnabled == 1 ? IOCTL_ENABLE_DEVICE : IOCTL_DISABLE_DEVICE);
    }
}

void CDeviceCollection::WriteCalibration(CDeviceSettings* r)
{
    CRegistryKey& key = env_.deviceKey;
    key.WriteDword(L"Calibration Timeout", &r->dwCalibrationTimeout);
    key.WriteDword(L"CalibPoint", &r->dwCalibPoint);
    key.WriteDword(L"calflag", &r->dwCalFlag);
    r->bCalibrationChanged = false;
}

void CDeviceCollection::WriteButtonModes(CDeviceSettings* r, bool newDevice)
{
    CRegistryKey& key = env_.deviceKey;
    DWORD primary = r->dwPrimaryButtonMode + 1;
    DWORD secondary = r->dwSecondaryButtonMode + 1;
    key.WriteDword(L"Primary Button Mode", &primary);
    key.WriteDword(L"Secondary Button Mode", &secondary);
    r->bEventsChanged = false;
    if (!newDevice && IsValidDeviceHandle(GetDeviceHandle(r)))
        SendModeSettings(*r);
}

void CDeviceCollection::WriteSerial(CDeviceSettings* r, bool newDevice)
{
    CRegistryKey& key = env_.deviceKey;
    key.WriteString(L"Port", r->Str_Port.c_str());
    key.WriteDword(L"FIFO", &r->dwFIFO);
    key.WriteDword(L"Address", &r->dwAddress);
    key.WriteDword(L"Baud Rate", &r->BaudRate);
    key.WriteDword(L"Parity", &r->dwParity);
    key.WriteDword(L"Data bits", &r->DataBits);
    key.WriteDword(L"Stop Bits", &r->dwStopBits);
    key.WriteDword(L"IRQ", &r->dwIRQ);
    r->bHardwareChanged = false;
    if (!newDevice && IsValidDeviceHandle(GetDeviceHandle(r))) {
        SerialSettingsRequest request =
            MakeSerialSettingsRequest(r->BaudRate, r->dwFIFO, r->DataBits, r->dwParity, r->dwStopBits, r->Str_Port);
        DeviceIoctl(r, IOCTL_SERIAL_SETTINGS, &request, sizeof request);
    }
}

void CDeviceCollection::WriteTiming(CDeviceSettings* r, bool newDevice)
{
    CRegistryKey& key = env_.deviceKey;
    key.WriteDword(L"ClickTime", &r->dwClickTime);
    key.WriteDword(L"Liftoff Time", &r->dwLiftOffTime);
    key.WriteDword(L"Tap Time", &r->dwTapTime);
    key.WriteDword(L"Stabilization", &r->dwStabilization);
    key.WriteDword(L"Averaging", &r->dwAveraging);
    r->bSettingsChanged = false;
    if (!newDevice && IsValidDeviceHandle(GetDeviceHandle(r))) {
        SendModeSettings(*r);
        SendPacketFilter(*r);
    }
}

bool CDeviceCollection::RemoveDevice(size_t index)
{
    CDeviceSettings& r = *records_[index];
    if (r.IsSerial()) {
        BYTE instance = static_cast<BYTE>(InstanceNumber(r.Str_SubKey));
        SendToSerialControlDevice(IOCTL_DELETE_DEVICE_NOTIFICATION, &instance, sizeof instance);
        CloseDeviceHandle(&r);
    } else if (IsUsbProtocol(r.ControllerProtocol)) {
        if (IsValidDeviceHandle(GetDeviceHandle(&r))) {
            DeviceIoctl(&r, IOCTL_DELETE_DEVICE_NOTIFICATION);
            CloseDeviceHandle(&r);
        }
    }
    std::wstring path = DeviceKeyPath(r);
    if (path.empty())
        return false;   // a record of an unknown type stays as it is
    env_.deviceKey.DeleteKey(path.c_str());
    r.bIdentityChanged = false;
    if (r.hSubKey)
        RegCloseKey(r.hSubKey);
    if (env_.currentDevice == &r)
        env_.currentDevice = nullptr;
    records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

void CDeviceCollection::WriteNewDevice(CDeviceSettings& r)
{
    r.bAdded = false;
    WriteIdentity(&r, true);
    WriteAdvanced(&r, true);
    r.dwCalFlag = DefaultCalFlag(env_.controllerKind);
    WriteCalibration(&r);
    WriteButtonModes(&r, true);
    WriteTiming(&r, true);
    if (r.IsSerial()) {
        WriteSerial(&r, true);
        NewDeviceRequest request = MakeNewDeviceRequest(r.Str_Port, InstanceNumber(r.Str_SubKey));
        SendToSerialControlDevice(IOCTL_NEW_DEVICE_NOTIFIATION, &request, sizeof request);
    }
}

void CDeviceCollection::ApplyChanges()
{
    if (!HasChanges())
        return;
    std::wstring recalibrateName;
    bool offerRecalibration = false;
    bool soundChanged = false;

    for (size_t i = 0; i < records_.size();) {
        CDeviceSettings& r = *records_[i];
        env_.deviceKey.Attach(r.hSubKey);
        if (r.bRemoved) {
            if (!RemoveDevice(i))
                ++i;
            continue;
        }
        if (r.bAdded) {
            recalibrateName = r.Str_DeviceName;
            WriteNewDevice(r);
        } else {
            if (r.bRecalibrate) {
                r.bRecalibrate = false;
                offerRecalibration = true;
                recalibrateName = r.Str_DeviceName;
            }
            if (r.bSoundChanged) {
                r.bSoundChanged = false;
                soundChanged = true;
            }
            if (r.bAdvancedChanged)
                WriteAdvanced(&r, false);
            if (r.bCalibrationChanged)
                WriteCalibration(&r);
            if (r.bIdentityChanged)
                WriteIdentity(&r, false);
            if (r.bEventsChanged)
                WriteButtonModes(&r, false);
            if (r.bHardwareChanged)
                WriteSerial(&r, false);
            if (r.bSettingsChanged)
                WriteTiming(&r, false);
        }
        ++i;
    }

    // Removed records are gone: the current device is the live record of the current name.
    env_.currentDevice = FindActiveByName(env_.currentDeviceName);

    if (offerRecalibration && !recalibrateName.empty()) {
        int answer = LabelQuestionBox(env_.labelStore, nullptr, MessageKey::RECALIBRATE_NOW,
                                      MessageKey::LPOINTER_DEVICE_PROPERTIES,
                                      L"The changes you made require recalibration\nRecalibrate now ?",
                                      L"Touch Panel Device Properties");
        if (answer == IDYES) {
            DWORD error = 0;
            CProcessLauncher().Run(ProgramCommandLine(env_.calibrationAppPath, recalibrateName), &error);
        }
    }
    if (soundChanged)
        WakeSoundProgram();
}

size_t CDeviceCollection::DiscardAddedDevices()
{
    if (!HasChanges())
        return 0;
    for (auto& record : records_) {
        env_.deviceKey.Attach(record->hSubKey);
        if (!record->bAdded)
            continue;
        std::wstring path = DeviceKeyPath(*record);
        if (path.empty())
            continue;
        env_.deviceKey.DeleteKey(path.c_str());
        record->bIdentityChanged = false;
    }
    return records_.size();
}
