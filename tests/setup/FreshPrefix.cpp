#include "FreshPrefix.h"

#include <shlobj.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "ComPtr.h"

namespace setuptest {

std::wstring SystemUserinit() { return SystemFolder() + L"\\userinit.exe,"; }

void PrepareWindowsState(testsupport::ScratchRegistry& registry, const wchar_t* userinit)
{
    if (userinit) {
        DWORD bytes = static_cast<DWORD>((wcslen(userinit) + 1) * sizeof(wchar_t));
        registry.SetRaw(kWinlogonKey, L"Userinit", REG_SZ, userinit, bytes);
    }
    registry.CreateKey(L"SYSTEM\\CurrentControlSet\\Services\\Mouclass\\Parameters");
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string FileBytes(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteLink(const std::wstring& path, const std::wstring& target)
{
    CoInitialize(nullptr);
    bool saved = false;
    {
        ComPtr<IShellLinkW> link;
        ComPtr<IPersistFile> file;
        saved = SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                           reinterpret_cast<void**>(link.Out()))) &&
                SUCCEEDED(link->SetPath(target.c_str())) &&
                SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Out()))) &&
                SUCCEEDED(file->Save(path.c_str(), TRUE));
    }
    CoUninitialize();
    return saved;
}

LinkInfo ReadLink(const std::wstring& path)
{
    LinkInfo info;
    CoInitialize(nullptr);
    {
        ComPtr<IShellLinkW> link;
        ComPtr<IPersistFile> file;
        if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                       reinterpret_cast<void**>(link.Out()))) &&
            SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Out()))) &&
            SUCCEEDED(file->Load(path.c_str(), STGM_READ))) {
            wchar_t text[MAX_PATH] = {};
            info.loaded = true;
            if (SUCCEEDED(link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH)))
                info.target = text;
            text[0] = 0;
            link->GetArguments(text, MAX_PATH);
            info.arguments = text;
            text[0] = 0;
            link->GetWorkingDirectory(text, MAX_PATH);
            info.workingDirectory = text;
            text[0] = 0;
            link->GetIconLocation(text, MAX_PATH, &info.iconIndex);
            info.iconPath = text;
        }
    }
    CoUninitialize();
    return info;
}

ServiceInfo ReadService(const wchar_t* name)
{
    ServiceInfo info;
    SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT);
    if (!manager)
        return info;
    SC_HANDLE service = OpenServiceW(manager, name, SERVICE_QUERY_CONFIG);
    if (service) {
        DWORD needed = 0;
        QueryServiceConfigW(service, nullptr, 0, &needed);
        std::vector<BYTE> buffer(needed ? needed : 1);
        auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGW*>(buffer.data());
        if (QueryServiceConfigW(service, config, needed, &needed)) {
            info.exists = true;
            info.type = config->dwServiceType;
            info.start = config->dwStartType;
            info.errorControl = config->dwErrorControl;
            info.binaryPath = config->lpBinaryPathName ? config->lpBinaryPathName : L"";
            info.displayName = config->lpDisplayName ? config->lpDisplayName : L"";
        }
        CloseServiceHandle(service);
    }
    CloseServiceHandle(manager);
    return info;
}

bool RegisterService(const wchar_t* name, DWORD start, const wchar_t* path)
{
    SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    if (!manager)
        return false;
    SC_HANDLE service = CreateServiceW(manager, name, L"Old registration", SERVICE_ALL_ACCESS, SERVICE_KERNEL_DRIVER,
                                       start, SERVICE_ERROR_IGNORE, path, nullptr, nullptr, nullptr, nullptr, nullptr);
    bool ok = service != nullptr;
    if (service)
        CloseServiceHandle(service);
    CloseServiceHandle(manager);
    return ok;
}

}  // namespace setuptest
