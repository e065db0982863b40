#include "DeviceAccess.h"

#include "CharText.h"
#include "DeviceKeys.h"

namespace {
const wchar_t* SerialTypeOf(wchar_t) { return kSerialControllerType; }
const char* SerialTypeOf(char) { return kSerialControllerTypeA.data(); }

HANDLE OpenDeviceFile(const std::wstring& path)
{
    return CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, 0, nullptr);
}

HANDLE OpenDeviceFile(const std::string& path)
{
    return CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, 0, nullptr);
}

template <typename Char>
bool IsSerial(const std::basic_string<Char>& controllerProtocol)
{
    return controllerProtocol == SerialTypeOf(Char());
}

template <typename Char>
const Char* DriverName(const std::basic_string<Char>& controllerProtocol)
{
    return IsSerial(controllerProtocol) ? TIVEN_TEXT(Char, "RILO") : TIVEN_TEXT(Char, "MEKA");
}

template <typename Char>
std::basic_string<Char> FilePath(const std::basic_string<Char>& controllerProtocol,
                                 const std::basic_string<Char>& subKey)
{
    return TIVEN_TEXT(Char, "\\\\.\\") + (DriverName(controllerProtocol) + subKey);
}

template <typename Char>
HANDLE Open(const BasicDeviceEndpoint<Char>& device)
{
    if (!device)
        return nullptr;
    if (IsValidDeviceHandle(*device.hDevice))
        return *device.hDevice;
    *device.hDevice = OpenDeviceFile(FilePath(*device.controllerProtocol, *device.subKey));
    return *device.hDevice;
}

template <typename Char>
bool Send(const BasicDeviceEndpoint<Char>& device, DWORD code, const void* input, DWORD inputSize, void* output,
          DWORD outputSize)
{
    if (!device)
        return false;
    HANDLE handle = Open(device);
    if (!IsValidDeviceHandle(handle))
        return false;
    DWORD returned = 0;
    // DeviceIoControl takes a non-const input pointer; buffered requests never write to it.
    return DeviceIoControl(handle, code, const_cast<void*>(input), inputSize, output, outputSize, &returned,
                           nullptr) != FALSE;
}

template <typename Char>
void Close(const BasicDeviceEndpoint<Char>& device)
{
    if (!device)
        return;
    if (IsValidDeviceHandle(*device.hDevice))
        CloseHandle(*device.hDevice);
    *device.hDevice = nullptr;
}
}  // namespace

bool IsSerialProtocol(const std::wstring& controllerProtocol) { return IsSerial(controllerProtocol); }
bool IsSerialProtocol(const std::string& controllerProtocol) { return IsSerial(controllerProtocol); }

const wchar_t* DriverNameFor(const std::wstring& controllerProtocol)
{
    return DriverName(controllerProtocol);
}

std::wstring DeviceFilePath(const std::wstring& controllerProtocol, const std::wstring& subKey)
{
    return FilePath(controllerProtocol, subKey);
}

std::string DeviceFilePath(const std::string& controllerProtocol, const std::string& subKey)
{
    return FilePath(controllerProtocol, subKey);
}

bool IsValidDeviceHandle(HANDLE handle)
{
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

HANDLE GetDeviceHandle(const DeviceEndpoint& device) { return Open(device); }
HANDLE GetDeviceHandle(const DeviceEndpointA& device) { return Open(device); }

bool DeviceIoctl(const DeviceEndpoint& device, DWORD code, const void* input, DWORD inputSize, void* output,
                 DWORD outputSize)
{
    return Send(device, code, input, inputSize, output, outputSize);
}

bool DeviceIoctl(const DeviceEndpointA& device, DWORD code, const void* input, DWORD inputSize, void* output,
                 DWORD outputSize)
{
    return Send(device, code, input, inputSize, output, outputSize);
}

void CloseDeviceHandle(const DeviceEndpoint& device) { Close(device); }
void CloseDeviceHandle(const DeviceEndpointA& device) { Close(device); }

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
