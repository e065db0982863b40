#include "DeviceSchema.h"

#include "NameTable.h"
#include "RegistryKey.h"
#include "SegmentMapper.h"

namespace {
using S = CDeviceSettings;
using G = DeviceGroup;
using K = DeviceValueKind;
using D = DeviceDefault;

// Buffer sizes of the text reads, in bytes. A wave file is a path: room for MAX_PATH characters.
constexpr DWORD kTextBytes = 1000;
constexpr DWORD kWaveFileBytes = 260 * sizeof(wchar_t);

constexpr DeviceValue Num(const wchar_t* name, DWORD S::*member, G group, DWORD value, bool serialOnly = false)
{
    return {name, K::Number, member, nullptr, group, D::Fixed, value, nullptr, 0, serialOnly};
}

constexpr DeviceValue Txt(const wchar_t* name, std::wstring S::*member, G group, D rule, const wchar_t* value,
                          DWORD bytes, bool serialOnly = false)
{
    return {name, K::Text, nullptr, member, group, rule, 0, value, bytes, serialOnly};
}

constexpr DeviceValue Special(const wchar_t* name, K kind, DWORD S::*member, G group, D rule, DWORD value)
{
    return {name, kind, member, nullptr, group, rule, value, nullptr, 0, false};
}

// Constant-initialised: the applet's globals load devices before any dynamic initialiser of
// this file could run.
constexpr DeviceValue kRows[] = {
    Txt(L"Device Name", &S::Str_DeviceName, G::Identity, D::Required, nullptr, kTextBytes),
    Special(L"Logical Desktop Segment", K::Segment, &S::Str_DesktopSegment, G::Identity, D::Fixed, 0),
    Special(L"Logical Desktop Segment ID", K::SegmentCode, &S::Str_DesktopSegment, G::Identity, D::Fixed, 0),
    Txt(L"Controller Type", &S::ControllerProtocol, G::Identity, D::Required, nullptr, kTextBytes),

    Num(L"Sample Rate", &S::dwSampleRate, G::Advanced, 100),
    Num(L"Touchdown Filter", &S::dwTouchdownFilter, G::Advanced, 0),
    Num(L"Deglitch", &S::dwDeglitch, G::Advanced, 0),
    Num(L"Controller Enabled", &S::dwControllerEnabled, G::Advanced, 1),
    Num(L"Sound Enabled", &S::dwSoundEnabled, G::Advanced, 0),
    Txt(L"Wave File", &S::Str_WaveFile, G::Advanced, D::WaveFile, nullptr, kWaveFileBytes),

    Num(L"Calibration Timeout", &S::dwCalibrationTimeout, G::Calibration, 10),
    Num(L"CalibPoint", &S::dwCalibPoint, G::Calibration, 1),
    Special(L"calflag", K::Number, &S::dwCalFlag, G::Calibration, D::CalFlag, 0),

    Special(L"Primary Button Mode", K::ButtonMode, &S::dwPrimaryButtonMode, G::ButtonModes, D::Fixed, 0),
    Special(L"Secondary Button Mode", K::ButtonMode, &S::dwSecondaryButtonMode, G::ButtonModes, D::Fixed, 1),

    Txt(L"Port", &S::Str_Port, G::Serial, D::Fixed, L"No COM2", kTextBytes, true),
    Num(L"FIFO", &S::dwFIFO, G::Serial, 0, true),
    Num(L"Address", &S::dwAddress, G::Serial, 760, true),
    Num(L"Baud Rate", &S::BaudRate, G::Serial, 9600, true),
    Num(L"Parity", &S::dwParity, G::Serial, 0, true),
    Num(L"Data bits", &S::DataBits, G::Serial, 8, true),
    Num(L"Stop Bits", &S::dwStopBits, G::Serial, 1, true),
    Num(L"IRQ", &S::dwIRQ, G::Serial, 0, true),

    Num(L"ClickTime", &S::dwClickTime, G::Timing, 9),
    Num(L"Liftoff Time", &S::dwLiftOffTime, G::Timing, 5),
    Num(L"Tap Time", &S::dwTapTime, G::Timing, 9),
    Num(L"Stabilization", &S::dwStabilization, G::Timing, 0),
    Num(L"Averaging", &S::dwAveraging, G::Timing, 0),
};

DWORD DefaultNumber(const DeviceValue& row, const DeviceDefaults& defaults)
{
    return row.rule == D::CalFlag ? DefaultCalFlag(defaults.controllerKind) : row.defaultNumber;
}

std::wstring DefaultText(const DeviceValue& row, const DeviceDefaults& defaults)
{
    if (row.rule == D::WaveFile)
        return DefaultWaveFile(defaults.installDir);
    return row.defaultText ? row.defaultText : L"";
}

// One row into the record; false when the value is missing or unusable (the default is set).
bool ReadRow(CRegistryKey& key, CDeviceSettings& record, const DeviceValue& row, const DeviceDefaults& defaults)
{
    if (row.kind == K::Text) {
        if (key.ReadString(row.name, record.*row.text, row.readBytes))
            return true;
        record.*row.text = DefaultText(row, defaults);
        return false;
    }
    DWORD& value = record.*row.number;
    DWORD stored = 0;
    bool present = key.ReadDword(row.name, &stored);
    if (row.kind == K::ButtonMode)
        present = present && stored >= 1 && stored <= kButtonModeCount;
    value = present ? stored : DefaultNumber(row, defaults);
    if (row.kind == K::ButtonMode && present)
        value = stored - 1;
    return present;
}
}  // namespace

