// The mode selector's dialog in the test process, with a private registry: its system menu (the
// items, their texts and check marks, which follow the commands), and the layout functions.
#include <gtest/gtest.h>

#include "DeviceKeys.h"
#include "Equipment.h"
#include "ModeSelectorDlg.h"
#include "ModeSwitch.h"
#include "NamedObjects.h"
#include "SelectorLayout.h"
#include "StandinClient.h"
#include "TestProcess.h"
#include "TrayRun.h"
#include "resource.h"

using namespace testsupport;

namespace {
bool Checked(HWND dialog, UINT id)
{
    return (GetMenuState(GetSystemMenu(dialog, FALSE), id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

std::wstring Text(HWND dialog, UINT id)
{
    wchar_t text[128] = L"";
    GetMenuStringW(GetSystemMenu(dialog, FALSE), id, text, 128, MF_BYCOMMAND);
    return text;
}

class SelectorDialog : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQUIPMENT(standin::Running() && standin::Reset(), "the stand-in drivers");
        reg.SetString(kProductKeyPath, L"GXLabelsPath",
                      traytest::WriteLabelFile({{L"XML_ONE_HIT", L"Ein Tipp"}, {L"XML_TEXT_MODE", L""}}));
    }
    void Open()
    {
        ASSERT_TRUE(dialog.Create());
        ASSERT_TRUE(WaitUntil([] { return NamedEventExists(kDialogModeEvent); }));
    }
    ScratchRegistry reg;
    CModeSelectorDlg dialog;
};

const UINT kSizes[] = {IDM_SMALL_ICONS, IDM_MEDIUM_ICONS, IDM_LARGE_ICONS, IDM_TEXT_MODE};

TEST_F(SelectorDialog, SystemMenuItemsCarryLabelsOrTheirDefaults)
{
    Open();
    EXPECT_EQ(Text(dialog, IDM_ONE_HIT), L"Ein Tipp");
    EXPECT_EQ(Text(dialog, IDM_SMALL_ICONS), L"Small icons");
    EXPECT_EQ(Text(dialog, IDM_LARGE_ICONS), L"Large icons");
    EXPECT_EQ(Text(dialog, IDM_TEXT_MODE), L"Text mode") << "an empty label keeps the default";
    EXPECT_EQ(Text(dialog, IDM_ALWAYS_ON_TOP), L"Always on top");
    EXPECT_EQ(Text(dialog, IDM_SELECTOR_ABOUT), L"About Gesturo");
    // The items follow the standard items: separator, One Hit, separator, sizes, on top,
    // separator, About.
    HMENU menu = GetSystemMenu(dialog, FALSE);
    const int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 10);
    EXPECT_EQ(GetMenuItemID(menu, count - 1), static_cast<UINT>(IDM_SELECTOR_ABOUT));
    EXPECT_EQ(GetMenuItemID(menu, count - 9), static_cast<UINT>(IDM_ONE_HIT));
}

TEST_F(SelectorDialog, StoredValuesSetTheMarksAndAnUnknownSizeMarksLarge)
{
    reg.SetDword(kProductKeyPath, L"IconType", 999);
    reg.SetDword(kProductKeyPath, L"HitOne", 1);
    reg.SetDword(kProductKeyPath, L"AlwaysOnTop", 7);
    Open();
    for (UINT size : kSizes)
        EXPECT_EQ(Checked(dialog, size), size == IDM_LARGE_ICONS) << size;
    EXPECT_TRUE(Checked(dialog, IDM_ONE_HIT));
    EXPECT_FALSE(Checked(dialog, IDM_ALWAYS_ON_TOP)) << "only 1 is on";
    EXPECT_TRUE(dialog.HitOne());
    EXPECT_EQ(dialog.IconType(), static_cast<DWORD>(IDM_LARGE_ICONS));
}

TEST_F(SelectorDialog, CommandsMoveTheMarksAndStoreTheirValues)
{
    Open();
    EXPECT_FALSE(Checked(dialog, IDM_ONE_HIT));
    for (UINT size : kSizes) {
        ASSERT_TRUE(dialog.OnSysCommand(size));
        for (UINT other : kSizes)
            EXPECT_EQ(Checked(dialog, other), other == size) << size << " marks " << other;
        EXPECT_EQ(reg.Read(kProductKeyPath, L"IconType").AsDword(), size);
    }
    ASSERT_TRUE(dialog.OnSysCommand(IDM_ONE_HIT));
    EXPECT_TRUE(Checked(dialog, IDM_ONE_HIT));
    EXPECT_EQ(reg.Read(kProductKeyPath, L"HitOne").AsDword(), 1u);
    ASSERT_TRUE(dialog.OnSysCommand(IDM_ALWAYS_ON_TOP));
    EXPECT_TRUE(Checked(dialog, IDM_ALWAYS_ON_TOP));
    EXPECT_EQ(reg.Read(kProductKeyPath, L"AlwaysOnTop").AsDword(), 1u);
    EXPECT_TRUE(GetWindowLongW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST);
    ASSERT_TRUE(dialog.OnSysCommand(1009)) << "1009 does nothing";
    EXPECT_FALSE(dialog.OnSysCommand(SC_MOVE)) << "the system's own commands go on";
    dialog.DestroyWindow();
    EXPECT_FALSE(NamedEventExists(kDialogModeEvent)) << "the event goes with the window";
}

TEST(SelectorLayout, PictureForEachSizeModeAndLanguage)
{
    struct Case {
        DWORD iconType, mode, language;
        UINT picture;
    } cases[] = {
        {tray::kSmallIcons, 0, 0, IDB_SMALL_PRIMARY},      {tray::kSmallIcons, 1, 0, IDB_SMALL_SECONDARY},
        {tray::kMediumIcons, 0, 1, IDB_MEDIUM_PRIMARY},    {tray::kMediumIcons, 1, 1, IDB_MEDIUM_SECONDARY},
        {tray::kLargeIcons, 0, 0, IDB_LARGE_PRIMARY},      {tray::kLargeIcons, 2, 0, IDB_LARGE_SECONDARY},
        {tray::kTextMode, 0, 0, IDB_TEXT_PRIMARY},         {tray::kTextMode, 1, 0, IDB_TEXT_SECONDARY},
        {tray::kTextMode, 0, 1, IDB_NUMBERED_PRIMARY},     {tray::kTextMode, 1, 4, IDB_NUMBERED_SECONDARY},
        {999, 0, 0, IDB_LARGE_PRIMARY},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tray::PictureFor(c.iconType, c.mode, c.language), c.picture)
            << c.iconType << " mode " << c.mode << " language " << c.language;
    for (DWORD stored : {0u, 999u, 1009u, 1014u})
        EXPECT_EQ(tray::ValidIconType(stored), tray::kLargeIcons) << stored;
    for (DWORD stored : {1010u, 1013u})
        EXPECT_EQ(tray::ValidIconType(stored), stored);
}

TEST(SelectorLayout, WindowSizeAndPlace)
{
    const SIZE start{171, 168}, medium{71, 55}, small{36, 28};
    struct Case {
        DWORD iconType;
        SIZE size;
    } cases[] = {{tray::kSmallIcons, {90, 84}}, {tray::kMediumIcons, {127, 110}}, {tray::kLargeIcons, start},
                 {tray::kTextMode, start}};
    for (const Case& c : cases) {
        const SIZE size = tray::SelectorWindowSize(c.iconType, start, medium, small);
        EXPECT_EQ(size.cx, c.size.cx) << c.iconType;
        EXPECT_EQ(size.cy, c.size.cy) << c.iconType;
    }
    // At the template's 0,0 the window is centred (halves cut); elsewhere it stays.
    const POINT centred = tray::SelectorWindowPosition(RECT{0, 0, 171, 169}, SIZE{1280, 1001});
    EXPECT_EQ(centred.x, 640 - 85);
    EXPECT_EQ(centred.y, 500 - 84);
    const POINT kept = tray::SelectorWindowPosition(RECT{0, 30, 171, 199}, SIZE{1280, 1001});
    EXPECT_EQ(kept.x, 0);
    EXPECT_EQ(kept.y, 30);
}

TEST(ModeSwitchValues, HitOneCountsOnlyOne)
{
    struct Case {
        DWORD stored, sent;
    } cases[] = {{0, 0}, {1, 1}, {2, 0}, {7, 0}, {0xFFFFFFFF, 0}, {0x101, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(tray::NormalisedHitOne(c.stored), c.sent) << c.stored;
}

}  // namespace
