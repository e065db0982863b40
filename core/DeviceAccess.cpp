#include "DeviceAccess.h"

#include "DeviceKeys.h"

bool IsSerialProtocol(const std::wstring& controllerProtocol)
{
    return controllerProtocol == kSerialControllerType;
}

const wchar_t* DriverNameFor(const std::wstring& controllerProtocol)
{
    return IsSerialProtocol(controllerProtocol) ? L"RILO" : L"MEKA";
}

std::wstring DeviceFilePath(const std::wstring& controllerProtocol, const std::wstring& subKey)
{
    return std::wstring(L"\\\\.\\") + DriverNameFor(controllerProtocol) + subKey;
}

bool IsValidDeviceHandle(HANDLE handle)
{
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

HANDLE GetDeviceHandle(const DeviceEndpoint& device)
{
    if (!device)
        return nullptr;
    if (IsValidDeviceHandle(*device.hDevice))
        return *device.hDevice;
    std::wstring path = DeviceFilePath(*device.controllerProtocol, *device.subKey);
    *device.hDevice = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, 0, nullptr);
    return *device.hDevice;
}

bool DeviceIoctl(const DeviceEndpoint& device, DWORD code, const void* input, DWORD inputSize, void* output,
                 DWORD outputSize)
{
    if (!device)
        return false;
    HANDLE handle = GetDeviceHandle(device);
    if (!IsValidDeviceHandle(handle))
        return false;
    DWORD returned = 0;
    // DeviceIoControl takes a non-const input pointer; buffered requests never write to it.
    return DeviceIoControl(handle, code, const_cast<void*>(input), inputSize, output, outputSize, &returned,
                           nullptr) != FALSE;
}

void CloseDeviceHandle(const DeviceEndpoint& device)
{
    if (!device)
        return;
    if (IsValidDeviceHandle(*device.hDevice))
        CloseHandle(*device.hDevice);
    *device.hDevice = nullptr;
}

bool SendToSerialControlDevice(DWORD code, const void* input, DWORD inputSize)
{
    const std::wstring protocol = kSerialControllerType;
    const std::wstring subKey = L"0";
    HANDLE handle = nullptr;
    DeviceEndpoint control{&protocol, &subKey, &handle};
    bool sent = DeviceIoctl(control, code, input, inputSize, nullptr, 0);
    CloseDeviceHandle(control);
    return sent;
}
