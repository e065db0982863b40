// The control wrappers' own searches: what they find where the system's messages would find
// something else.
#include <gtest/gtest.h>

#include <windows.h>

#include "ComboBox.h"

TEST(ComboBox, FindExactTextMatchesTheWholeTextWithItsCase)
{
    HWND window = CreateWindowExW(0, L"COMBOBOX", L"", WS_POPUP | CBS_DROPDOWNLIST, 0, 0, 100, 100, nullptr, nullptr,
                                  nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    CComboBox list;
    list.Attach(window);
    for (const wchar_t* entry : {L"com2", L"COM2", L"COM2 "})
        list.AddString(entry);
    // CB_FINDSTRINGEXACT ignores case and answers the first entry.
    EXPECT_EQ(SendMessageW(window, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(L"COM2")), 0);
    EXPECT_EQ(list.FindExactText(L"COM2"), 1);
    EXPECT_EQ(list.FindExactText(L"COM2 "), 2);
    EXPECT_EQ(list.FindExactText(L"COM"), CB_ERR);
    EXPECT_EQ(list.FindExactText(L""), CB_ERR);
    DestroyWindow(window);
}
