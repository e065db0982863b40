// CDeviceCollection: the apply pass and the group writers.
#include "DeviceCollection.h"

#include "DeviceAccess.h"
#include "DeviceKeys.h"
#include "DeviceSchema.h"
#include "DriverProtocol.h"
#include "LabelBoxes.h"
#include "LabelKeys.h"
#include "NamedEvents.h"
#include "NamedObjects.h"
#include "ProcessLauncher.h"
#include "RegistryKey.h"

#include <cwchar>

namespace {
DWORD InstanceNumber(const std::wstring& subKey)
{
    return static_cast<DWORD>(wcstoul(subKey.c_str(), nullptr, 10));
}

const wchar_t* const kCalibrationValueNames[] = {
    L"Cal_X1", L"Cal_X2", L"Cal_X3", L"Cal_X4", L"Cal_Y1", L"Cal_Y2", L"Cal_Y3", L"Cal_Y4",
    L"Cal_M1", L"Cal_M2", L"Cal_M3", L"Cal_M4", L"Cal_N1", L"Cal_N2", L"Cal_N3", L"Cal_N4",
};
}  // namespace

std::wstring CDeviceCollection::KeyPathOf(const CDeviceSettings& record) const
{
    DeviceFamily family;
    if (!KeyFamilyOfType(record.ControllerProtocol, family))
        return std::wstring();
    return DeviceKeyPath(family, record.Str_SubKey);
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
    WriteDeviceGroup(key, *r, DeviceGroup::Identity, segmentMapper_);
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
        BYTE segment = static_cast<BYTE>(segmentMapper_.GetSegmentId(static_cast<int>(r->Str_DesktopSegment)));
        DeviceIoctl(r, IOCTL_DEVICE_SEGMENT, &segment, sizeof segment);
    }
}

void CDeviceCollection::WriteAdvanced(CDeviceSettings* r, bool newDevice)
{
    WriteDeviceGroup(env_.deviceKey, *r, DeviceGroup::Advanced, segmentMapper_);
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
    WriteDeviceGroup(env_.deviceKey, *r, DeviceGroup::Calibration, segmentMapper_);
    r->bCalibrationChanged = false;
}

void CDeviceCollection::WriteButtonModes(CDeviceSettings* r, bool newDevice)
{
    WriteDeviceGroup(env_.deviceKey, *r, DeviceGroup::ButtonModes, segmentMapper_);
    r->bEventsChanged = false;
    if (!newDevice && IsValidDeviceHandle(GetDeviceHandle(r)))
        SendModeSettings(*r);
}

void CDeviceCollection::WriteSerial(CDeviceSettings* r, bool newDevice)
{
    WriteDeviceGroup(env_.deviceKey, *r, DeviceGroup::Serial, segmentMapper_);
    r->bHardwareChanged = false;
    if (!newDevice && IsValidDeviceHandle(GetDeviceHandle(r))) {
        SerialSettingsRequest request =
            MakeSerialSettingsRequest(r->BaudRate, r->dwFIFO, r->DataBits, r->dwParity, r->dwStopBits, r->Str_Port);
        DeviceIoctl(r, IOCTL_SERIAL_SETTINGS, &request, sizeof request);
    }
}

void CDeviceCollection::WriteTiming(CDeviceSettings* r, bool newDevice)
{
    WriteDeviceGroup(env_.deviceKey, *r, DeviceGroup::Timing, segmentMapper_);
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
    } else if (IsControllerType(r.ControllerProtocol, kUsbControllerType)) {
        if (IsValidDeviceHandle(GetDeviceHandle(&r))) {
            DeviceIoctl(&r, IOCTL_DELETE_DEVICE_NOTIFICATION);
            CloseDeviceHandle(&r);
        }
    }
    std::wstring path = KeyPathOf(r);
    if (path.empty())
        return false;   // a record of an unknown type stays as it is
    env_.deviceKey.DeleteKey(path.c_str());
    r.bIdentityChanged = false;
    if (env_.currentDevice == &r)
        env_.currentDevice = nullptr;
    records_.erase(records_.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

bool CDeviceCollection::WriteNewDevice(CDeviceSettings& r)
{
    // The Devices page created the key when the device was added; when that failed, this is
    // the second try. Without a key nothing is written and the driver hears of no device.
    if (!r.hSubKey) {
        std::wstring path = KeyPathOf(r);
        HKEY created = nullptr;
        if (path.empty() || CRegistryKey().CreateSecuredKey(path.c_str(), &created) != ERROR_SUCCESS)
            return false;
        r.hSubKey.Reset(created);
    }
    env_.deviceKey.Attach(r.hSubKey.Get());
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
    return true;
}

bool CDeviceCollection::ApplyChanges()
{
    if (!HasChanges())
        return true;
    bool complete = true;
    std::wstring recalibrateName;
    bool offerRecalibration = false;
    bool soundChanged = false;

    for (size_t i = 0; i < records_.size();) {
        CDeviceSettings& r = *records_[i];
        env_.deviceKey.Attach(r.hSubKey.Get());
        if (r.bRemoved) {
            if (!RemoveDevice(i))
                ++i;
            continue;
        }
        if (r.bAdded) {
            if (WriteNewDevice(r))
                recalibrateName = r.Str_DeviceName;
            else
                complete = false;
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
                                      kPropertiesCaption);
        if (answer == IDYES) {
            DWORD error = 0;
            CProcessLauncher().Run(ProgramCommandLine(env_.calibrationAppPath, recalibrateName), &error);
        }
    }
    // A running touch-sound program reloads its devices; without one there is nobody to tell.
    if (soundChanged)
        SignalNamedEvent(kBeepEvent);
    return complete;
}

size_t CDeviceCollection::DiscardAddedDevices()
{
    if (!HasChanges())
        return 0;
    for (auto& record : records_) {
        env_.deviceKey.Attach(record->hSubKey.Get());
        if (!record->bAdded)
            continue;
        std::wstring path = KeyPathOf(*record);
        if (path.empty())
            continue;
        env_.deviceKey.DeleteKey(path.c_str());
        record->bIdentityChanged = false;
    }
    return records_.size();
}
