#pragma once
// Fixture of the apply tests: a redirected HKLM with a product key, the stand-in drivers reset
// (a test fails when they do not answer), and helpers to read what reached them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AppletContext.h"
#include "DeviceKeyFixture.h"
#include "Equipment.h"
#include "StandinClient.h"

namespace corefixtures {

// What a test expects to reach a driver: device, code, input bytes.
struct Expected {
    standin::Driver driver;
    unsigned instance;
    DWORD code;
    std::vector<uint8_t> input;
};

class ApplyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::AddProduct(reg, {2, L"C:\\Tiven"});
        ASSERT_EQUIPMENT(standin::Running() && standin::Reset(), "the stand-in drivers");
    }

    // The requests received since the last reset or clear.
    static std::vector<standin::LoggedRequest> Log() { return standin::ReadLog(); }

    static void ExpectLog(const std::vector<Expected>& expected, const char* file, int line)
    {
        std::vector<standin::LoggedRequest> log = Log();
        SCOPED_TRACE(::testing::Message() << "called from " << file << ":" << line << "\nlog:\n"
                                          << standin::Describe(log));
        ASSERT_EQ(expected.size(), log.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(expected[i].driver, log[i].driver) << i;
            EXPECT_EQ(expected[i].instance, log[i].instance) << i;
            EXPECT_EQ(expected[i].code, log[i].code) << i;
            EXPECT_EQ(expected[i].input.size(), log[i].inputSize) << i;
            EXPECT_EQ(expected[i].input, log[i].input) << i;
        }
    }

    // Removes every value of a device key, so a test sees exactly what the apply writes.
    void ClearValues(const std::wstring& key)
    {
        HKEY k = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_ALL_ACCESS, &k));
        for (const std::wstring& name : reg.ValueNames(key))
            RegDeleteValueW(k, name.c_str());
        RegCloseKey(k);
    }

    testsupport::ScratchRegistry reg;
};

#define EXPECT_DRIVER_LOG(...) ExpectLog(__VA_ARGS__, __FILE__, __LINE__)

inline std::vector<uint8_t> Bytes(std::initializer_list<int> values)
{
    std::vector<uint8_t> bytes;
    for (int v : values)
        bytes.push_back(static_cast<uint8_t>(v));
    return bytes;
}

template <typename T>
std::vector<uint8_t> BytesOf(const T& value)
{
    const auto* p = reinterpret_cast<const uint8_t*>(&value);
    return std::vector<uint8_t>(p, p + sizeof value);
}

}  // namespace corefixtures
