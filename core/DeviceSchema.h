#pragma once
// The one schema of a device key: every value the applet's record holds, with its change group,
// its default and whether only serial controllers have it. Loading, applying, the defaults and
// TivenDevList all walk this table. The rows of a group stand in the order its writer stores
// them: the registry hands a new key's values back in creation order, so the order is visible.
#include <windows.h>

#include <string>

#include "DeviceSettings.h"
#include "RowRange.h"

class CRegistryKey;
class CSegmentMapper;

// The change groups; each has one flag in the record and one writer in the collection.
enum class DeviceGroup { Identity, Advanced, Calibration, ButtonModes, Serial, Timing };

enum class DeviceValueKind {
    Number,        // REG_DWORD in a DWORD member
    Text,          // REG_EXPAND_SZ in a string member
    Segment,       // REG_DWORD desktop-segment index; missing: 0 without marking the group,
                   // outside the segment table: 0 and the group marked
    SegmentCode,   // REG_DWORD, the driver's code of the segment member; written, never read
    ButtonMode,    // REG_DWORD code 1..13, held as index 0..12; other codes count as missing
};

// Defaults that depend on the installation rather than on the row.
enum class DeviceDefault {
    Fixed,           // the row's number or text
    Required,        // none: a key without the value is not a device
    WaveFile,        // "wave\default.wav" in the install folder
    CalFlag,         // 4 for controller kind 1, else 9
};

struct DeviceValue {
    const wchar_t* name;
    DeviceValueKind kind;
    DWORD CDeviceSettings::*number;          // Number, Segment, SegmentCode, ButtonMode rows
    std::wstring CDeviceSettings::*text;     // Text rows
    DeviceGroup group;
    DeviceDefault rule;
    DWORD defaultNumber;                     // a ButtonMode row's default is an index
    const wchar_t* defaultText;
    DWORD readBytes;                         // buffer of a text read
    bool serialOnly;
};

// The rows, group after group (identity, advanced, calibration, button modes, serial, timing).
using DeviceValueTable = RowRange<DeviceValue>;
DeviceValueTable DeviceValues();

// What the installation-dependent defaults come from.
struct DeviceDefaults {
    const std::wstring& installDir;
    DWORD controllerKind;
};

// The record's change flag of a group.
bool CDeviceSettings::*GroupFlag(DeviceGroup group);

// Every value to its default (Required and SegmentCode rows have none).
void SetDeviceDefaults(CDeviceSettings& record, const DeviceDefaults& defaults);
// Reads the values of the key attached to `key` into the record; serial-only rows only when
// `serialKey`. A missing value takes its default and marks its group, so the next apply writes
// it back. False when a required value is missing: the key is no device.
bool ReadDeviceValues(CRegistryKey& key, CDeviceSettings& record, bool serialKey, const DeviceDefaults& defaults);
// Writes the values of one group, in table order, to the key attached to `key`.
void WriteDeviceGroup(CRegistryKey& key, const CDeviceSettings& record, DeviceGroup group,
                      const CSegmentMapper& segmentMapper);
