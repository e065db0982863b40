#include <gtest/gtest.h>

#include <utility>

#include "DeviceKeys.h"
#include "Handle.h"
#include "KeyHandle.h"
#include "RegistryKey.h"
#include "ScopedAttach.h"
#include "ScratchRegistry.h"

using testsupport::ScratchRegistry;

namespace {
const wchar_t kKey[] = L"SOFTWARE\\TivenOwners";

bool KeyIsOpen(HKEY key)
{
    DWORD values = 0;
    return RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                            nullptr, nullptr) == ERROR_SUCCESS;
}

bool HandleIsOpen(HANDLE handle)
{
    DWORD flags = 0;
    return GetHandleInformation(handle, &flags) != FALSE;
}
}  // namespace

TEST(Handle, ClosesOnceWhenItGoesOrIsReplacedAndMovesOwnership)
{
    HANDLE first = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE second = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    {
        CHandle owner(first);
        EXPECT_TRUE(owner.IsValid());
        CHandle moved(std::move(owner));
        EXPECT_FALSE(owner.IsValid());
        EXPECT_EQ(first, moved.Get());
        moved.Reset(second);
        EXPECT_FALSE(HandleIsOpen(first));
        EXPECT_TRUE(HandleIsOpen(second));
    }
    EXPECT_FALSE(HandleIsOpen(second));

    // Neither "no handle" value is closed; a released handle stays open.
    CHandle invalid(INVALID_HANDLE_VALUE);
    EXPECT_FALSE(invalid);
    HANDLE third = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    EXPECT_EQ(third, CHandle(third).Release());
    EXPECT_TRUE(HandleIsOpen(third));
    CloseHandle(third);
}

TEST(KeyHandle, ClosesTheKeyWhenItGoes)
{
    ScratchRegistry reg;
    reg.CreateKey(kKey);
    HKEY raw = nullptr;
    {
        CKeyHandle key;
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, KEY_READ, key.Receive()));
        raw = key.Get();
        EXPECT_TRUE(KeyIsOpen(raw));
        CKeyHandle other = std::move(key);
        EXPECT_FALSE(key);
        EXPECT_TRUE(KeyIsOpen(raw));
    }
    EXPECT_FALSE(KeyIsOpen(raw));
}

TEST(ScopedAttach, AttachesForItsScopeAndLetsAnotherAttachStand)
{
    ScratchRegistry reg;
    reg.SetDword(kKey, L"v", 7);
    CRegistryKey registry;
    HKEY raw = nullptr;
    {
        CScopedAttach attach(registry, kKey);
        ASSERT_TRUE(attach);
        raw = attach.Get();
        EXPECT_EQ(raw, registry.AttachedKey());
        DWORD value = 0;
        EXPECT_TRUE(registry.ReadDword(L"v", &value));
        EXPECT_EQ(7u, value);
    }
    EXPECT_EQ(nullptr, registry.AttachedKey());
    EXPECT_FALSE(KeyIsOpen(raw));

    // A key attached later stays attached when the scope ends; a failed open attaches nothing.
    HKEY mine = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, registry.Open(kKey, &mine));
    {
        CScopedAttach attach(registry, kKey);
        registry.Attach(mine);
    }
    EXPECT_EQ(mine, registry.AttachedKey());
    {
        CScopedAttach missing(registry, L"SOFTWARE\\TivenNoSuchKey");
        EXPECT_FALSE(missing);
        EXPECT_EQ(ERROR_FILE_NOT_FOUND, missing.Result());
        EXPECT_EQ(nullptr, registry.AttachedKey());
    }
    registry.Close(mine);
}

TEST(ScopedAttach, AMovedAttachKeepsTheKeyAndAReplacedOneIsClosed)
{
    ScratchRegistry reg;
    reg.CreateKey(kKey);
    CRegistryKey registry;
    CScopedAttach longLived;
    longLived = CScopedAttach(registry, kKey);
    HKEY first = longLived.Get();
    EXPECT_EQ(first, registry.AttachedKey());
    EXPECT_TRUE(KeyIsOpen(first));
    longLived = CScopedAttach(registry, kKey);   // opened again, as the sheet does at each opening
    EXPECT_NE(first, longLived.Get());
    EXPECT_EQ(longLived.Get(), registry.AttachedKey());
    EXPECT_FALSE(KeyIsOpen(first));
}

TEST(DeviceKeys, PathsAndTypeTexts)
{
    EXPECT_EQ(L"SYSTEM\\CurrentControlSet\\Services\\RILO\\Parameters\\3", DeviceKeyPath(DeviceFamily::Serial, L"3"));
    EXPECT_EQ(L"SYSTEM\\CurrentControlSet\\Services\\MEKA\\Parameters\\12", DeviceKeyPath(DeviceFamily::Usb, L"12"));
    struct Case { const wchar_t* type; bool known; DeviceFamily family; } cases[] = {
        {L"Tiven,Zarn,Serial", true, DeviceFamily::Serial},
        {L"tiven,zarn,serial", false, DeviceFamily::Serial},   // the serial text only exactly
        {L"Tiven USB", true, DeviceFamily::Usb},
        {L"TIVEN usb", true, DeviceFamily::Usb},
        {L"Tiven USB2", false, DeviceFamily::Usb},
        {L"", false, DeviceFamily::Usb},
    };
    for (const Case& c : cases) {
        DeviceFamily family = c.family == DeviceFamily::Serial ? DeviceFamily::Usb : DeviceFamily::Serial;
        EXPECT_EQ(c.known, KeyFamilyOfType(c.type, family)) << std::wstring(c.type).size();
        if (c.known) {
            EXPECT_EQ(c.family, family);
        }
    }
    EXPECT_TRUE(IsControllerType(L"tiven,ZARN,serial", kSerialControllerType));
    EXPECT_FALSE(IsControllerType(L"Tiven Serial", kSerialControllerType));
}
