// The Windows page: the system's double-click settings read when the page is first shown and
// handed back at every OK or Apply once changed, read back from the system here; and the click
// test buttons, which switch their pictures on a recognised click.
#include "BitmapPixels.h"
#include "SheetTest.h"
#include "TestWindows.h"

using namespace applettest;
using namespace testsupport;

namespace {
const wchar_t kPage[] = L"Windows";

struct DoubleClick {
    UINT time;
    int height;
    int width;
};

DoubleClick SystemDoubleClick()
{
    return {GetDoubleClickTime(), GetSystemMetrics(SM_CYDOUBLECLK), GetSystemMetrics(SM_CXDOUBLECLK)};
}

void SetSystemDoubleClick(const DoubleClick& values)
{
    const UINT flags = SPIF_UPDATEINIFILE | SPIF_SENDCHANGE;
    SystemParametersInfoW(SPI_SETDOUBLECLICKTIME, values.time, nullptr, flags);
    SystemParametersInfoW(SPI_SETDOUBLECLKHEIGHT, static_cast<UINT>(values.height), nullptr, flags);
    SystemParametersInfoW(SPI_SETDOUBLECLKWIDTH, static_cast<UINT>(values.width), nullptr, flags);
}

#define EXPECT_SYSTEM(expectedTime, expectedHeight, expectedWidth)       \
    do {                                                                 \
        const DoubleClick now = SystemDoubleClick();                     \
        EXPECT_EQ(now.time, static_cast<UINT>(expectedTime)) << "time";  \
        EXPECT_EQ(now.height, (expectedHeight)) << "height";             \
        EXPECT_EQ(now.width, (expectedWidth)) << "width";                \
    } while (0)

// The system's settings are the prefix's: each test puts them back as it found them.
class WindowsPageTest : public SheetTest {
protected:
    void SetUp() override
    {
        SheetTest::SetUp();
        saved_ = SystemDoubleClick();
        device_ = Serial(1, L"Front Panel");
        Install({device_}, device_.name);
    }
    void TearDown() override
    {
        session.reset();
        SetSystemDoubleClick(saved_);
        SheetTest::TearDown();
    }
    HBITMAP Picture(int buttonId) const
    {
        return reinterpret_cast<HBITMAP>(SendMessageW(Control(buttonId), BM_GETIMAGE, IMAGE_BITMAP, 0));
    }
    // A double click on a button as the mouse makes it: down, up, double click, up.
    void DoubleClickButton(int buttonId)
    {
        HWND button = Control(buttonId);
        const LPARAM inside = MAKELPARAM(4, 4);
        SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, inside);
        SendMessageW(button, WM_LBUTTONUP, 0, inside);
        SendMessageW(button, WM_LBUTTONDBLCLK, MK_LBUTTON, inside);
        SendMessageW(button, WM_LBUTTONUP, 0, inside);
    }

    DoubleClick saved_{};
    DeviceRow device_;
};

TEST_F(WindowsPageTest, ShowsTheSystemValuesWithTheTimeSliderReversed)
{
    SetSystemDoubleClick({500, 10, 20});
    SHOW_PAGE(kPage);
    EXPECT_EQ(ControlText(page, IDC_WND_TIME_VALUE), L"500");
    EXPECT_EQ(ControlText(page, IDC_WND_HEIGHT_VALUE), L"10");
    EXPECT_EQ(ControlText(page, IDC_WND_WIDTH_VALUE), L"20");
    EXPECT_EQ(SliderPos(IDC_WND_TIME_SLIDER), 1100);
    EXPECT_EQ(SliderPos(IDC_WND_HEIGHT_SLIDER), 10);
    EXPECT_EQ(SliderPos(IDC_WND_WIDTH_SLIDER), 20);
    EXPECT_TRUE(Enabled(IDC_WND_DEFAULTS));
    EXPECT_FALSE(ApplyEnabled(sheet));

    // Nothing changed: OK leaves the system alone (set behind the page's back here).
    SetSystemDoubleClick({700, 30, 40});
    EXPECT_TRUE(session->Close(IDOK));
    EXPECT_SYSTEM(700, 30, 40);
}

TEST_F(WindowsPageTest, DefaultsIsDisabledWhenTheSystemHasTheInstalledValues)
{
    SetSystemDoubleClick({900, 64, 64});
    SHOW_PAGE(kPage);
    EXPECT_FALSE(Enabled(IDC_WND_DEFAULTS));
    EXPECT_FALSE(ApplyEnabled(sheet));
}

