#include "DriverProtocol.h"

#include <cstring>

void CopyPortText(wchar_t (&field)[kPortTextChars], const std::wstring& port)
{
    std::memset(field, 0, sizeof field);
    size_t count = port.size() < kPortTextChars - 1 ? port.size() : kPortTextChars - 1;
    std::memcpy(field, port.data(), count * sizeof(wchar_t));
}

NewDeviceRequest MakeNewDeviceRequest(const std::wstring& port, DWORD instance)
{
    NewDeviceRequest request{};
    CopyPortText(request.port, port);
    request.instance = static_cast<uint8_t>(instance);
    return request;
}

SerialSettingsRequest MakeSerialSettingsRequest(DWORD baudRate, DWORD fifo, DWORD dataBits, DWORD parity,
                                                DWORD stopBits, const std::wstring& port)
{
    SerialSettingsRequest request{};
    request.baudRate = baudRate;
    request.fifo = static_cast<uint8_t>(fifo);
    request.dataBits = static_cast<uint8_t>(dataBits);
    request.parity = static_cast<uint8_t>(parity);
    request.stopBits = static_cast<uint8_t>(stopBits);
    CopyPortText(request.port, port);
    return request;
}

ModeSettingsRequest MakeModeSettingsRequest(DWORD primaryIndex, DWORD secondaryIndex, DWORD clickTime, DWORD tapTime,
                                            DWORD liftOffTime)
{
    ModeSettingsRequest request{};
    request.primaryMode = primaryIndex + 1;
    request.secondaryMode = secondaryIndex + 1;
    request.clickTime = static_cast<uint8_t>(clickTime);
    request.tapTime = static_cast<uint8_t>(tapTime);
    request.liftOffTime = static_cast<uint8_t>(liftOffTime);
    return request;
}

PacketFilterRequest MakePacketFilterRequest(DWORD touchdownFilter, DWORD sampleRate, DWORD deglitch,
                                            DWORD averaging, DWORD stabilization)
{
    PacketFilterRequest request{};
    request.touchdownFilter = static_cast<uint8_t>(touchdownFilter);
    request.sampleRate = static_cast<uint8_t>(sampleRate);
    request.deglitch = static_cast<uint8_t>(deglitch);
    request.averaging = static_cast<uint8_t>(averaging);
    request.stabilization = static_cast<uint8_t>(stabilization);
    return request;
}

PrimaryModeRequest MakePrimaryModeRequest(DWORD mode)
{
    PrimaryModeRequest request{};
    request.mode = static_cast<uint8_t>(mode);
    return request;
}

SecondaryModeRequest MakeSecondaryModeRequest(const HANDLE* eventVariable, DWORD hitOne)
{
    SecondaryModeRequest request{};
    request.eventAddress = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(eventVariable));
    request.hitOne = static_cast<uint8_t>(hitOne);
    return request;
}

BeepEventRequest MakeBeepEventRequest(HANDLE event)
{
    BeepEventRequest request{};
    request.eventHandle = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(event));
    return request;
}
