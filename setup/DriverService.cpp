#include "DriverService.h"

#include <windows.h>

#include <string>

#include "InstallLog.h"
#include "Owner.h"

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

}  // namespace setup
