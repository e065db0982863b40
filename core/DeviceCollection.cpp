// CDeviceCollection: loading and lookups. The apply pass is in DeviceCollectionApply.cpp.
#include "DeviceCollection.h"

#include "DeviceAccess.h"
#include "DeviceKeys.h"
#include "NameTable.h"
#include "RegistryKey.h"

namespace {
// Buffer sizes of the text reads, in bytes.
constexpr DWORD kNameBytes = 1000;
constexpr DWORD kInstallPathBytes = 1000;
constexpr DWORD kPortBytes = 1000;
// A wave file is a path: room for MAX_PATH characters.
constexpr DWORD kWaveFileBytes = 260 * sizeof(wchar_t);
}  // namespace

CDeviceCollection::CDeviceCollection(const DeviceEnvironment& environment) : env_(environment)
{
    ReadProductKey();
    LoadDevices(kSerialParametersPath, true);
    LoadDevices(kUsbParametersPath, false);
}

CDeviceCollection::~CDeviceCollection() { CloseRecords(); }

void CDeviceCollection::CloseRecords()
{
    for (auto& record : records_) {
        if (record->hSubKey)
            RegCloseKey(record->hSubKey);
        CloseDeviceHandle(record.get());
    }
}

void CDeviceCollection::Reload()
{
    env_.currentDevice = nullptr;
    CloseRecords();
    records_.clear();
    LoadDevices(kSerialParametersPath, true);
    LoadDevices(kUsbParametersPath, false);
    env_.currentDevice = FindActiveByName(env_.currentDeviceName);
}

void CDeviceCollection::ReadProductKey()
{
    HKEY product = nullptr;
    env_.serviceKey.Open(kProductKeyPath, &product);
    env_.serviceKey.Attach(product);
    env_.controllerKind = 0;
    DWORD kind = 0;
    // The kind selects texts and defaults; a value outside 1..3 counts as missing.
    if (env_.serviceKey.ReadDword(L"Controller", &kind) && kind >= 1 && kind <= 3)
        env_.controllerKind = kind;
    if (product)
        env_.serviceKey.Close(product);

    // The product key stays attached to serviceKey from here on.
    product = nullptr;
    env_.serviceKey.Open(kProductKeyPath, &product);
    env_.serviceKey.Attach(product);
    env_.serviceKey.ReadString(L"Tiven Installed Path", env_.installDir, kInstallPathBytes);
}

void CDeviceCollection::LoadDevices(const wchar_t* parametersPath, bool serial)
{
    HKEY parameters = nullptr;
    if (env_.deviceKey.Open(parametersPath, &parameters) != ERROR_SUCCESS)
        return;
    wchar_t subkeyName[260];
    for (DWORD index = 0; RegEnumKeyW(parameters, index, subkeyName, 260) == ERROR_SUCCESS; ++index) {
        HKEY device = nullptr;
        if (RegOpenKeyW(parameters, subkeyName, &device) != ERROR_SUCCESS)
            continue;
        env_.deviceKey.Attach(device);
        auto record = std::make_unique<CDeviceSettings>();
        record->hSubKey = device;
        record->Str_SubKey = subkeyName;
        if (!ReadIdentity(*record)) {
            env_.deviceKey.Close(device);
            continue;
        }
        ReadAdvanced(*record);
        ReadCalibration(*record);
        ReadButtonModes(*record);
        if (serial)
            ReadSerial(*record);
        ReadTiming(*record);
        GetDeviceHandle(record.get());
        records_.push_back(std::move(record));
    }
    env_.deviceKey.Close(parameters);
}

bool CDeviceCollection::ReadNumber(const wchar_t* name, DWORD& value, DWORD defaultValue)
{
    value = defaultValue;
    return env_.deviceKey.ReadDword(name, &value);
}

bool CDeviceCollection::ReadIdentity(CDeviceSettings& record)
{
    if (!env_.deviceKey.ReadString(L"Device Name", record.Str_DeviceName, kNameBytes))
        return false;
    // A missing segment is the whole desktop; one outside the segment table is rewritten too.
    if (ReadNumber(L"Logical Desktop Segment", record.Str_DesktopSegment, 0) &&
        record.Str_DesktopSegment >= kSegmentCount) {
        record.Str_DesktopSegment = 0;
        record.bIdentityChanged = true;
    }
    return env_.deviceKey.ReadString(L"Controller Type", record.ControllerProtocol, kNameBytes);
}

