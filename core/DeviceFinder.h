#pragma once
// Looks a touch device up by its "Device Name" among the device keys of the serial driver
// (first) and the USB driver, and builds its CDeviceRecord.
//
// After a successful lookup the finder's key stays attached to the device's key, and the caller
// reads and writes the device's values through Key(). The finder closes the device key it
// opened at the next lookup and at destruction; keys that callers attach themselves stay theirs.
#include <windows.h>

#include <memory>

#include "DeviceRecord.h"
#include "RegistryKey.h"
#include "ScopedAttach.h"

class CDeviceFinder {
public:
    CDeviceFinder() = default;
    virtual ~CDeviceFinder();
    CDeviceFinder(const CDeviceFinder&) = delete;
    CDeviceFinder& operator=(const CDeviceFinder&) = delete;

    CRegistryKey& Key() { return key_; }

    // The record of the device whose "Device Name" equals `name` exactly (case-sensitive), or
    // null. Within one driver the first subkey in enumeration order wins.
    std::unique_ptr<CDeviceRecord> FindDevice(const wchar_t* name);
    // Fills "Calibration Timeout" and "Controller Type" from the key the finder stands on.
    void ReadDeviceValues(CDeviceRecord& record);

private:
    CRegistryKey key_;
    CScopedAttach deviceKey_;   // the device key this finder opened, attached to key_
};
