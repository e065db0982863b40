// Registering, starting and stopping the two stand-in kernel driver services.
#include "StandinClient.h"

namespace standin {
namespace {

constexpr DWORD kServiceWaitMs = 15000;

// Service handle that closes itself.
class ScHandle {
public:
    explicit ScHandle(SC_HANDLE h = nullptr) : h_(h) {}
    ~ScHandle()
    {
        if (h_)
            CloseServiceHandle(h_);
    }
    ScHandle(const ScHandle&) = delete;
    ScHandle& operator=(const ScHandle&) = delete;
    SC_HANDLE get() const { return h_; }
    void reset(SC_HANDLE h)
    {
        if (h_)
            CloseServiceHandle(h_);
        h_ = h;
    }
    explicit operator bool() const { return h_ != nullptr; }

private:
    SC_HANDLE h_;
};

bool Fail(std::wstring* error, const std::wstring& what, DWORD code = GetLastError())
{
    if (error)
        *error = what + L" (error " + std::to_wstring(code) + L")";
    return false;
}

std::wstring FileName(Driver driver)
{
    return driver == Driver::Rilo ? L"rilo.sys" : L"meka.sys";
}

// The path the service is registered with. Wine 8 loads a relative "System32\drivers\x.sys"
// (the form the product's setup writes) from the current folder and fails; "\SystemRoot\..."
// works on Wine and on Windows.
std::wstring ImagePath(Driver driver)
{
    return L"\\SystemRoot\\System32\\drivers\\" + FileName(driver);
}

bool WaitForState(SC_HANDLE service, DWORD wanted)
{
    DWORD start = GetTickCount();
    for (;;) {
        SERVICE_STATUS status{};
        if (!QueryServiceStatus(service, &status))
            return false;
        if (status.dwCurrentState == wanted)
            return true;
        if (GetTickCount() - start > kServiceWaitMs)
            return false;
        Sleep(20);
    }
}

bool StopService(SC_HANDLE manager, Driver driver, std::wstring* error)
{
    ScHandle service(OpenServiceW(manager, DriverName(driver), SERVICE_ALL_ACCESS));
    if (!service)
        return GetLastError() == ERROR_SERVICE_DOES_NOT_EXIST || Fail(error, L"OpenService");
    SERVICE_STATUS status{};
    if (!ControlService(service.get(), SERVICE_CONTROL_STOP, &status) &&
        GetLastError() != ERROR_SERVICE_NOT_ACTIVE)
        return Fail(error, std::wstring(L"stopping ") + DriverName(driver));
    if (!WaitForState(service.get(), SERVICE_STOPPED))
        return Fail(error, std::wstring(DriverName(driver)) + L" did not stop", 0);
    return true;
}

bool InstallOne(SC_HANDLE manager, Driver driver, const std::wstring& binDir, std::wstring* error)
{
    wchar_t system[MAX_PATH];
    UINT length = GetSystemDirectoryW(system, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return Fail(error, L"GetSystemDirectory");
    std::wstring source = binDir + L"\\" + FileName(driver);
    std::wstring target = std::wstring(system) + L"\\drivers\\" + FileName(driver);
    if (!CopyFileW(source.c_str(), target.c_str(), FALSE))
        return Fail(error, L"copying " + source + L" to " + target);

    const std::wstring path = ImagePath(driver);
    ScHandle service(OpenServiceW(manager, DriverName(driver), SERVICE_ALL_ACCESS));
    if (service) {
        // A registration left by someone else (the setup registers RILO as boot start) is brought
        // to the stand-in's settings.
        if (!ChangeServiceConfigW(service.get(), SERVICE_KERNEL_DRIVER, SERVICE_DEMAND_START, SERVICE_ERROR_NORMAL,
                                  path.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr, DriverName(driver)))
            return Fail(error, std::wstring(L"ChangeServiceConfig ") + DriverName(driver));
    } else {
        service.reset(CreateServiceW(manager, DriverName(driver), DriverName(driver), SERVICE_ALL_ACCESS,
                                     SERVICE_KERNEL_DRIVER, SERVICE_DEMAND_START, SERVICE_ERROR_NORMAL, path.c_str(),
                                     nullptr, nullptr, nullptr, nullptr, nullptr));
        if (!service)
            return Fail(error, std::wstring(L"CreateService ") + DriverName(driver));
    }
    if (!StartServiceW(service.get(), 0, nullptr) && GetLastError() != ERROR_SERVICE_ALREADY_RUNNING)
        return Fail(error, std::wstring(L"StartService ") + DriverName(driver));
    if (!WaitForState(service.get(), SERVICE_RUNNING))
        return Fail(error, std::wstring(DriverName(driver)) + L" did not start", 0);
    return true;
}

}  // namespace

bool Installed()
{
    ScHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT));
    if (!manager)
        return false;
    for (Driver driver : {Driver::Rilo, Driver::Meka}) {
        ScHandle service(OpenServiceW(manager.get(), DriverName(driver), SERVICE_QUERY_STATUS));
        if (!service)
            return false;
    }
    return true;
}

bool InstallAndStart(const std::wstring& binDir, std::wstring* error)
{
    ScHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (!manager)
        return Fail(error, L"OpenSCManager");
    // Stopped first, so a rebuilt driver replaces the one that is loaded.
    for (Driver driver : {Driver::Rilo, Driver::Meka})
        if (!StopService(manager.get(), driver, error))
            return false;
    for (Driver driver : {Driver::Rilo, Driver::Meka})
        if (!InstallOne(manager.get(), driver, binDir, error))
            return false;
    // The test devices exist as soon as DriverEntry returned; check that both answer.
    return Running() || Fail(error, L"the stand-ins' test devices do not answer", 0);
}

bool Stop(std::wstring* error)
{
    ScHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (!manager)
        return Fail(error, L"OpenSCManager");
    bool rilo = StopService(manager.get(), Driver::Rilo, error);
    bool meka = StopService(manager.get(), Driver::Meka, error);
    return rilo && meka;
}

bool Uninstall(std::wstring* error)
{
    ScHandle manager(OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (!manager)
        return Fail(error, L"OpenSCManager");
    for (Driver driver : {Driver::Rilo, Driver::Meka}) {
        if (!StopService(manager.get(), driver, error))
            return false;
        ScHandle service(OpenServiceW(manager.get(), DriverName(driver), DELETE));
        if (service && !DeleteService(service.get()))
            return Fail(error, std::wstring(L"DeleteService ") + DriverName(driver));
    }
    return true;
}

}  // namespace standin
