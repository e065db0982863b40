#include <gtest/gtest.h>

#include "ScratchRegistry.h"

using namespace testsupport;

TEST(ScratchRegistry, RedirectsHklmAndCleansUp)
{
    std::wstring scratch;
    {
        ScratchRegistry reg;
        scratch = reg.ScratchPath();
        reg.Fill({RegRow::Str(L"SYSTEM\\Test", L"Name", L"abc"), RegRow::Num(L"SYSTEM\\Test", L"Number", 7)});
        RegValue s = reg.Read(L"SYSTEM\\Test", L"Name");
        EXPECT_EQ(s.type, static_cast<DWORD>(REG_EXPAND_SZ));
        EXPECT_EQ(s.Size(), 8u);
        EXPECT_EQ(s.AsString(), L"abc");
        EXPECT_EQ(reg.Read(L"SYSTEM\\Test", L"Number").AsDword(), 7u);
        // The write landed under HKCU, not in the prefix's HKLM.
        HKEY key = nullptr;
        ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, (scratch + L"\\SYSTEM\\Test").c_str(), 0, KEY_READ, &key), 0);
        RegCloseKey(key);
    }
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, scratch.c_str(), 0, KEY_READ, &key), 0);
}
