#include "DriverService.h"

#include <windows.h>

#include <vector>

#include "InstallLog.h"
#include "KeyHandle.h"
#include "Privilege.h"
#include "RegistryKey.h"

namespace setup {

namespace {
struct ServiceHandleTraits {
    using Type = SC_HANDLE;
    static SC_HANDLE Empty() { return nullptr; }
    static bool IsValid(SC_HANDLE handle) { return handle != nullptr; }
    static void Close(SC_HANDLE handle) { CloseServiceHandle(handle); }
};
using CServiceHandle = COwner<ServiceHandleTraits>;

std::wstring WithError(const std::wstring& text, DWORD error)
{
    return text + L" (error " + std::to_wstring(error) + L")";
}

// A value as stored: its type and bytes.
struct StoredValue {
    std::wstring name;
    DWORD type = 0;
    std::vector<BYTE> data;
    bool operator==(const StoredValue& other) const
    {
        return type == other.type && data == other.data && lstrcmpiW(name.c_str(), other.name.c_str()) == 0;
    }
};

bool ReadValues(HKEY key, std::vector<StoredValue>& values)
{
    for (DWORD index = 0;; ++index) {
        wchar_t name[16384];
        DWORD nameChars = 16384, type = 0, bytes = 0;
        LONG rc = RegEnumValueW(key, index, name, &nameChars, nullptr, &type, nullptr, &bytes);
        if (rc == ERROR_NO_MORE_ITEMS)
            return true;
        if (rc != ERROR_SUCCESS)
            return false;
        StoredValue value{std::wstring(name, nameChars), type, std::vector<BYTE>(bytes)};
        if (RegQueryValueExW(key, value.name.c_str(), nullptr, &value.type, value.data.empty() ? nullptr : value.data.data(),
                             &bytes) != ERROR_SUCCESS)
            return false;
        value.data.resize(bytes);
        values.push_back(std::move(value));
    }
}

bool ReadSubkeys(HKEY key, std::vector<std::wstring>& names)
{
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD chars = 256;
        LONG rc = RegEnumKeyExW(key, index, name, &chars, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_NO_MORE_ITEMS)
            return true;
        if (rc != ERROR_SUCCESS)
            return false;
        names.emplace_back(name, chars);
    }
}

// Every value of `expected` is in `actual` with the same type and data, and so on for every
// subkey, and `actual` holds nothing more.
bool SameTree(HKEY expected, HKEY actual)
{
    std::vector<StoredValue> a, b;
    if (!ReadValues(expected, a) || !ReadValues(actual, b) || a.size() != b.size())
        return false;
    for (const StoredValue& value : a) {
        bool found = false;
        for (const StoredValue& other : b)
            found = found || value == other;
        if (!found)
            return false;
    }
    std::vector<std::wstring> subA, subB;
    if (!ReadSubkeys(expected, subA) || !ReadSubkeys(actual, subB) || subA.size() != subB.size())
        return false;
    for (const std::wstring& name : subA) {
        CKeyHandle childA, childB;
        if (RegOpenKeyExW(expected, name.c_str(), 0, KEY_READ, childA.Receive()) != ERROR_SUCCESS ||
            RegOpenKeyExW(actual, name.c_str(), 0, KEY_READ, childB.Receive()) != ERROR_SUCCESS ||
            !SameTree(childA.Get(), childB.Get()))
            return false;
    }
    return true;
}

// A hive loaded under HKEY_USERS for as long as the object lives.
class CLoadedHive {
public:
    CLoadedHive(const std::wstring& file, LONG& result)
        : name_(L"TivenClone" + std::to_wstring(GetCurrentProcessId()))
    {
        result = RegLoadKeyW(HKEY_USERS, name_.c_str(), file.c_str());
        loaded_ = result == ERROR_SUCCESS;
    }
    ~CLoadedHive()
    {
        if (loaded_)
            RegUnLoadKeyW(HKEY_USERS, name_.c_str());
    }
    CLoadedHive(const CLoadedHive&) = delete;
    CLoadedHive& operator=(const CLoadedHive&) = delete;
    const std::wstring& Name() const { return name_; }

private:
    std::wstring name_;
    bool loaded_ = false;
};
}  // namespace

