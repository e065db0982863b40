#include <gtest/gtest.h>

#include <aclapi.h>

#include "DeviceKeys.h"
#include "KeySecurity.h"
#include "RegistryKey.h"
#include "ScratchRegistry.h"

using testsupport::RegRow;
using testsupport::ScratchRegistry;

namespace {
const std::wstring kSerial = kSerialParametersPath;
const std::wstring kUsb = kUsbParametersPath;
const std::wstring kTestKey = L"SOFTWARE\\TivenCoreTest";

// A CRegistryKey attached to a freshly created key below the scratch HKLM; closes it at the end.
struct AttachedKey {
    CRegistryKey key;
    HKEY handle = nullptr;
    explicit AttachedKey(const std::wstring& path)
    {
        RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr);
        key.Attach(handle);
    }
    ~AttachedKey() { RegCloseKey(handle); }
};
}  // namespace

TEST(RegistryKey, SetRootKeyAcceptsOnlyTheFourRoots)
{
    struct Case { HKEY root; bool accepted; } cases[] = {
        {HKEY_CLASSES_ROOT, true}, {HKEY_CURRENT_USER, true}, {HKEY_LOCAL_MACHINE, true}, {HKEY_USERS, true},
        {HKEY_CURRENT_CONFIG, false}, {HKEY_PERFORMANCE_DATA, false}, {nullptr, false},
    };
    for (const Case& c : cases) {
        CRegistryKey key;
        key.SetRootKey(HKEY_USERS);
        EXPECT_EQ(c.accepted, key.SetRootKey(c.root)) << c.root;
        EXPECT_EQ(c.accepted ? c.root : HKEY_USERS, key.RootKey()) << c.root;
    }
    EXPECT_EQ(HKEY_LOCAL_MACHINE, CRegistryKey().RootKey());
}

TEST(RegistryKey, WriteStringStoresTheTerminatorAndTheRequestedType)
{
    ScratchRegistry reg;
    AttachedKey k(kTestKey);
    ASSERT_TRUE(k.key.WriteString(L"Wide", L"abc"));
    ASSERT_TRUE(k.key.WriteString(L"Plain", L"C:\\x.exe,", CRegistryKey::TextType::Plain));
    ASSERT_TRUE(k.key.WriteString("Narrow", "abc"));
    ASSERT_TRUE(k.key.WriteString(L"Empty", L""));
    DWORD seven = 7;
    ASSERT_TRUE(k.key.WriteDword(L"Number", &seven));

    struct Case { const wchar_t* name; DWORD type; DWORD size; } cases[] = {
        {L"Wide", REG_EXPAND_SZ, 8}, {L"Plain", REG_SZ, 20}, {L"Narrow", REG_EXPAND_SZ, 8},
        {L"Empty", REG_EXPAND_SZ, 2}, {L"Number", REG_DWORD, 4},
    };
    for (const Case& c : cases) {
        testsupport::RegValue v = reg.Read(kTestKey, c.name);
        ASSERT_TRUE(v.present) << c.name;
        EXPECT_EQ(c.type, v.type) << c.name;
        EXPECT_EQ(c.size, v.Size()) << c.name;
    }
    EXPECT_EQ(L"abc", reg.Read(kTestKey, L"Narrow").AsString());
    EXPECT_EQ(7u, reg.Read(kTestKey, L"Number").AsDword());
}

