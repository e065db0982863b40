#pragma once
// The applet-wide state shared by the property sheet and its pages: the label store, the device
// collection, the current device, the two registry keys and a few product-key paths, with the
// free functions that keep the current device the same on every page.
//
// The applet holds exactly one instance for as long as it is loaded. Members are constructed in
// the order they are declared: the paths, keys and plain values the collection fills or refers
// to come first, then the collection (whose constructor reads the product key and every device
// key), then the name tables. Destruction runs in reverse: the collection closes its device
// keys and driver handles before the keys and strings it used go away.
#include <windows.h>

#include <string>
#include <vector>

#include "DeviceCollection.h"
#include "LabelStore.h"
#include "NameTable.h"
#include "RegistryKey.h"
#include "ScopedAttach.h"

class CAppletContext {
public:
    CAppletContext();
    CAppletContext(const CAppletContext&) = delete;
    CAppletContext& operator=(const CAppletContext&) = delete;

    // True while every device is marked removed (or there is none).
    bool NoControllerLeft() const;
    // Fills a combo box with the names of the devices not marked removed and selects the
    // current device (or the first entry when there is no current name); the selection becomes
    // current and is written to the product key. False, and the box untouched, when no device
    // is left.
    bool FillDeviceCombo(HWND combo);
    // Makes the named device current; false (and no current device) when no live record has
    // that name. The name is written to the product key when a record was found.
    bool SelectDevice(const std::wstring& name);
    // Reads the system's serial ports from HARDWARE\DEVICEMAP\SERIALCOMM.
    void LoadSerialPorts();
    // Drops the sheet's unapplied edits: deletes the keys of added devices and loads the
    // collection again. The current device stays the device of the same key, and its stored
    // name goes back to the product key, which a rename had already changed.
    void CancelChanges();

    std::wstring installDir;          // "Tiven Installed Path", filled by the collection
    std::wstring calibrationAppPath;  // "Calibration Application", filled by the property sheet
    CRegistryKey deviceKey;           // attached by the collection to each device key in turn
    CRegistryKey serviceKey;          // attached by the collection to the product key
    CScopedAttach productKey;         // keeps that key open; declared after serviceKey, let go first
    std::wstring currentDeviceName;   // product-key "Device Name", filled by the property sheet
    DWORD controllerKind = 0;         // product-key "Controller": 1 4/8-wire, 2 5-wire, 3 one-sheet
    CDeviceSettings* currentDevice = nullptr;
    CLabelStore labelStore;
    CDeviceCollection deviceCollection;
    std::vector<std::wstring> serialPorts;
    CNameTable SegmentNames;
    CNameTable ButtonModeNames;
    CNameTable ControllerTypeNames;

private:
    void WriteCurrentDeviceName();
};
