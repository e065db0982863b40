#pragma once
// The settings clone files: the two drivers' Parameters keys, with every device key and value
// below them, saved as registry hive files into the install folder ("RILOClone.Dat" for the
// serial driver, "MEKAClone.Dat" for the USB driver). The setup program restores them into a new
// installation, so the names, the keys and the hive format (RegSaveKeyW's standard format) stay
// as they are.
#include <windows.h>

#include <string>

class CLabelStore;

// What became of one driver's clone file.
enum class CloneOutcome {
    NoKey,        // the Parameters key could neither be opened nor created
    SaveFailed,   // the key was there, but no complete file took the old one's place
    Saved,
};

struct CloneResult {
    std::wstring serialPath;
    std::wstring usbPath;
    CloneOutcome serial = CloneOutcome::NoKey;
    CloneOutcome usb = CloneOutcome::NoKey;

    bool AnySaveFailed() const { return serial == CloneOutcome::SaveFailed || usb == CloneOutcome::SaveFailed; }
};

std::wstring SerialClonePath(const std::wstring& installDir);
std::wstring UsbClonePath(const std::wstring& installDir);

// Saves both Parameters keys (the serial driver's first) into the install folder; a missing key
// is created empty and saved as well. The backup privilege is enabled for the rest of the
// process. Each file is first saved under a new name beside it and then moved over the old one,
// so a second clone replaces the first and a failed one leaves the previous file whole.
CloneResult CloneDriverSettings(const std::wstring& installDir);

// The report of a clone: "Device settings not found in the registry" when neither key was
// there; otherwise the files saved (USB, then serial) under the label LGEN_CLONE_SETTINGS, and
// then the files that could not be saved.
std::wstring CloneMessage(const CloneResult& result, const CLabelStore& labels);