TEST(RegistryKey, ReadStringEndsInsideItsBufferOrCountsAsMissing)
{
    ScratchRegistry reg;
    const wchar_t noNul[4] = {L'a', L'b', L'c', L'd'};
    reg.SetRaw(kTestKey, L"NoNul4", REG_SZ, noNul, 8);
    reg.SetRaw(kTestKey, L"NoNul3", REG_SZ, noNul, 6);
    reg.SetString(kTestKey, L"Fits", L"abc");            // 8 bytes with the NUL
    reg.SetRaw(kTestKey, L"Odd", REG_BINARY, "a\0b\0c", 5);

    struct Case { const wchar_t* name; DWORD buffer; bool found; const wchar_t* text; } cases[] = {
        {L"Fits", 8, true, L"abc"},        // exactly fills the buffer with its terminator
        {L"Fits", 6, false, L"unchanged"}, // does not fit
        {L"NoNul4", 8, false, L"unchanged"},   // fills the buffer without a terminator
        {L"NoNul4", 10, true, L"abcd"},    // room left to end it
        {L"NoNul3", 8, true, L"abc"},
        {L"Odd", 20, true, L"abc"},        // an odd count still ends in the buffer
        {L"Missing", 100, false, L"unchanged"},
    };
    AttachedKey k(kTestKey);
    for (const Case& c : cases) {
        std::wstring text = L"unchanged";
        EXPECT_EQ(c.found, k.key.ReadString(c.name, text, c.buffer)) << c.name << " " << c.buffer;
        EXPECT_EQ(c.text, text) << c.name << " " << c.buffer;
    }
    std::string narrow = "x";
    EXPECT_TRUE(k.key.ReadString("Fits", narrow, 100));   // the ANSI read converts
    EXPECT_EQ("abc", narrow);
}

TEST(RegistryKey, ReadFullStringReadsTextOfAnyLengthAndNothingElse)
{
    ScratchRegistry reg;
    const std::wstring longText = std::wstring(L"C:\\windows\\system32\\userinit.exe,") + std::wstring(5000, L'x');
    const wchar_t noNul[4] = {L'a', L'b', L'c', L'd'};
    reg.SetString(kTestKey, L"Expand", L"%SystemRoot%\\x.exe");
    reg.SetRaw(kTestKey, L"Plain", REG_SZ, L"abc", 8);
    reg.SetRaw(kTestKey, L"Empty", REG_SZ, L"", 2);
    reg.SetRaw(kTestKey, L"NoBytes", REG_SZ, nullptr, 0);
    reg.SetRaw(kTestKey, L"NoNul", REG_SZ, noNul, 8);
    reg.SetRaw(kTestKey, L"Odd", REG_SZ, "a\0b\0c", 5);
    reg.SetRaw(kTestKey, L"InnerNul", REG_SZ, L"ab\0cd", 12);
    reg.SetRaw(kTestKey, L"Long", REG_SZ, longText.c_str(), static_cast<DWORD>((longText.size() + 1) * 2));
    reg.SetRaw(kTestKey, L"Just499", REG_SZ, std::wstring(499, L'y').c_str(), 1000);
    reg.SetRaw(kTestKey, L"Just500", REG_SZ, std::wstring(500, L'y').c_str(), 1002);
    reg.SetDword(kTestKey, L"Number", 1);
    reg.SetRaw(kTestKey, L"Binary", REG_BINARY, "a\0b\0", 4);
    reg.SetRaw(kTestKey, L"Multi", REG_MULTI_SZ, L"a\0b\0", 10);

    struct Case { const wchar_t* name; LONG result; DWORD type; std::wstring text; } cases[] = {
        {L"Expand", ERROR_SUCCESS, REG_EXPAND_SZ, L"%SystemRoot%\\x.exe"},   // read as stored, not expanded
        {L"Plain", ERROR_SUCCESS, REG_SZ, L"abc"},
        {L"Empty", ERROR_SUCCESS, REG_SZ, L""},
        {L"NoBytes", ERROR_SUCCESS, REG_SZ, L""},
        {L"NoNul", ERROR_SUCCESS, REG_SZ, L"abcd"},
        {L"Odd", ERROR_SUCCESS, REG_SZ, L"abc"},
        {L"InnerNul", ERROR_SUCCESS, REG_SZ, L"ab"},
        {L"Long", ERROR_SUCCESS, REG_SZ, longText},
        {L"Just499", ERROR_SUCCESS, REG_SZ, std::wstring(499, L'y')},
        {L"Just500", ERROR_SUCCESS, REG_SZ, std::wstring(500, L'y')},
        {L"Number", ERROR_DATATYPE_MISMATCH, 0, L"unchanged"},
        {L"Binary", ERROR_DATATYPE_MISMATCH, 0, L"unchanged"},
        {L"Multi", ERROR_DATATYPE_MISMATCH, 0, L"unchanged"},
        {L"Missing", ERROR_FILE_NOT_FOUND, 0, L"unchanged"},
    };
    AttachedKey k(kTestKey);
    for (const Case& c : cases) {
        std::wstring text = L"unchanged";
        DWORD type = 0;
        EXPECT_EQ(k.key.ReadFullString(c.name, text, &type), c.result) << c.name;
        EXPECT_EQ(text, c.text) << c.name;
        EXPECT_EQ(type, c.type) << c.name;
    }
    std::string narrow;
    EXPECT_EQ(k.key.ReadFullString("Long", narrow), ERROR_SUCCESS);   // the ANSI read converts
    EXPECT_EQ(narrow, std::string(longText.begin(), longText.end()));
}

