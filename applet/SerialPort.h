#pragma once
// A COM port opened for a direct exchange with a serial touch controller: exclusive, with the
// line settings the port already has, reads that return what arrived within one second and
// writes that cannot hang on a controller holding its lines. What the port received before a
// command (a late answer, the rest of an earlier reply) is dropped before the command goes out,
// so the reply read after a command is that command's own.
#include <windows.h>

#include <string>

#include "Handle.h"

class CSerialPort {
public:
    enum class Fault {
        None,
        Open,      // CreateFileW failed (OpenError() tells why)
        State,     // the port opened, but its state could not be read or its time-outs set
        Discard,   // the port is set up, but what it received before could not be dropped
    };

    // How long one read waits for the bytes asked for.
    static constexpr DWORD kReadTimeoutMs = 1000;

    CSerialPort() = default;
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;

    // Opens the port by its name ("COM2"), reads its state, sets the time-outs and empties its
    // input. On a State or Discard fault the port stays open until Close, as the caller closes it
    // in its own order.
    Fault Open(const std::wstring& name);
    DWORD OpenError() const { return openError_; }
    bool IsOpen() const { return handle_.IsValid(); }
    void Close() { handle_.Reset(); }

    // Drops what the port has received, then writes a two-letter command and its carriage return.
    // False when either fails: a reply read then could be an earlier one.
    bool Send(const char* command);
    // One read of up to `size` bytes; returns the number that arrived (0 after the time-out).
    DWORD Read(void* buffer, DWORD size);

private:
    // Drops what the port has received and not yet been read; false when it could not.
    bool Discard();

    CHandle handle_;
    DWORD openError_ = 0;
};
