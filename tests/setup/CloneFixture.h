#pragma once
// The fixture of the clone-restore tests, which run installs in a fresh prefix of their own: the
// device keys of a driver's Parameters key, clone files written as the applet's settings copy
// writes them (RegSaveKeyW with the backup privilege), and whole key trees read into memory to
// compare what a restore left.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "FreshPrefix.h"
#include "ScratchRegistry.h"

namespace setuptest {

inline constexpr wchar_t kSerialService[] = L"SYSTEM\\CurrentControlSet\\Services\\RILO";

struct DeviceValues {
    std::wstring name;
    DWORD sampleRate;
    std::vector<BYTE> calibration;
};

// A key's whole content: values and subkeys by name (in lower case, as the registry compares
// names). `exists` is false for a key that is not there.
struct KeyTree {
    struct Value {
        DWORD type = 0;
        std::vector<BYTE> data;
        bool operator==(const Value& other) const { return type == other.type && data == other.data; }
    };
    bool exists = false;
    std::map<std::wstring, Value> values;
    std::map<std::wstring, KeyTree> subkeys;

    bool operator==(const KeyTree& other) const
    {
        return exists == other.exists && values == other.values && subkeys == other.subkeys;
    }
    bool operator!=(const KeyTree& other) const { return !(*this == other); }
    size_t KeyCount() const;     // this key and all below it
    size_t ValueCount() const;   // all values of this key and below it
};
KeyTree ReadTree(HKEY root, const std::wstring& path);
// Failure messages show a tree by its size: "absent" or "<keys> keys, <values> values".
void PrintTo(const KeyTree& tree, std::ostream* out);

// The names of HKEY_USERS's subkeys that start with the clone hives' prefix.
std::vector<std::wstring> LoadedCloneHives();

class CloneFixture : public ::testing::Test {
protected:
    void SetUp() override;

    void AddDevice(const std::wstring& parameters, int number, const DeviceValues& values);
    // A device key as AddDevice makes it, but volatile, and so are the keys above it that are
    // made for it: no lasting key can then be made below them.
    void AddVolatileDevice(const std::wstring& parameters, int number, const DeviceValues& values);
    void ExpectDevice(const std::wstring& parameters, int number, const DeviceValues& values);
    // What the applet's "Copy of Settings" does for one driver.
    std::wstring WriteClone(const wchar_t* parameters, const wchar_t* fileName);

    testsupport::ScratchRegistry registry_{testsupport::ScratchRegistry::RealPrefix};
    std::wstring folder_;
    const DeviceValues front_{L"Front Panel", 150, {1, 2, 3, 4, 5, 6, 7, 8}};
    const DeviceValues side_{L"Side Panel", 100, {9, 9, 9}};
    const DeviceValues usb_{L"USB Panel", 200, {0xA0, 0xB0}};
};

}  // namespace setuptest
