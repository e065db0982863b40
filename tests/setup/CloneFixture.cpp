#include "CloneFixture.h"

#include "CloneHive.h"
#include "KeyHandle.h"
#include "Privilege.h"
#include "TestPaths.h"

namespace setuptest {

namespace {
std::wstring Lower(std::wstring text)
{
    CharLowerBuffW(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

void ReadInto(HKEY key, KeyTree& tree)
{
    tree.exists = true;
    for (DWORD index = 0;; ++index) {
        wchar_t name[16384];
        DWORD chars = 16384, type = 0, bytes = 0;
        if (RegEnumValueW(key, index, name, &chars, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS)
            break;
        KeyTree::Value value{type, std::vector<BYTE>(bytes)};
        RegQueryValueExW(key, name, nullptr, nullptr, value.data.empty() ? nullptr : value.data.data(), &bytes);
        tree.values[Lower(std::wstring(name, chars))] = value;
    }
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD chars = 256;
        if (RegEnumKeyExW(key, index, name, &chars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        CKeyHandle child;
        if (RegOpenKeyExW(key, name, 0, KEY_READ, child.Receive()) == ERROR_SUCCESS)
            ReadInto(child.Get(), tree.subkeys[Lower(std::wstring(name, chars))]);
    }
}
}  // namespace

size_t KeyTree::KeyCount() const
{
    size_t count = exists ? 1 : 0;
    for (const auto& subkey : subkeys)
        count += subkey.second.KeyCount();
    return count;
}

size_t KeyTree::ValueCount() const
{
    size_t count = values.size();
    for (const auto& subkey : subkeys)
        count += subkey.second.ValueCount();
    return count;
}

KeyTree ReadTree(HKEY root, const std::wstring& path)
{
    KeyTree tree;
    CKeyHandle key;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.Receive()) == ERROR_SUCCESS)
        ReadInto(key.Get(), tree);
    return tree;
}

void PrintTo(const KeyTree& tree, std::ostream* out)
{
    if (!tree.exists)
        *out << "absent";
    else
        *out << tree.KeyCount() << " keys, " << tree.ValueCount() << " values";
}

std::vector<std::wstring> LoadedCloneHives()
{
    std::vector<std::wstring> names;
    const size_t prefix = wcslen(setup::kCloneHivePrefix);
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD chars = 256;
        if (RegEnumKeyExW(HKEY_USERS, index, name, &chars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        if (chars >= prefix && _wcsnicmp(name, setup::kCloneHivePrefix, prefix) == 0)
            names.emplace_back(name, chars);
    }
    return names;
}

void CloneFixture::SetUp()
{
    PrepareWindowsState(registry_, SystemUserinit().c_str());
    folder_ = testsupport::MakeTempDir(L"clones");
    ASSERT_FALSE(folder_.empty());
}

void CloneFixture::AddDevice(const std::wstring& parameters, int number, const DeviceValues& values)
{
    std::wstring key = parameters + L"\\" + std::to_wstring(number);
    registry_.SetString(key, L"Device Name", values.name);
    registry_.SetDword(key, L"Sample Rate", values.sampleRate);
    registry_.SetRaw(key, L"Calibration Data", REG_BINARY, values.calibration.data(),
                     static_cast<DWORD>(values.calibration.size()));
}

void CloneFixture::AddVolatileDevice(const std::wstring& parameters, int number, const DeviceValues& values)
{
    std::wstring key = parameters + L"\\" + std::to_wstring(number);
    CKeyHandle device;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kSerialService, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                              nullptr, device.Receive(), nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, parameters.c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                              nullptr, device.Receive(), nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                              nullptr, device.Receive(), nullptr),
              ERROR_SUCCESS);
    AddDevice(parameters, number, values);
}

void CloneFixture::ExpectDevice(const std::wstring& parameters, int number, const DeviceValues& values)
{
    std::wstring key = parameters + L"\\" + std::to_wstring(number);
    EXPECT_EQ(registry_.Read(key, L"Device Name").AsString(), values.name) << number;
    EXPECT_EQ(registry_.Read(key, L"Sample Rate").AsDword(), values.sampleRate) << number;
    testsupport::RegValue calibration = registry_.Read(key, L"Calibration Data");
    EXPECT_EQ(calibration.type, static_cast<DWORD>(REG_BINARY)) << number;
    EXPECT_EQ(calibration.bytes, values.calibration) << number;
}

std::wstring CloneFixture::WriteClone(const wchar_t* parameters, const wchar_t* fileName)
{
    std::wstring file = folder_ + L"\\" + fileName;
    EXPECT_TRUE(EnablePrivilege(SE_BACKUP_NAME));
    CKeyHandle key;
    EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, parameters, 0, nullptr, REG_OPTION_BACKUP_RESTORE, KEY_ALL_ACCESS,
                              nullptr, key.Receive(), nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSaveKeyW(key.Get(), file.c_str(), nullptr), ERROR_SUCCESS);
    return file;
}

}  // namespace setuptest
