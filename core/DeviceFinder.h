#pragma once
// Looks a touch device up by its "Device Name" among the device keys of the serial driver
// (first) and the USB driver, and builds its CDeviceRecord.
//
// After a successful lookup the finder's key stays attached to the device's key, and the caller
// reads and writes the device's values through Key(). The finder closes the device key it
// opened at the next lookup and at destruction; keys that callers attach themselves stay theirs.
//
// CDeviceFinder works on UTF-16 texts; CDeviceFinderA is the narrow build of the background
// programs (names and values in the system code page, read with the ...A registry functions,
// buffer sizes in bytes as in the wide build).
#include <windows.h>

#include <memory>

#include "DeviceRecord.h"
#include "RegistryKey.h"
#include "ScopedAttach.h"

template <typename Record>
class CBasicDeviceFinder {
public:
    using Char = typename Record::CharType;

    CBasicDeviceFinder() = default;
    virtual ~CBasicDeviceFinder();
    CBasicDeviceFinder(const CBasicDeviceFinder&) = delete;
    CBasicDeviceFinder& operator=(const CBasicDeviceFinder&) = delete;

    CRegistryKey& Key() { return key_; }

    // The record of the device whose "Device Name" equals `name` exactly (case-sensitive), or
    // null. Within one driver the first subkey in enumeration order wins.
    std::unique_ptr<Record> FindDevice(const Char* name);
    // Fills "Calibration Timeout" and "Controller Type" from the key the finder stands on.
    void ReadDeviceValues(Record& record);

private:
    CRegistryKey key_;
    CScopedAttach deviceKey_;   // the device key this finder opened, attached to key_
};

class CDeviceFinder : public CBasicDeviceFinder<CDeviceRecord> {};
class CDeviceFinderA : public CBasicDeviceFinder<CDeviceRecordA> {};
