// CDeviceCollection: loading and lookups. The apply pass is in DeviceCollectionApply.cpp.
#include "DeviceCollection.h"

#include "DeviceAccess.h"
#include "DeviceKeys.h"
#include "DeviceSchema.h"
#include "KeyHandle.h"
#include "ProductSchema.h"
#include "RegistryKey.h"
#include "ScopedAttach.h"

CDeviceCollection::CDeviceCollection(const DeviceEnvironment& environment) : env_(environment)
{
    ReadProductKey();
    LoadDevices();
}

CDeviceCollection::~CDeviceCollection() { CloseDeviceHandles(); }

void CDeviceCollection::CloseDeviceHandles()
{
    for (auto& record : records_)
        CloseDeviceHandle(record.get());
}

void CDeviceCollection::Reload()
{
    // The current device stays current by its key, under the name the registry holds for it,
    // so a cancelled rename does not leave the current name naming no device.
    std::wstring currentKey;
    if (env_.currentDevice && !env_.currentDevice->bAdded)
        currentKey = KeyPathOf(*env_.currentDevice);
    env_.currentDevice = nullptr;
    CloseDeviceHandles();
    records_.clear();
    LoadDevices();
    for (const auto& record : records_) {
        if (!currentKey.empty() && KeyPathOf(*record) == currentKey) {
            env_.currentDeviceName = record->Str_DeviceName;
            break;
        }
    }
    env_.currentDevice = FindActiveByName(env_.currentDeviceName);
}

void CDeviceCollection::ReadProductKey()
{
    // The product key stays attached to serviceKey from here on.
    env_.productKey = CScopedAttach(env_.serviceKey, kProductKeyPath);
    // The kind selects texts and defaults; a value outside 1..3 counts as missing.
    const DWORD kind = ReadProductNumber(env_.serviceKey, ProductValueId::ControllerKind);
    env_.controllerKind = kind >= 1 && kind <= 3 ? kind : ProductRow(ProductValueId::ControllerKind).defaultNumber;
    ReadProductText(env_.serviceKey, ProductValueId::InstallFolder, env_.installDir);
}

void CDeviceCollection::LoadDevices()
{
    const DeviceDefaults defaults{env_.installDir, env_.controllerKind};
    ForEachDeviceKey(env_.deviceKey, [&](DeviceFamily family, const std::wstring& subkey, CKeyHandle& key) {
        env_.deviceKey.Attach(key.Get());
        auto record = std::make_unique<CDeviceSettings>();
        record->Str_SubKey = subkey;
        // A key without "Device Name" or "Controller Type" is no device; the walk closes it.
        if (!ReadDeviceValues(env_.deviceKey, *record, family == DeviceFamily::Serial, defaults))
            return false;
        record->hSubKey = std::move(key);
        GetDeviceHandle(record.get());
        records_.push_back(std::move(record));
        return false;
    });
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
