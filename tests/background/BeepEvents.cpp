#include "BeepEvents.h"

#include <winternl.h>

#include "AnsiText.h"
#include "Handle.h"
#include "NamedEvents.h"
#include "TestProcess.h"

namespace backgroundtest {

std::string TouchEventName(size_t position)
{
    return "BeepEvent " + std::to_string(position) + " ";
}

bool EventIsSet(const std::string& name)
{
    CHandle event(OpenEventA(SYNCHRONIZE, FALSE, name.c_str()));
    return event && WaitForSingleObject(event.Get(), 0) == WAIT_OBJECT_0;
}

bool SetNamedEvent(const std::string& name) { return SignalNamedEvent(WidenAnsi(name.c_str()).c_str()); }

bool EventExists(const std::string& name)
{
    CHandle event(OpenEventA(SYNCHRONIZE, FALSE, name.c_str()));
    return static_cast<bool>(event);
}

bool WaitEventCleared(const std::string& name, DWORD deadlineMs)
{
    return testsupport::WaitUntil([&] { return EventExists(name) && !EventIsSet(name); }, deadlineMs);
}

std::vector<standin::LoggedRequest> BeepRequests()
{
    std::vector<standin::LoggedRequest> found;
    for (const auto& request : standin::ReadLog())
        if (request.code == standin::ioctl::kBeepEvent)
            found.push_back(request);
    return found;
}

uint32_t HandleValue(const standin::LoggedRequest& request)
{
    return request.input.size() == 4 ? static_cast<uint32_t>(standin::Int32At(request.input, 0)) : 0;
}

std::wstring ObjectNameOf(HANDLE process, uint32_t handleValue)
{
    HANDLE source = reinterpret_cast<HANDLE>(static_cast<uintptr_t>(handleValue));
    CHandle own;
    if (!DuplicateHandle(process, source, GetCurrentProcess(), own.Receive(), 0, FALSE, DUPLICATE_SAME_ACCESS))
        return L"";
    alignas(8) BYTE buffer[1024] = {};
    ULONG length = 0;
    if (NtQueryObject(own.Get(), ObjectNameInformation, buffer, sizeof buffer, &length) != 0)
        return L"";
    const auto* info = reinterpret_cast<const OBJECT_NAME_INFORMATION*>(buffer);
    std::wstring name(info->Name.Buffer, info->Name.Length / sizeof(wchar_t));
    const std::wstring folder = L"BaseNamedObjects\\";
    const size_t at = name.find(folder);
    return at == std::wstring::npos ? name : name.substr(at + folder.size());
}

std::string DeviceOf(const standin::LoggedRequest& request)
{
    return (request.driver == standin::Driver::Rilo ? "RILO" : "MEKA") + std::to_string(request.instance);
}

std::vector<std::string> DevicesOf(const std::vector<standin::LoggedRequest>& requests)
{
    std::vector<std::string> devices;
    for (const auto& request : requests)
        devices.push_back(DeviceOf(request));
    return devices;
}

bool TouchArmedDevice(standin::Driver driver, unsigned instance, size_t position)
{
    const std::string name = TouchEventName(position);
    if (!standin::SetBeepEventName(driver, instance, std::wstring(name.begin(), name.end())))
        return false;
    return standin::InjectTouch(driver, instance, 100, 100).beepEventSet;
}

}  // namespace backgroundtest
