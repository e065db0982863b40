#include "StandinDeviceFile.h"

DeviceFile::DeviceFile(standin::Driver driver, unsigned instance)
{
    handle_ = CreateFileW(standin::DeviceFileName(driver, instance).c_str(), GENERIC_READ | GENERIC_WRITE,
                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE)
        openError_ = GetLastError();
}

DeviceFile::~DeviceFile()
{
    if (handle_ != INVALID_HANDLE_VALUE)
        CloseHandle(handle_);
}

IoResult DeviceFile::Send(DWORD code, const std::vector<uint8_t>& input, DWORD outSize) const
{
    IoResult r;
    r.output.assign(outSize, 0xCD);
    std::vector<uint8_t> in = input;
    DWORD returned = 0;
    BOOL ok = DeviceIoControl(handle_, code, in.empty() ? nullptr : in.data(), static_cast<DWORD>(in.size()),
                              outSize ? r.output.data() : nullptr, outSize, &returned, nullptr);
    r.ok = ok != FALSE;
    r.error = r.ok ? 0 : GetLastError();
    r.returned = returned;
    return r;
}

IoResult DeviceFile::SendSized(DWORD code, DWORD inSize, DWORD outSize) const
{
    return Send(code, std::vector<uint8_t>(inSize, 0), outSize);
}

std::vector<uint8_t> Le32(std::initializer_list<uint32_t> values)
{
    std::vector<uint8_t> bytes;
    for (uint32_t v : values)
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<uint8_t>(v >> shift));
    return bytes;
}
