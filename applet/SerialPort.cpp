#include "SerialPort.h"

namespace {
// A command is three bytes; at the slowest line speed (1200 baud) that is 25 ms. A write still
// not done after a second is a controller that holds its lines: give up rather than hang.
constexpr DWORD kWriteTimeoutMs = 1000;
}

CSerialPort::Fault CSerialPort::Open(const std::wstring& name)
{
    handle_.Reset(CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle_) {
        openError_ = GetLastError();
        return Fault::Open;
    }
    openError_ = 0;
    // The port keeps the line settings it has: the state is only read, to know it is a port.
    DCB state{};
    state.DCBlength = sizeof state;
    if (!GetCommState(handle_.Get(), &state))
        return Fault::State;
    // A read returns as soon as the bytes asked for are there, else after a second with what
    // came (MAXDWORD interval with a zero multiplier).
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.ReadTotalTimeoutMultiplier = 0;
    timeouts.ReadTotalTimeoutConstant = kReadTimeoutMs;
    timeouts.WriteTotalTimeoutMultiplier = 0;
    timeouts.WriteTotalTimeoutConstant = kWriteTimeoutMs;
    // Without its time-outs a read could wait for ever.
    if (!SetCommTimeouts(handle_.Get(), &timeouts))
        return Fault::State;
    // Nothing the port holds from before was asked for by this exchange.
    if (!Discard())
        return Fault::Discard;
    return Fault::None;
}

bool CSerialPort::Discard()
{
    return handle_ && PurgeComm(handle_.Get(), PURGE_RXCLEAR);
}

bool CSerialPort::Send(const char* command)
{
    const char bytes[3] = {command[0], command[1], '\r'};
    DWORD written = 0;
    return Discard() && WriteFile(handle_.Get(), bytes, sizeof bytes, &written, nullptr) && written == sizeof bytes;
}

DWORD CSerialPort::Read(void* buffer, DWORD size)
{
    DWORD got = 0;
    if (!handle_ || !ReadFile(handle_.Get(), buffer, size, &got, nullptr))
        return 0;
    return got;
}