TEST(RegistryKey, ReadDwordDoesNotCheckTheTypeAndKeepsTheDefaultWhenMissing)
{
    ScratchRegistry reg;
    reg.SetString(kTestKey, L"Text", L"A");   // 'A' 0, then the terminator: four bytes
    AttachedKey k(kTestKey);
    DWORD value = 99;
    EXPECT_FALSE(k.key.ReadDword(L"Missing", &value));
    EXPECT_EQ(99u, value);
    EXPECT_TRUE(k.key.ReadDword(L"Text", &value));
    EXPECT_EQ(0x00000041u, value);
}

TEST(RegistryKey, ReadFromRootUsesTheRootKey)
{
    ScratchRegistry reg;
    reg.SetDword(L"", L"AtRoot", 5);
    AttachedKey k(kTestKey);
    DWORD value = 0;
    EXPECT_FALSE(k.key.ReadDword(L"AtRoot", &value));
    EXPECT_TRUE(k.key.ReadDword(L"AtRoot", &value, true));
    EXPECT_EQ(5u, value);
}

TEST(RegistryKey, InstanceNumbering)
{
    struct Case { std::vector<std::wstring> keys; DWORD highest; DWORD nextFree; } cases[] = {
        {{}, 1, 1},
        {{L"1", L"2", L"4"}, 4, 3},
        {{L"1", L"2"}, 2, 3},
        {{L"2", L"3"}, 3, 1},
        {{L"1", L"abc", L"10"}, 10, 2},
        {{L"1"}, 1, 2},
    };
    for (const Case& c : cases) {
        ScratchRegistry reg;
        reg.CreateKey(kSerial);
        for (const std::wstring& name : c.keys)
            reg.CreateKey(kSerial + L"\\" + name);
        CRegistryKey key;
        EXPECT_EQ(c.highest, key.HighestInstance(kSerial.c_str())) << c.keys.size();
        EXPECT_EQ(c.nextFree, key.NextFreeSerialInstance()) << c.keys.size();
        EXPECT_EQ(1u, key.NextFreeUsbInstance());   // no USB Parameters key at all
    }
}

TEST(RegistryKey, FindDeviceLooksAtSerialDevicesBeforeUsbDevices)
{
    ScratchRegistry reg;
    reg.Fill({
        RegRow::Str(kUsb + L"\\1", L"Device Name", L"Panel"),
        RegRow::Num(kUsb + L"\\1", L"Marker", 2),
        RegRow::KeyOnly(kSerial + L"\\1"),   // no "Device Name": skipped
        RegRow::Str(kSerial + L"\\2", L"Device Name", L"Panel"),
        RegRow::Num(kSerial + L"\\2", L"Marker", 1),
        RegRow::Str(kSerial + L"\\3", L"Device Name", std::wstring(130, L'L')),
        RegRow::Str(kUsb + L"\\2", L"Device Name", L"Only USB"),
        RegRow::Num(kUsb + L"\\2", L"Marker", 3),
    });
    struct Case { const wchar_t* name; bool found; DWORD marker; } cases[] = {
        {L"Panel", true, 1},
        {L"Only USB", true, 3},
        {L"panel", false, 0},                 // case-sensitive
        {L"Pan", false, 0},
        {L"", false, 0},
    };
    for (const Case& c : cases) {
        CRegistryKey key;
        EXPECT_EQ(c.found, key.FindDevice(c.name)) << c.name;
        if (c.found) {
            DWORD marker = 0;
            EXPECT_TRUE(key.ReadDword(L"Marker", &marker));
            EXPECT_EQ(c.marker, marker) << c.name;
            key.Close(key.AttachedKey());
        }
    }
    // 130 characters and the NUL do not fit the 260-byte name buffer: that key is skipped.
    CRegistryKey key;
    EXPECT_FALSE(key.FindDevice(std::wstring(130, L'L').c_str()));
}

