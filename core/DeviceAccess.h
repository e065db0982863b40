#pragma once
// Access to the touch drivers' device files.
//
// A device file is "\\.\RILO<n>" for a serial controller and "\\.\MEKA<n>" for a USB one, <n>
// being the instance subkey of the device under the driver's Parameters key. The serial driver
// also has a control device, "\\.\RILO0", which receives the notices of added and removed
// serial devices.
//
// Any record that describes a device can be used here. The functions work on a device
// endpoint, a view of three members of the record:
//   ControllerProtocol  string  "Controller Type"; "Tiven,Zarn,Serial" selects RILO, anything
//                               else MEKA (the comparison is case-sensitive)
//   Str_SubKey          string  instance number as text, the device-file suffix
//   hDevice             HANDLE  cached driver handle; null or INVALID_HANDLE_VALUE = none
// CDeviceSettings (the applet's full record) and CDeviceRecord (the small record of the
// calibration, tray and segment programs) both have these members, so both plug in through
// the template overloads at the end: GetDeviceHandle(&record), DeviceIoctl(&record, ...),
// CloseDeviceHandle(&record). A null record pointer gives "no device". Records with narrow
// strings (std::string in the system code page, the background programs' build) get the
// narrow overloads, which open the device file with CreateFileA.
#include <windows.h>

#include <string>

template <typename Char>
struct BasicDeviceEndpoint {
    using String = std::basic_string<Char>;
    const String* controllerProtocol = nullptr;
    const String* subKey = nullptr;
    HANDLE* hDevice = nullptr;

    explicit operator bool() const { return controllerProtocol && subKey && hDevice; }
};
using DeviceEndpoint = BasicDeviceEndpoint<wchar_t>;
using DeviceEndpointA = BasicDeviceEndpoint<char>;

template <typename Record>
auto EndpointOf(Record* record) -> BasicDeviceEndpoint<typename decltype(record->Str_SubKey)::value_type>
{
    if (!record)
        return {};
    return {&record->ControllerProtocol, &record->Str_SubKey, &record->hDevice};
}

// The driver family of a controller type text: serial only for the exact serial text.
bool IsSerialProtocol(const std::wstring& controllerProtocol);
bool IsSerialProtocol(const std::string& controllerProtocol);
// "RILO" or "MEKA".
const wchar_t* DriverNameFor(const std::wstring& controllerProtocol);
// "\\.\" followed by the driver name and the instance text.
std::wstring DeviceFilePath(const std::wstring& controllerProtocol, const std::wstring& subKey);
std::string DeviceFilePath(const std::string& controllerProtocol, const std::string& subKey);
// True for a handle that can be used (neither null nor INVALID_HANDLE_VALUE).
bool IsValidDeviceHandle(HANDLE handle);

// Returns the cached handle when it is valid; otherwise opens the device file (read/write,
// shared read/write, synchronous), caches the result, also a failed one, and returns it. A failed
// open is tried again at the next call. Null for a missing record.
HANDLE GetDeviceHandle(const DeviceEndpoint& device);
HANDLE GetDeviceHandle(const DeviceEndpointA& device);
// One control request; completes before returning. False when the record is missing, the
// device cannot be opened or the driver fails the request.
bool DeviceIoctl(const DeviceEndpoint& device, DWORD code, const void* input, DWORD inputSize, void* output,
                 DWORD outputSize);
bool DeviceIoctl(const DeviceEndpointA& device, DWORD code, const void* input, DWORD inputSize, void* output,
                 DWORD outputSize);
// Closes the cached handle when valid and clears it.
void CloseDeviceHandle(const DeviceEndpoint& device);
void CloseDeviceHandle(const DeviceEndpointA& device);

template <typename Record>
HANDLE GetDeviceHandle(Record* record)
{
    return GetDeviceHandle(EndpointOf(record));
}

template <typename Record>
bool DeviceIoctl(Record* record, DWORD code, const void* input = nullptr, DWORD inputSize = 0, void* output = nullptr,
                 DWORD outputSize = 0)
{
    return DeviceIoctl(EndpointOf(record), code, input, inputSize, output, outputSize);
}

template <typename Record>
void CloseDeviceHandle(Record* record)
{
    CloseDeviceHandle(EndpointOf(record));
}

// Sends a request to the serial driver's control device "\\.\RILO0" through a temporary
// endpoint whose handle is closed again at once.
bool SendToSerialControlDevice(DWORD code, const void* input, DWORD inputSize);
