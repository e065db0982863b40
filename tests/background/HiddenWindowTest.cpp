// The hidden window both logon programs share: found by its class, never shown, its About box
// and Exit command, its end on WM_CLOSE, and the resources behind it.
#include <gtest/gtest.h>

#include "BackgroundFixtures.h"
#include "BackgroundProgram.h"
#include "DeviceKeys.h"
#include "Equipment.h"
#include "ScratchRegistry.h"
#include "StandinClient.h"
#include "TestPaths.h"
#include "TestWindows.h"
#include "resource.h"

using namespace testsupport;
using backgroundtest::BackgroundProgram;
using backgroundtest::ProgramInfo;

namespace {

std::wstring Wide(const char* text) { return std::wstring(text, text + strlen(text)); }

class HiddenWindow : public ::testing::TestWithParam<const ProgramInfo*> {
protected:
    void SetUp() override
    {
        ASSERT_EQUIPMENT(standin::Running() && standin::Reset(), "the stand-in drivers");
        // No devices and no current device: the programs start with nothing to do.
        backgroundtest::StartWithoutDevices(reg);
    }
    ScratchRegistry reg{ScratchRegistry::RealPrefix};
};

TEST_P(HiddenWindow, IsHiddenFoundByItsClassInAnyCaseAndEndsOnClose)
{
    BackgroundProgram program(*GetParam());
    ASSERT_TRUE(program.Start());
    HWND window = program.WaitWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(WindowText(window), GetParam()->title);
    EXPECT_EQ(ClassNameOf(window), GetParam()->windowClass);
    // The uninstaller looks for "Segmenta" and "Chimer".
    EXPECT_EQ(FindWindowW(GetParam()->title, nullptr), window);
    EXPECT_EQ(backgroundtest::WindowsOfClass(GetParam()->windowClass).size(), 1u);

    DWORD code = 1234;
    ASSERT_TRUE(program.Close(code));
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(backgroundtest::WindowsOfClass(GetParam()->windowClass).empty());
}

TEST_P(HiddenWindow, ExitCommandEndsTheProgram)
{
    BackgroundProgram program(*GetParam());
    ASSERT_TRUE(program.Start());
    ASSERT_NE(program.WaitWindow(), nullptr);
    PostMessageW(program.Window(), WM_COMMAND, IDM_EXIT, 0);
    DWORD code = 1234;
    ASSERT_TRUE(program.Process().WaitExit(code));
    EXPECT_EQ(code, 0u);
}

TEST_P(HiddenWindow, AboutBoxShowsTheVersionAndCloses)
{
    BackgroundProgram program(*GetParam());
    ASSERT_TRUE(program.Start());
    ASSERT_NE(program.WaitWindow(), nullptr);
    PostMessageW(program.Window(), WM_COMMAND, IDM_ABOUT, 0);
    HWND about = WaitForWindow(L"#32770", L"About", kDefaultDeadlineMs, program.Process().Pid());
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(ControlText(about, IDC_ABOUT_TEXT), Wide(GetParam()->aboutLine));
    ClickControl(about, IDOK);
    EXPECT_TRUE(WaitWindowGone(about));
    EXPECT_TRUE(program.Process().Running()) << "the About box does not end the program";
    DWORD code = 1234;
    ASSERT_TRUE(program.Close(code));
    EXPECT_EQ(code, 0u);
}

// The resources, read from the program file.
TEST_P(HiddenWindow, ResourcesNameTheClassTitleMenuAndAccelerators)
{
    HMODULE module = LoadLibraryExW(BinPath(GetParam()->exe).c_str(), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr);
    auto text = [&](UINT id) {
        wchar_t buffer[100] = {};
        LoadStringW(module, id, buffer, 100);
        return std::wstring(buffer);
    };
    EXPECT_EQ(text(IDS_APP_TITLE), GetParam()->title);
    EXPECT_EQ(text(IDC_PROGRAM), GetParam()->windowClass);
    EXPECT_EQ(text(IDS_HELLO), L"Hello World!");

    HMENU menu = LoadMenuW(module, MAKEINTRESOURCEW(IDC_PROGRAM));
    ASSERT_NE(menu, nullptr);
    auto label = [](HMENU m, UINT item, UINT flag) {
        wchar_t buffer[64] = {};
        GetMenuStringW(m, item, buffer, 64, flag);
        return std::wstring(buffer);
    };
    ASSERT_EQ(GetMenuItemCount(menu), 2);
    EXPECT_EQ(label(menu, 0, MF_BYPOSITION), L"&File");
    EXPECT_EQ(label(GetSubMenu(menu, 0), IDM_EXIT, MF_BYCOMMAND), L"E&xit");
    EXPECT_EQ(label(menu, 1, MF_BYPOSITION), L"&Help");
    EXPECT_EQ(label(GetSubMenu(menu, 1), IDM_ABOUT, MF_BYCOMMAND), L"&About ...");
    DestroyMenu(menu);

    HACCEL accelerators = LoadAcceleratorsW(module, MAKEINTRESOURCEW(IDC_PROGRAM));
    ASSERT_NE(accelerators, nullptr);
    ACCEL entries[4] = {};
    ASSERT_EQ(CopyAcceleratorTableW(accelerators, entries, 4), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(entries[i].cmd, IDM_ABOUT);
        EXPECT_TRUE(entries[i].fVirt & FALT);
        EXPECT_FALSE(entries[i].fVirt & FVIRTKEY) << "a character, not a key code";
    }
    EXPECT_EQ(entries[0].key, '?');
    EXPECT_EQ(entries[1].key, '/');

    EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(IDD_ABOUTBOX), RT_DIALOG), nullptr);
    EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(IDI_PROGRAM), RT_GROUP_ICON), nullptr);
    EXPECT_NE(FindResourceW(module, MAKEINTRESOURCEW(IDI_SMALL), RT_GROUP_ICON), nullptr);
    FreeLibrary(module);
}

INSTANTIATE_TEST_SUITE_P(Programs, HiddenWindow,
                         ::testing::Values(&backgroundtest::kSegmenta, &backgroundtest::kChimer),
                         [](const ::testing::TestParamInfo<const ProgramInfo*>& info) {
                             return std::string(info.param->exe, info.param->exe + wcslen(info.param->exe) - 4);
                         });

}  // namespace