void CreateSerialDriverService(CInstallLog& log)
{
    CServiceHandle manager(OpenSCManagerW(nullptr, SERVICES_ACTIVE_DATABASEW, SC_MANAGER_ALL_ACCESS));
    if (!manager) {
        log.Fail(WithError(L"Cannot open the service control manager", GetLastError()));
        return;
    }
    CServiceHandle service(CreateServiceW(manager.Get(), kSerialServiceName, kSerialServiceName, SERVICE_ALL_ACCESS,
                                          SERVICE_KERNEL_DRIVER, SERVICE_BOOT_START, SERVICE_ERROR_NORMAL,
                                          kSerialDriverPath, nullptr, nullptr, nullptr, nullptr, nullptr));
    if (service)
        return;
    DWORD error = GetLastError();
    if (error != ERROR_SERVICE_EXISTS) {
        log.Fail(WithError(L"Cannot register the RILO driver service", error));
        return;
    }
    service.Reset(OpenServiceW(manager.Get(), kSerialServiceName, SERVICE_CHANGE_CONFIG));
    // An empty load-order group and an empty dependency list clear what the old registration had.
    if (!service || !ChangeServiceConfigW(service.Get(), SERVICE_KERNEL_DRIVER, SERVICE_BOOT_START,
                                          SERVICE_ERROR_NORMAL, kSerialDriverPath, L"", nullptr, L"\0", nullptr,
                                          nullptr, kSerialServiceName))
        log.Fail(WithError(L"Cannot update the RILO driver service", GetLastError()));
}

void RestoreClone(const wchar_t* keyPath, const std::wstring& cloneFile, CInstallLog& log)
{
    CRegistryKey registry;
    CKeyHandle created;
    LONG rc = registry.CreateSecuredKey(keyPath, created.Receive());
    created.Reset();
    if (rc != ERROR_SUCCESS) {
        log.Fail(WithError(std::wstring(L"Cannot create ") + keyPath, static_cast<DWORD>(rc)));
        return;
    }
    if (cloneFile.empty())
        return;
    // Loading a hive needs both privileges on some systems; the restore needs the first.
    EnablePrivilege(SE_RESTORE_NAME);
    EnablePrivilege(SE_BACKUP_NAME);

    CLoadedHive hive(cloneFile, rc);
    if (rc != ERROR_SUCCESS) {
        log.Fail(WithError(L"Cannot read the clone file " + cloneFile, static_cast<DWORD>(rc)));
        return;
    }
    CKeyHandle source, target;
    rc = RegOpenKeyExW(HKEY_USERS, hive.Name().c_str(), 0, KEY_READ, source.Receive());
    if (rc == ERROR_SUCCESS)
        rc = RegCreateKeyExW(HKEY_LOCAL_MACHINE, keyPath, 0, nullptr, REG_OPTION_BACKUP_RESTORE, KEY_ALL_ACCESS,
                             nullptr, target.Receive(), nullptr);
    // Emptied first, so that keys made since the clone was taken go as a forced restore would.
    if (rc == ERROR_SUCCESS)
        rc = RegDeleteTreeW(target.Get(), nullptr);
    if (rc == ERROR_SUCCESS)
        rc = RegCopyTreeW(source.Get(), nullptr, target.Get());
    if (rc != ERROR_SUCCESS) {
        log.Fail(WithError(L"Cannot restore " + cloneFile + L" into " + keyPath, static_cast<DWORD>(rc)));
        return;
    }
    if (!SameTree(source.Get(), target.Get()))
        log.Fail(L"The restored " + std::wstring(keyPath) + L" does not hold the content of " + cloneFile);
}

}  // namespace setup
