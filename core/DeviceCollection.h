#pragma once
// The applet's in-memory model of every configured touch device: one CDeviceSettings per device
// key, serial devices first, then USB devices, then devices added by the user. Loaded once from
// the registry at construction; ApplyChanges writes the changed groups back and tells the
// drivers.
#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "DeviceSettings.h"
#include "SegmentMapper.h"

class CRegistryKey;
class CLabelStore;
class CScopedAttach;

// The applet-wide values the collection works through; they live in the applet context.
struct DeviceEnvironment {
    CRegistryKey& serviceKey;       // attached to the product key by the constructor
    CScopedAttach& productKey;      // keeps that product key open and attached
    CRegistryKey& deviceKey;        // attached to each device key in turn
    DWORD& controllerKind;          // product-key "Controller", filled by the constructor
    std::wstring& installDir;       // product-key "Tiven Installed Path", filled by the constructor
    const std::wstring& calibrationAppPath;
    const CLabelStore& labelStore;
    std::wstring& currentDeviceName;      // kept by Reload for the device of the same key
    CDeviceSettings*& currentDevice;   // looked up again after every apply
};

class CDeviceCollection {
public:
    explicit CDeviceCollection(const DeviceEnvironment& environment);
    // Closes every record's device key and driver handle.
    virtual ~CDeviceCollection();
    CDeviceCollection(const CDeviceCollection&) = delete;
    CDeviceCollection& operator=(const CDeviceCollection&) = delete;

    void GetDevices(std::vector<CDeviceSettings*>& devices) const;
    size_t Count() const { return records_.size(); }
    // First record of that name (exact comparison), removed records included; none for "".
    CDeviceSettings* FindByName(const std::wstring& name) const;
    // The same, but never a record marked removed.
    CDeviceSettings* FindActiveByName(const std::wstring& name) const;
    // Appends the names of the records not marked removed; returns the number of all records.
    size_t GetDeviceNames(std::vector<std::wstring>& names) const;
    bool AllRemoved() const;
    bool HasChanges() const;
    // Takes ownership of a new record (null is ignored).
    void Add(CDeviceSettings* record);

    // Writes every changed group and tells the drivers. False when a new device could not be
    // written because its key could not be created: that device stays marked added, and its
    // driver hears nothing of it.
    bool ApplyChanges();
    // Deletes the device keys of records still marked added; returns the number of records, or
    // 0 when nothing had changed.
    size_t DiscardAddedDevices();
    // Drops every record, with its unapplied edits, and loads the devices again from the
    // registry. The current device stays the device of the same key, under the name the
    // registry holds; a current device that was added is looked up by name. Records handed out
    // before are gone afterwards.
    void Reload();

    // Group writers: registry values through deviceKey, then, for an existing device with a
    // driver handle, the group's control codes. Each clears its group flag.
    void WriteIdentity(CDeviceSettings* record, bool newDevice);
    void WriteAdvanced(CDeviceSettings* record, bool newDevice);
    void WriteCalibration(CDeviceSettings* record);
    void WriteButtonModes(CDeviceSettings* record, bool newDevice);
    void WriteSerial(CDeviceSettings* record, bool newDevice);
    void WriteTiming(CDeviceSettings* record, bool newDevice);

private:
    void ReadProductKey();
    void LoadDevices();
    void CloseDeviceHandles();
    bool RemoveDevice(size_t index);
    bool WriteNewDevice(CDeviceSettings& record);
    void SendModeSettings(CDeviceSettings& record);
    void SendPacketFilter(CDeviceSettings& record);
    // The record's key path, or "" for a type that has no driver family.
    std::wstring KeyPathOf(const CDeviceSettings& record) const;

    DeviceEnvironment env_;
    std::vector<std::unique_ptr<CDeviceSettings>> records_;
    CSegmentMapper segmentMapper_;
};
