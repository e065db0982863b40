#include "SerialPort.h"

bool SerialPort::Open(const std::wstring& name, DWORD readTimeoutMs, bool keepLineSettings)
{
    Close();
    handle_ = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) {
        openError_ = GetLastError();
        return false;
    }
    DCB dcb{};
    dcb.DCBlength = sizeof(dcb);
    COMMTIMEOUTS timeouts{MAXDWORD, 0, readTimeoutMs, 0, 1000};
    if (!GetCommState(handle_, &dcb)) {
        openError_ = GetLastError();
        Close();
        return false;
    }
    dcb.BaudRate = CBR_9600;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    if ((!keepLineSettings && !SetCommState(handle_, &dcb)) || !SetCommTimeouts(handle_, &timeouts)) {
        openError_ = GetLastError();
        Close();
        return false;
    }
    return true;
}

void SerialPort::Close()
{
    if (handle_ != INVALID_HANDLE_VALUE)
        CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
}

bool SerialPort::Write(const std::string& bytes) const
{
    DWORD written = 0;
    return WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

std::string SerialPort::Read(DWORD maxBytes) const
{
    std::string buffer(maxBytes, '\0');
    DWORD got = 0;
    if (!ReadFile(handle_, &buffer[0], maxBytes, &got, nullptr))
        got = 0;
    buffer.resize(got);
    return buffer;
}

std::string SerialPort::ReadAtLeast(size_t count, DWORD deadlineMs) const
{
    std::string text;
    DWORD start = GetTickCount();
    while (text.size() < count && GetTickCount() - start < deadlineMs)
        text += Read(static_cast<DWORD>(count - text.size()));
    return text;
}

std::string SerialPort::ReadValueField(int maxReads, std::string* received) const
{
    std::string text;
    for (int read = 0; read < maxReads; ++read) {
        text += Read(2);
        std::string field = ValueField(text);
        if (!field.empty()) {
            if (received)
                *received = text;
            return field;
        }
    }
    if (received)
        *received = text;
    return "";
}

std::string ValueField(const std::string& text)
{
    size_t blank = text.find(' ');
    if (blank == std::string::npos || text.size() - blank < 5)
        return "";
    return text.substr(blank, 5);
}

bool BlockHasZeroMark(const std::string& block)
{
    std::string area = block;
    area.resize(250, '\0');
    return area.substr(1, 4).find('0') != std::string::npos;
}

bool BlockHasWriteMark(const std::string& block)
{
    std::string area = block;
    area.resize(250, '\0');
    return area.substr(6, 4).find('A') != std::string::npos;
}

bool BlockCopyMatches(const std::string& block)
{
    std::string area = block;
    area.resize(250, '\0');
    for (size_t i = 52; i <= 137; ++i)
        if (area[i] != area[i + 103])
            return false;
    return true;
}
