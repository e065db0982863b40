// The About page in the real sheet: its labels, the Support box and the licence window.
#include <windows.h>
#include <commctrl.h>

#include "SheetTest.h"
#include "TestPaths.h"
#include "TestWindows.h"

using namespace applettest;
using namespace testsupport;

class AboutPageTest : public SheetTest {
protected:
    // Product key (an install folder of its own, label file with `labels`, current device the
    // first one), the devices and the serial ports COM1 and COM2.
    void InstallDevices(const std::vector<DeviceRow>& devices, const Labels& labels = {})
    {
        InstallKeys({1, installDir_, WriteLabelFile(labels), devices.empty() ? L"" : devices.front().name}, devices);
        SetPorts({L"COM1", L"COM2"});
    }
    // Clicks Licence and waits for the licence window.
    HWND OpenLicence()
    {
        ClickControl(page, IDC_AB_LICENCE);
        return WaitDialogWith(IDC_AGR_TEXT);
    }
    static int Lines(HWND dialog)
    {
        return static_cast<int>(SendDlgItemMessageW(dialog, IDC_AGR_TEXT, EM_GETLINECOUNT, 0, 0));
    }
    static std::wstring Line(HWND dialog, int line)
    {
        wchar_t text[256] = L"";
        *reinterpret_cast<WORD*>(text) = 255;
        LRESULT length = SendDlgItemMessageW(dialog, IDC_AGR_TEXT, EM_GETLINE, static_cast<WPARAM>(line),
                                             reinterpret_cast<LPARAM>(text));
        return std::wstring(text, static_cast<size_t>(length));
    }

    std::wstring installDir_ = MakeTempDir(L"Tiven install");
};

// Opens the sheet on the About page.
#define OPEN_ABOUT_PAGE() OPEN_SHEET(IDC_AB_DRIVER)

TEST_F(AboutPageTest, LabelsReplaceTheTemplateTextsAndTheTabComesLast)
{
    const std::vector<LabelledText> texts = {
        {IDC_AB_DRIVER, LabelKey::LAB_TOUCHSCREEN_DRIVER, L"Touch Panel Device Driver"},
        {IDC_AB_DRIVER_VERSION, LabelKey::LAB_DRIVER_VERSION, L"Driver version:  1.20"},
        {IDC_AB_BUILD, LabelKey::LAB_BUILD, L"Build:  09/2004 Apl."},
        {IDC_AB_SUPPORT, LabelKey::LAB_SUPPORT, L"&Support"},
        {IDC_AB_LICENCE, LabelKey::LAB_LICENSE, L"&Licence"},
        {IDC_AB_COMPANY, LabelKey::LAB_COMPANY, nullptr},
        {IDC_AB_COPYRIGHT, LabelKey::LAB_COPYRIGHT, nullptr},
    };
    for (bool labelled : {false, true}) {
        SCOPED_TRACE(labelled ? "with labels" : "without labels");
        session.reset();
        Labels labels;
        if (labelled) {
            labels = LabelsFor(texts);
            labels.emplace_back(LabelKey::LABOUT_PAGE, L"Info");
        }
        InstallDevices({Serial(1, L"Front Panel")}, labels);
        OPEN_ABOUT_PAGE();
        ExpectTexts(page, texts, labelled);
        const int count = static_cast<int>(TabCaptions(sheet).size());
        EXPECT_EQ(TabIndex(labelled ? L"Info" : L"About"), count - 1);
        EXPECT_EQ(CurrentPageIndex(sheet), count - 1);
        Close(IDCANCEL);
    }
}