void CDeviceCollection::ReadAdvanced(CDeviceSettings& record)
{
    bool complete = true;
    complete &= ReadNumber(L"Sample Rate", record.dwSampleRate, 100);
    complete &= ReadNumber(L"Touchdown Filter", record.dwTouchdownFilter, 0);
    complete &= ReadNumber(L"Deglitch", record.dwDeglitch, 0);
    complete &= ReadNumber(L"Controller Enabled", record.dwControllerEnabled, 1);
    complete &= ReadNumber(L"Sound Enabled", record.dwSoundEnabled, 0);
    if (!env_.deviceKey.ReadString(L"Wave File", record.Str_WaveFile, kWaveFileBytes)) {
        record.Str_WaveFile = DefaultWaveFile(env_.installDir);
        complete = false;
    }
    if (!complete)
        record.bAdvancedChanged = true;
}

void CDeviceCollection::ReadCalibration(CDeviceSettings& record)
{
    bool complete = true;
    complete &= ReadNumber(L"Calibration Timeout", record.dwCalibrationTimeout, 10);
    complete &= ReadNumber(L"CalibPoint", record.dwCalibPoint, 1);
    complete &= ReadNumber(L"calflag", record.dwCalFlag, DefaultCalFlag(env_.controllerKind));
    if (!complete)
        record.bCalibrationChanged = true;
}

void CDeviceCollection::ReadButtonModes(CDeviceSettings& record)
{
    // Stored as codes 1..13; anything else counts as missing.
    auto readMode = [&](const wchar_t* name, DWORD& index, DWORD defaultIndex) {
        DWORD code = 0;
        if (env_.deviceKey.ReadDword(name, &code) && code >= 1 && code <= kButtonModeCount) {
            index = code - 1;
            return true;
        }
        index = defaultIndex;
        return false;
    };
    bool complete = readMode(L"Primary Button Mode", record.dwPrimaryButtonMode, 0);
    complete &= readMode(L"Secondary Button Mode", record.dwSecondaryButtonMode, 1);
    if (!complete)
        record.bEventsChanged = true;
}

void CDeviceCollection::ReadSerial(CDeviceSettings& record)
{
    bool complete = true;
    complete &= ReadNumber(L"FIFO", record.dwFIFO, 0);
    if (!env_.deviceKey.ReadString(L"Port", record.Str_Port, kPortBytes)) {
        record.Str_Port = L"No COM2";
        complete = false;
    }
    complete &= ReadNumber(L"Address", record.dwAddress, 760);
    complete &= ReadNumber(L"Baud Rate", record.BaudRate, 9600);
    complete &= ReadNumber(L"Parity", record.dwParity, 0);
    complete &= ReadNumber(L"IRQ", record.dwIRQ, 0);
    complete &= ReadNumber(L"Data bits", record.DataBits, 8);
    complete &= ReadNumber(L"Stop Bits", record.dwStopBits, 1);
    if (!complete)
        record.bHardwareChanged = true;
}

void CDeviceCollection::ReadTiming(CDeviceSettings& record)
{
    bool complete = true;
    complete &= ReadNumber(L"ClickTime", record.dwClickTime, 9);
    complete &= ReadNumber(L"Tap Time", record.dwTapTime, 9);
    complete &= ReadNumber(L"Liftoff Time", record.dwLiftOffTime, 5);
    complete &= ReadNumber(L"Stabilization", record.dwStabilization, 0);
    complete &= ReadNumber(L"Averaging", record.dwAveraging, 0);
    if (!complete)
        record.bSettingsChanged = true;
}

void CDeviceCollection::GetDevices(std::vector<CDeviceSettings*>& devices) const
{
    devices.clear();
    for (const auto& record : records_)
        devices.push_back(record.get());
}

CDeviceSettings* CDeviceCollection::FindByName(const std::wstring& name) const
{
    if (name.empty())
        return nullptr;
    for (const auto& record : records_)
        if (record->Str_DeviceName == name)
            return record.get();
    return nullptr;
}

CDeviceSettings* CDeviceCollection::FindActiveByName(const std::wstring& name) const
{
    if (name.empty())
        return nullptr;
    for (const auto& record : records_)
        if (!record->bRemoved && record->Str_DeviceName == name)
            return record.get();
    return nullptr;
}

size_t CDeviceCollection::GetDeviceNames(std::vector<std::wstring>& names) const
{
    for (const auto& record : records_)
        if (!record->bRemoved)
            names.push_back(record->Str_DeviceName);
    return records_.size();
}

bool CDeviceCollection::AllRemoved() const
{
    for (const auto& record : records_)
        if (!record->bRemoved)
            return false;
    return true;
}

bool CDeviceCollection::HasChanges() const
{
    for (const auto& record : records_)
        if (record->bRemoved || record->bAdded || record->HasGroupChanges())
            return true;
    return false;
}

void CDeviceCollection::Add(CDeviceSettings* record)
{
    if (record)
        records_.emplace_back(record);
}
