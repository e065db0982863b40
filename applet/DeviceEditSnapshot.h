#pragma once
// What the Devices page can change in the device collection before an apply (names, segments,
// removals, added devices), remembered as the registry holds it, so that Cancel can put the
// collection back. Taken when the page opens and again after every apply.
#include <windows.h>

#include <string>
#include <vector>

class CDeviceCollection;
class CDeviceSettings;

class CDeviceEditSnapshot {
public:
    // Remembers the name and segment of every record that exists in the registry and is not
    // marked removed.
    void Take(const CDeviceCollection& collection);
    // Deletes the keys of the devices added since (through the collection), and puts every
    // remembered record back to its remembered name and segment, not removed and with no
    // identity change pending. Records added since stay in the collection, which has no way to
    // drop a record before an apply: they are emptied so that nothing lists, finds, writes or
    // notifies them again.
    void Restore(CDeviceCollection& collection) const;

private:
    struct Identity {
        CDeviceSettings* record;
        std::wstring name;
        DWORD segment;
    };
    static void Retire(CDeviceSettings& record);

    std::vector<Identity> saved_;
};
