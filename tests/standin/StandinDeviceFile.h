#pragma once
// A product device file (\\.\RILO1, \\.\MEKA2, ...) opened as the product opens it, for tests that
// send control codes directly.
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "StandinClient.h"

struct IoResult {
    bool ok = false;
    DWORD error = 0;                // GetLastError when !ok
    DWORD returned = 0;
    std::vector<uint8_t> output;    // the output buffer after the call
};

class DeviceFile {
public:
    DeviceFile(standin::Driver driver, unsigned instance);
    ~DeviceFile();
    DeviceFile(const DeviceFile&) = delete;
    DeviceFile& operator=(const DeviceFile&) = delete;

    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    DWORD OpenError() const { return openError_; }
    // DeviceIoControl with the input bytes and an output buffer of outSize bytes (none when 0).
    IoResult Send(DWORD code, const std::vector<uint8_t>& input, DWORD outSize = 0) const;
    // The same with a zero-filled input of inSize bytes.
    IoResult SendSized(DWORD code, DWORD inSize, DWORD outSize) const;

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    DWORD openError_ = 0;
};

// Little-endian bytes of 32-bit values, for request buffers.
std::vector<uint8_t> Le32(std::initializer_list<uint32_t> values);

// Every test starts with both stand-ins running and back in their start state.
class StandinTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(standin::Running())
            << "the stand-in drivers do not answer; tools/test.sh starts them (tools/standins.sh start BIN-DIR)";
        ASSERT_TRUE(standin::Reset());
    }
};