TEST_F(AboutPageTest, SupportShowsTheSupportLabelsAndNothingWithoutThem)
{
    for (bool labelled : {true, false}) {
        SCOPED_TRACE(labelled ? "with labels" : "without labels");
        session.reset();
        Labels labels;
        if (labelled)
            labels = {{LabelKey::LAB_SUPPORT_TEXT, L"Call 0800 123 456"}, {LabelKey::LAB_SUPPORT_INFO, L"Support"}};
        InstallDevices({Serial(1, L"Front Panel")}, labels);
        OPEN_ABOUT_PAGE();
        ClickControl(page, IDC_AB_SUPPORT);
        MessageBoxInfo box = WaitMessageBox();
        ASSERT_TRUE(box);
        EXPECT_EQ(box.text, labelled ? L"Call 0800 123 456" : L"");
        EXPECT_EQ(box.caption, labelled ? L"Support" : L"");
        ASSERT_TRUE(DismissMessageBox(box, IDOK));
        WaitIdle();
        Close(IDCANCEL);
    }
}

TEST_F(AboutPageTest, TheLicenceWindowShowsEachLineOfTheLabelOnALineOfItsOwn)
{
    const struct {
        const char* name;
        Labels labels;
        const wchar_t* caption;
        const wchar_t* close;
        std::vector<std::wstring> lines;
    } cases[] = {
        {"three lines",
         {{LabelKey::LAB_LICENSE_TEXT, L"First line\nSecond line\nThird line"},
          {LabelKey::LAB_LICENSE_INFO, L"Lizenz"},
          {LabelKey::LCLOSE, L"Schliessen"}},
         L"Lizenz",
         L"Schliessen",
         {L"First line", L"Second line", L"Third line"}},
        // Without the label the window is empty and keeps its template's texts.
        {"no labels", {}, L"License information", L"Close", {L""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        session.reset();
        InstallDevices({Serial(1, L"Front Panel")}, c.labels);
        OPEN_ABOUT_PAGE();
        // Twice: the page stays usable after the window has closed.
        for (int round = 0; round < 2; ++round) {
            HWND licence = OpenLicence();
            ASSERT_NE(licence, nullptr);
            EXPECT_EQ(WindowText(licence), c.caption);
            EXPECT_EQ(ControlText(licence, IDCANCEL), c.close);
            ASSERT_EQ(Lines(licence), static_cast<int>(c.lines.size()));
            std::wstring whole;
            for (size_t i = 0; i < c.lines.size(); ++i) {
                EXPECT_EQ(Line(licence, static_cast<int>(i)), c.lines[i]);
                whole += (i ? L"\r\n" : L"") + c.lines[i];
            }
            EXPECT_EQ(ControlText(licence, IDC_AGR_TEXT), whole);
            EXPECT_NE(GetWindowLongW(GetDlgItem(licence, IDC_AGR_TEXT), GWL_STYLE) & ES_READONLY, 0);
            ClickControl(licence, IDCANCEL);
            EXPECT_TRUE(DialogDone(licence));
        }
        Close(IDCANCEL);
    }
}

TEST_F(AboutPageTest, WhileNoControllerIsLeftTheGeneralAndAboutPagesSendTheSheetBack)
{
    for (int controlId : {IDC_GEN_HEADING, IDC_AB_DRIVER}) {
        SCOPED_TRACE(controlId);
        session.reset();
        InstallDevices({Usb(1, L"Only One")});
        OPEN_SHEET(IDC_DEV_LIST);
        const HWND devicesPage = page;
        SelectRow(IDC_DEV_LIST, 0);
        ClickControl(page, IDC_DEV_REMOVE);
        MessageBoxInfo question = WaitMessageBox();
        ASSERT_TRUE(question);
        ASSERT_TRUE(DismissMessageBox(question, IDYES));
        ASSERT_TRUE(WaitUntil([&] { return Names(IDC_DEV_LIST).empty(); }));

        const int index = TabIndex(controlId == IDC_GEN_HEADING ? L"General" : L"About");
        ASSERT_GT(index, 0);
        SendMessageW(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
        // Let the sheet handle what the page posted.
        PostMessageW(sheet, WM_NULL, 0, 0);
        WaitIdle();
        EXPECT_TRUE(WaitUntil([&] { return CurrentPage(sheet) == devicesPage && IsWindowVisible(devicesPage); }));
        EXPECT_EQ(CurrentPageIndex(sheet), 0);
        Close(IDCANCEL);
    }
}