TEST(RegistryKey, CreateSecuredKeyCreatesUnderTheMachineRootAndOpensAnExistingKey)
{
    ScratchRegistry reg;
    CRegistryKey key;
    key.SetRootKey(HKEY_CURRENT_USER);   // the secured create always works under HKLM
    HKEY created = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, key.CreateSecuredKey(L"SOFTWARE\\Secured\\Inner", &created));
    DWORD one = 1;
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExW(created, L"v", 0, REG_DWORD, reinterpret_cast<BYTE*>(&one), 4));
    RegCloseKey(created);
    EXPECT_TRUE(reg.KeyExists(L"SOFTWARE\\Secured\\Inner"));

    ASSERT_EQ(ERROR_SUCCESS, key.CreateSecuredKey(L"SOFTWARE\\Secured\\Inner", &created));
    RegCloseKey(created);
    EXPECT_EQ(1u, reg.Read(L"SOFTWARE\\Secured\\Inner", L"v").AsDword());
}

// What the secured create asks for. Wine ignores the descriptor given to RegCreateKeyExW (every
// key reads back with its default list), so the descriptor is checked where it is built.
TEST(KeySecurity, GrantsEveryoneThenAdministratorsFullAccessWithoutInheritance)
{
    CKeySecurity security;
    PSECURITY_DESCRIPTOR sd = security.Descriptor();
    ASSERT_NE(nullptr, sd);
    ASSERT_TRUE(IsValidSecurityDescriptor(sd));
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    ASSERT_TRUE(GetSecurityDescriptorControl(sd, &control, &revision));
    EXPECT_EQ(0, control & SE_SELF_RELATIVE) << "an absolute descriptor";
    BOOL present = FALSE, defaulted = TRUE;
    PACL dacl = nullptr;
    ASSERT_TRUE(GetSecurityDescriptorDacl(sd, &present, &dacl, &defaulted));
    EXPECT_TRUE(present);
    EXPECT_FALSE(defaulted);
    ASSERT_NE(nullptr, dacl);
    ASSERT_EQ(2u, dacl->AceCount);

    const WELL_KNOWN_SID_TYPE expected[] = {WinWorldSid, WinBuiltinAdministratorsSid};
    for (DWORD i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        void* ace = nullptr;
        ASSERT_TRUE(GetAce(dacl, i, &ace));
        auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(ace);
        EXPECT_EQ(ACCESS_ALLOWED_ACE_TYPE, allowed->Header.AceType);
        EXPECT_EQ(0, allowed->Header.AceFlags) << "no inheritance";
        EXPECT_EQ(static_cast<DWORD>(KEY_ALL_ACCESS), allowed->Mask);
        BYTE sid[SECURITY_MAX_SID_SIZE];
        DWORD size = sizeof sid;
        ASSERT_TRUE(CreateWellKnownSid(expected[i], nullptr, sid, &size));
        EXPECT_TRUE(EqualSid(&allowed->SidStart, sid));
    }
}

TEST(RegistryKey, OpenCreateAndDeleteKey)
{
    ScratchRegistry reg;
    CRegistryKey key;
    HKEY handle = nullptr;
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, key.Open(L"SOFTWARE\\Tree", &handle));
    ASSERT_EQ(ERROR_SUCCESS, key.Create(L"SOFTWARE\\Tree\\A\\B", &handle));
    key.Close(handle);
    ASSERT_EQ(ERROR_SUCCESS, key.OpenForRead("SOFTWARE\\Tree\\A", &handle));
    key.Close(handle);
    EXPECT_TRUE(key.DeleteKey(L"SOFTWARE\\Tree"));
    EXPECT_FALSE(reg.KeyExists(L"SOFTWARE\\Tree"));
    EXPECT_FALSE(key.DeleteKey(L"SOFTWARE\\Tree"));
}
