#include "BackgroundFixtures.h"

#include "DeviceKeys.h"

using namespace testsupport;

namespace backgroundtest {

DeviceRow WithSound(DeviceRow row, DWORD mode, const std::wstring& wave)
{
    row.soundEnabled = mode;
    row.waveFile = wave;
    return row;
}

DeviceRow OnSegment(DeviceRow row, DWORD segment)
{
    row.segment = segment;
    return row;
}

void StartWithoutDevices(ScratchRegistry& registry)
{
    registry.Own(kSerialParametersPath);
    registry.Own(kUsbParametersPath);
    registry.Own(kProductKeyPath);
}

void AddPowerDevices(ScratchRegistry& registry)
{
    AddDevice(registry, Serial(1, L"RILO Device-1"));
    DeviceRow off = Serial(2, L"RILO Device-2");
    off.controllerEnabled = 0;
    AddDevice(registry, off);
    AddDevice(registry, Serial(7, L"RILO Device-3"));   // the name counts, not the key
    AddDevice(registry, Serial(4, L"Renamed"));
    AddDevice(registry, Serial(5, L"RILO Device-4"));
    AddDevice(registry, Serial(6, L"RILO Device-5"));
    AddDevice(registry, Usb(1, L"MEKA Device-1"));
    registry.Fill({RegRow::Str(SerialKey(8), L"Device Name", L"RILO Device-6")});
}

std::vector<standin::LoggedRequest> RequestsOf(DWORD code)
{
    std::vector<standin::LoggedRequest> found;
    for (const auto& request : standin::ReadLog())
        if (request.code == code)
            found.push_back(request);
    return found;
}

std::vector<int32_t> Orientation(const standin::LoggedRequest& request)
{
    if (request.input.size() != 12)
        return {};
    return {standin::Int32At(request.input, 0), standin::Int32At(request.input, 1), standin::Int32At(request.input, 2)};
}

}  // namespace backgroundtest