DeviceValueTable DeviceValues()
{
    return {kRows, kRows + sizeof kRows / sizeof kRows[0]};
}

bool CDeviceSettings::*GroupFlag(DeviceGroup group)
{
    switch (group) {
    case G::Identity:
        return &S::bIdentityChanged;
    case G::Advanced:
        return &S::bAdvancedChanged;
    case G::Calibration:
        return &S::bCalibrationChanged;
    case G::ButtonModes:
        return &S::bEventsChanged;
    case G::Serial:
        return &S::bHardwareChanged;
    case G::Timing:
        break;
    }
    return &S::bSettingsChanged;
}

void SetDeviceDefaults(CDeviceSettings& record, const DeviceDefaults& defaults)
{
    for (const DeviceValue& row : DeviceValues()) {
        if (row.rule == D::Required || row.kind == K::SegmentCode)
            continue;
        if (row.kind == K::Text)
            record.*row.text = DefaultText(row, defaults);
        else
            record.*row.number = DefaultNumber(row, defaults);
    }
}

bool ReadDeviceValues(CRegistryKey& key, CDeviceSettings& record, bool serialKey, const DeviceDefaults& defaults)
{
    for (const DeviceValue& row : DeviceValues()) {
        if ((row.serialOnly && !serialKey) || row.kind == K::SegmentCode)
            continue;
        if (ReadRow(key, record, row, defaults))
            continue;
        if (row.rule == D::Required)
            return false;
        // A missing segment is the whole desktop and needs no rewrite; the others are written back.
        if (row.kind != K::Segment)
            record.*GroupFlag(row.group) = true;
    }
    // A segment outside the table is the whole desktop too, and is rewritten.
    if (record.Str_DesktopSegment >= kSegmentCount) {
        record.Str_DesktopSegment = 0;
        record.bIdentityChanged = true;
    }
    return true;
}

void WriteDeviceGroup(CRegistryKey& key, const CDeviceSettings& record, DeviceGroup group,
                      const CSegmentMapper& segmentMapper)
{
    for (const DeviceValue& row : DeviceValues()) {
        if (row.group != group)
            continue;
        DWORD value = row.number ? record.*row.number : 0;
        switch (row.kind) {
        case K::Text:
            key.WriteString(row.name, (record.*row.text).c_str());
            continue;
        case K::SegmentCode:
            value = segmentMapper.GetSegmentId(static_cast<int>(value));
            break;
        case K::ButtonMode:
            value += 1;
            break;
        case K::Number:
        case K::Segment:
            break;
        }
        key.WriteDword(row.name, &value);
    }
}
