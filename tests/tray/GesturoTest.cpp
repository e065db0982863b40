// Gesturo on its own: one copy at a time, its picture sizes and window sizes from the stored
// value and from its system menu, text pictures by language, always on top, and its About box.
#include <gtest/gtest.h>

#include "DeviceKeys.h"
#include "TestPaths.h"
#include "TestWindows.h"
#include "TrayRun.h"

using namespace testsupport;
using namespace traytest;

namespace {

struct PictureCase {
    const char* name;
    DWORD iconType;     // stored "IconType"
    DWORD language;
    SIZE primary;       // the picture of each mode
    SIZE secondary;
    SIZE window;        // {0, 0}: the size the dialog opened with
};

void PrintTo(const PictureCase& c, std::ostream* out) { *out << c.name; }

const PictureCase kPictureCases[] = {
    {"Small", 1010, 0, {36, 30}, {36, 28}, {90, 84}},
    {"Medium", 1011, 0, {71, 59}, {71, 55}, {127, 110}},
    {"Large", 1012, 0, {118, 97}, {117, 91}, {0, 0}},
    {"TextEnglish", 1013, 0, {129, 50}, {128, 52}, {0, 0}},
    {"TextOtherLanguage", 1013, 3, {128, 52}, {144, 77}, {0, 0}},
    {"UnknownSizeShowsLarge", 999, 0, {118, 97}, {117, 91}, {0, 0}},
};

class GesturoPictures : public TrayTest, public testing::WithParamInterface<PictureCase> {};

TEST_P(GesturoPictures, StoredSizeChoosesPictureAndWindow)
{
    const PictureCase& c = GetParam();
    SetProduct(L"IconType", c.iconType);
    SetProduct(L"Language", c.language);
    ASSERT_TRUE(StartGesturo());
    EXPECT_EQ(PictureSize(), c.primary);
    if (c.window.cx) {
        EXPECT_EQ(GesturoSize(), c.window);
    }
    ASSERT_TRUE(ClickPicture());
    EXPECT_EQ(PictureSize(), c.secondary);
    // A right click anywhere in the dialog flips it back.
    DWORD_PTR result = 0;
    SendMessageTimeoutW(GesturoWindow(), WM_RBUTTONUP, 0, MAKELPARAM(2, 2), SMTO_NORMAL, kDefaultDeadlineMs, &result);
    EXPECT_EQ(PictureSize(), c.primary);
    EXPECT_EQ(ProductDword(L"IconType"), c.iconType) << "opening writes nothing";
}

INSTANTIATE_TEST_SUITE_P(Sizes, GesturoPictures, testing::ValuesIn(kPictureCases),
                         [](const testing::TestParamInfo<PictureCase>& info) { return std::string(info.param.name); });

TEST_F(TrayTest, GesturoSizeCommandsResizeAndPersist)
{
    ASSERT_TRUE(StartGesturo());
    const SIZE opened = GesturoSize();
    RECT before{};
    GetWindowRect(GesturoWindow(), &before);
    // Centred on the screen at the first show.
    EXPECT_NE(before.left, 0);
    EXPECT_NE(before.top, 0);
    struct Step {
        UINT command;
        SIZE picture;
        SIZE window;
    } steps[] = {{1010, {36, 30}, {90, 84}}, {1011, {71, 59}, {127, 110}}, {1013, {129, 50}, opened},
                 {1012, {118, 97}, opened}};
    for (const Step& step : steps) {
        ASSERT_TRUE(SysCommand(step.command));
        EXPECT_EQ(PictureSize(), step.picture) << step.command;
        EXPECT_EQ(GesturoSize(), step.window) << step.command;
        EXPECT_EQ(ProductDword(L"IconType"), step.command);
        RECT now{};
        GetWindowRect(GesturoWindow(), &now);
        EXPECT_EQ(now.left, before.left) << "a later change keeps the place";
        EXPECT_EQ(now.top, before.top);
    }
    ASSERT_TRUE(SysCommand(1010));
    ASSERT_TRUE(CloseGesturo());
    ASSERT_TRUE(StartGesturo());
    EXPECT_EQ(PictureSize(), (SIZE{36, 30})) << "the next start shows the stored size";
    EXPECT_EQ(GesturoSize(), (SIZE{90, 84}));
}

TEST_F(TrayTest, GesturoAlwaysOnTopFollowsTheStoredValueAndTheCommand)
{
    SetProduct(L"AlwaysOnTop", 1);
    ASSERT_TRUE(StartGesturo());
    auto topmost = [&] { return (GetWindowLongW(GesturoWindow(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    EXPECT_TRUE(topmost());
    ASSERT_TRUE(SysCommand(1014));
    EXPECT_FALSE(topmost());
    EXPECT_EQ(ProductDword(L"AlwaysOnTop"), 0u);
    ASSERT_TRUE(SysCommand(1014));
    EXPECT_TRUE(topmost());
    EXPECT_EQ(ProductDword(L"AlwaysOnTop"), 1u);
}

TEST_F(TrayTest, GesturoOneHitIsStoredAndSentWithTheNextClick)
{
    ASSERT_TRUE(StartGesturo());
    ASSERT_TRUE(SysCommand(1008));
    EXPECT_EQ(ProductDword(L"HitOne"), 1u);
    ASSERT_TRUE(standin::ClearLog());
    ASSERT_TRUE(ClickPicture());
    for (const TestDevice& d : kDevices) {
        const auto requests = Requests(d, kUseSecondary);
        ASSERT_EQ(requests.size(), 1u) << Log();
        EXPECT_EQ(requests[0].input[4], 1u);
    }
    ASSERT_TRUE(SysCommand(1008));
    EXPECT_EQ(ProductDword(L"HitOne"), 0u);
}

TEST_F(TrayTest, ASecondGesturoEndsAtOnce)
{
    ASSERT_TRUE(StartGesturo());
    TestProcess second;
    ASSERT_TRUE(second.Start(L"\"" + BinPath(L"Gesturo.exe") + L"\""));
    DWORD code = 1234;
    ASSERT_TRUE(second.WaitExit(code));
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(gesturo.Running());
    EXPECT_EQ(FindTopWindow(L"#32770", L"", second.Pid()), nullptr);
}

TEST_F(TrayTest, GesturoTitleAndAboutComeFromItsLabels)
{
    SetProduct(L"GXLabelsPath", WriteLabelFile({{L"XML_GESTURO", L"Tastenmodus"},
                                                {L"XML_ABOUT", L"Über Gesturo"},
                                                {L"XML_DRIVER_VERSION", L"Gesturo 2.0"}}));
    ASSERT_TRUE(StartGesturo());
    EXPECT_EQ(WindowText(GesturoWindow()), L"Tastenmodus");
    PostMessageW(GesturoWindow(), WM_SYSCOMMAND, 16, 0);
    HWND about = WaitForWindow(L"#32770", L"Über Gesturo", kDefaultDeadlineMs, gesturo.Pid());
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(ControlText(about, 1004), L"Gesturo 2.0");
    EXPECT_EQ(ControlText(about, 1005), L"Copyright (C) Tiven");
    ClickControl(about, IDOK);
    EXPECT_TRUE(WaitWindowGone(about));
}

TEST_F(TrayTest, GesturoWithoutALabelPathSaysSoAndShowsItsEnglishTexts)
{
    reg.DeleteTree(kProductKeyPath);
    reg.CreateKey(kProductKeyPath);
    ASSERT_TRUE(gesturo.Start(L"\"" + BinPath(L"Gesturo.exe") + L"\""));
    MessageBoxInfo box = WaitForMessageBox(kDefaultDeadlineMs, gesturo.Pid());
    ASSERT_TRUE(box);
    EXPECT_EQ(box.text, L"XML file path not found in the registry");
    EXPECT_EQ(box.caption, L"Tiven MAVO Properties");
    ASSERT_TRUE(DismissMessageBox(box, IDOK));
    HWND dialog = WaitForWindow(L"#32770", L"Gesturo", kDefaultDeadlineMs, gesturo.Pid());
    ASSERT_NE(dialog, nullptr);
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    DWORD code = 1234;
    ASSERT_TRUE(gesturo.WaitExit(code));
    EXPECT_EQ(code, 0u);
}

}  // namespace
