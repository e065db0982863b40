#include "DeviceEditSnapshot.h"

#include <algorithm>

#include "DeviceCollection.h"
#include "DeviceSettings.h"

void CDeviceEditSnapshot::Take(const CDeviceCollection& collection)
{
    saved_.clear();
    std::vector<CDeviceSettings*> records;
    collection.GetDevices(records);
    for (CDeviceSettings* record : records)
        if (!record->bAdded && !record->bRemoved)
            saved_.push_back({record, record->Str_DeviceName, record->Str_DesktopSegment});
}

void CDeviceEditSnapshot::Retire(CDeviceSettings& record)
{
    // Its key has been deleted. Marked removed with no name and no controller type, the record
    // is hidden from every list, never found by name, and the apply leaves it alone.
    if (record.hSubKey)
        RegCloseKey(record.hSubKey);
    record.hSubKey = nullptr;
    record.bAdded = false;
    record.bRemoved = true;
    record.Str_DeviceName.clear();
    record.ControllerProtocol.clear();
    record.bIdentityChanged = false;
    record.bRecalibrate = false;
}

void CDeviceEditSnapshot::Restore(CDeviceCollection& collection) const
{
    collection.DiscardAddedDevices();
    std::vector<CDeviceSettings*> records;
    collection.GetDevices(records);
    for (CDeviceSettings* record : records) {
        if (record->bAdded) {
            Retire(*record);
            continue;
        }
        auto found = std::find_if(saved_.begin(), saved_.end(),
                                  [record](const Identity& saved) { return saved.record == record; });
        if (found == saved_.end())
            continue;
        record->Str_DeviceName = found->name;
        record->Str_DesktopSegment = found->segment;
        record->bRemoved = false;
        record->bIdentityChanged = false;
        record->bRecalibrate = false;
    }
}