TEST_F(WindowsPageTest, SliderEndsGiveTheShortestAndLongestTimeAndApplyHandsThemToTheSystem)
{
    SetSystemDoubleClick({500, 10, 20});
    SHOW_PAGE(kPage);
    PressKey(Control(IDC_WND_TIME_SLIDER), VK_END);
    EXPECT_EQ(ControlText(page, IDC_WND_TIME_VALUE), L"100");
    PressKey(Control(IDC_WND_TIME_SLIDER), VK_HOME);
    EXPECT_EQ(ControlText(page, IDC_WND_TIME_VALUE), L"1500");
    PressKey(Control(IDC_WND_HEIGHT_SLIDER), VK_RIGHT);
    EXPECT_EQ(ControlText(page, IDC_WND_HEIGHT_VALUE), L"11");
    PressKey(Control(IDC_WND_WIDTH_SLIDER), VK_LEFT);
    EXPECT_EQ(ControlText(page, IDC_WND_WIDTH_VALUE), L"19");
    EXPECT_TRUE(ApplyEnabled(sheet));
    EXPECT_EQ(DefaultButton(), MAKELRESULT(IDC_SHEET_APPLY, DC_HASDEFID)) << "Enter applies after an edit";
    EXPECT_SYSTEM(500, 10, 20);   // nothing before Apply

    Click(sheet, IDC_SHEET_APPLY);
    EXPECT_SYSTEM(1500, 11, 19);
}

TEST_F(WindowsPageTest, DefaultsThenEveryApplySendsTheValuesAgain)
{
    SetSystemDoubleClick({500, 10, 20});
    SHOW_PAGE(kPage);
    Click(page, IDC_WND_DEFAULTS);
    EXPECT_EQ(ControlText(page, IDC_WND_TIME_VALUE), L"900");
    EXPECT_EQ(ControlText(page, IDC_WND_HEIGHT_VALUE), L"64");
    EXPECT_EQ(ControlText(page, IDC_WND_WIDTH_VALUE), L"64");
    EXPECT_EQ(SliderPos(IDC_WND_TIME_SLIDER), 700);
    EXPECT_EQ(SliderPos(IDC_WND_HEIGHT_SLIDER), 64);
    EXPECT_EQ(SliderPos(IDC_WND_WIDTH_SLIDER), 64);
    EXPECT_FALSE(Enabled(IDC_WND_DEFAULTS));
    EXPECT_TRUE(ApplyEnabled(sheet));
    EXPECT_SYSTEM(500, 10, 20);

    Click(sheet, IDC_SHEET_APPLY);
    EXPECT_SYSTEM(900, 64, 64);

    // Changed behind the page's back: the next OK sends the page's values again, unchanged.
    SetSystemDoubleClick({300, 5, 6});
    EXPECT_TRUE(session->Close(IDOK));
    EXPECT_SYSTEM(900, 64, 64);
}

TEST_F(WindowsPageTest, ATimeOutsideTheSliderIsShownAsItIsAndKeptUnlessMoved)
{
    SetSystemDoubleClick({2000, 10, 20});
    SHOW_PAGE(kPage);
    EXPECT_EQ(ControlText(page, IDC_WND_TIME_VALUE), L"2000");
    EXPECT_EQ(SliderPos(IDC_WND_TIME_SLIDER), 100) << "the thumb stops at the long end";

    PressKey(Control(IDC_WND_HEIGHT_SLIDER), VK_RIGHT);
    Click(sheet, IDC_SHEET_APPLY);
    EXPECT_SYSTEM(2000, 11, 20);
}

TEST_F(WindowsPageTest, TestButtonsSwitchPicturesOnRecognisedClicksOnly)
{
    SHOW_PAGE(kPage);
    const std::vector<uint8_t> pictureA = AppletBitmapBits(IDB_CLICK_TEST_A);
    const std::vector<uint8_t> pictureB = AppletBitmapBits(IDB_CLICK_TEST_B);
    ASSERT_FALSE(pictureA.empty());
    ASSERT_NE(pictureA, pictureB);
    EXPECT_EQ(BitmapBits(Picture(IDC_WND_SINGLE_CLICK_TEST)), pictureB);
    EXPECT_EQ(BitmapBits(Picture(IDC_WND_DOUBLE_CLICK_TEST)), pictureB);

    Click(page, IDC_WND_SINGLE_CLICK_TEST);
    EXPECT_EQ(BitmapBits(Picture(IDC_WND_SINGLE_CLICK_TEST)), pictureA);
    Click(page, IDC_WND_SINGLE_CLICK_TEST);
    EXPECT_EQ(BitmapBits(Picture(IDC_WND_SINGLE_CLICK_TEST)), pictureB);

    // Single clicks on the double-click button change nothing; a double click switches it.
    Click(page, IDC_WND_DOUBLE_CLICK_TEST);
    EXPECT_EQ(BitmapBits(Picture(IDC_WND_DOUBLE_CLICK_TEST)), pictureB);
    DoubleClickButton(IDC_WND_DOUBLE_CLICK_TEST);
    EXPECT_EQ(BitmapBits(Picture(IDC_WND_DOUBLE_CLICK_TEST)), pictureA);
    DoubleClickButton(IDC_WND_DOUBLE_CLICK_TEST);
    EXPECT_EQ(BitmapBits(Picture(IDC_WND_DOUBLE_CLICK_TEST)), pictureB);
    EXPECT_FALSE(ApplyEnabled(sheet)) << "the click test is no edit";
}

}  // namespace
