#pragma once
// A COM port opened the way the applet opens its serial controller's port: exclusive, no
// overlapped I/O, and every read a single ReadFile on ReadIntervalTimeout MAXDWORD, multiplier 0
// and a constant of one second. Writes get a time-out too, so a stuck port fails a test instead
// of hanging it.
#include <windows.h>
#include <string>

class SerialPort {
public:
    SerialPort() = default;
    ~SerialPort() { Close(); }
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // CreateFileW, GetCommState, SetCommState (9600 8N1) unless `keepLineSettings` (as the
    // applet does), and SetCommTimeouts.
    bool Open(const std::wstring& name = L"\\\\.\\COM2", DWORD readTimeoutMs = 1000, bool keepLineSettings = false);
    DWORD OpenError() const { return openError_; }
    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Handle() const { return handle_; }
    void Close();

    bool Write(const std::string& bytes) const;     // one WriteFile; all bytes must go out
    std::string Read(DWORD maxBytes) const;         // one ReadFile
    // Reads until `count` bytes came or `deadlineMs` passed.
    std::string ReadAtLeast(size_t count, DWORD deadlineMs) const;
    // The applet's reply reader: reads of up to 2 bytes, at most `maxReads`, until the text holds
    // a blank with four characters after it. Returns that value field, or "" (then `received`
    // holds what came).
    std::string ReadValueField(int maxReads = 5, std::string* received = nullptr) const;

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    DWORD openError_ = 0;
};

// The first blank followed by at least four characters, with those four; "" when there is none.
std::string ValueField(const std::string& text);

// The applet's three checks of the 250-byte data block that follows "MR".
bool BlockHasZeroMark(const std::string& block);     // a '0' in bytes 1..4
bool BlockHasWriteMark(const std::string& block);    // an 'A' in bytes 6..9
bool BlockCopyMatches(const std::string& block);     // byte i equals byte i + 103 for i 52..137
