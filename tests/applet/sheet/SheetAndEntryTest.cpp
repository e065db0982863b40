// The applet's entry point and its property sheet, loaded into the test process.
#include <windows.h>
#include <commctrl.h>
#include <cpl.h>

#include <string>
#include <vector>

#include "NamedObjects.h"
#include "SheetTest.h"
#include "TestPaths.h"
#include "TestWindows.h"

using namespace applettest;
using namespace testsupport;

namespace {
// Returns once the sheet's thread has handled the messages it posted to itself so far. A sent
// message is answered only when the thread waits for messages again, so whatever the handler
// that runs now posts is queued by then; a tab highlight posted after it comes out of the queue
// after those messages.
bool HandledWhatTheSheetPosted(HWND sheet)
{
    HWND tab = GetDlgItem(sheet, kTabControlId);
    DWORD_PTR ignored = 0;
    if (!tab || !SendMessageTimeoutW(sheet, WM_NULL, 0, 0, SMTO_NORMAL, kDefaultDeadlineMs, &ignored))
        return false;
    auto highlighted = [&] {
        TCITEMW item{};
        item.mask = TCIF_STATE;
        item.dwStateMask = TCIS_HIGHLIGHTED;
        SendMessageW(tab, TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        return (item.dwState & TCIS_HIGHLIGHTED) != 0;
    };
    PostMessageW(tab, TCM_HIGHLIGHTITEM, 0, MAKELPARAM(TRUE, 0));
    const bool handled = WaitUntil(highlighted);
    SendMessageW(tab, TCM_HIGHLIGHTITEM, 0, MAKELPARAM(FALSE, 0));
    return handled;
}

// A window of this process with that caption, shown or not yet shown.
bool OwnWindowTitled(const wchar_t* caption)
{
    for (HWND w = FindWindowExW(nullptr, nullptr, L"#32770", caption); w;
         w = FindWindowExW(nullptr, w, L"#32770", caption)) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        if (pid == GetCurrentProcessId())
            return true;
    }
    return false;
}

// One of the sheets this process shows (a named callback: on i686 a lambda does not convert to a
// stdcall function pointer).
BOOL CALLBACK CountSheet(HWND w, LPARAM counted)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == GetCurrentProcessId() && IsWindowVisible(w) && GetDlgItem(w, kTabControlId))
        ++*reinterpret_cast<int*>(counted);
    return TRUE;
}

// The sheets this process shows. EnumWindows takes the top-level list at once: a walk along
// GW_HWNDNEXT ends early where a window goes away or moves in the z-order under it.
int SheetCount()
{
    int count = 0;
    EnumWindows(CountSheet, reinterpret_cast<LPARAM>(&count));
    return count;
}

std::wstring ReadUtf16File(const std::wstring& path)
{
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return L"";
    std::wstring text(GetFileSize(f, nullptr) / sizeof(wchar_t), L'\0');
    DWORD got = 0;
    ReadFile(f, &text[0], static_cast<DWORD>(text.size() * sizeof(wchar_t)), &got, nullptr);
    CloseHandle(f);
    return text;
}
}  // namespace

// The sheet opened on the Advanced page, the first of the device pages.
class AppletTest : public SheetTest {};

#define OPEN_ADVANCED_PAGE() OPEN_SHEET(IDC_ADV_SAMPLE_RATE_SLIDER)
#define OPEN_ADVANCED_PAGE_WITH(openMessage) OPEN_SHEET_WITH(IDC_ADV_SAMPLE_RATE_SLIDER, openMessage)

// ---- the Control Panel messages ----

TEST_F(AppletTest, AnswersEveryControlPanelMessage)
{
    AddProduct(registry, {1, kInstallDir, WriteLabelFile({}), L""});
    AppletSession applet;
    ASSERT_TRUE(applet.Loaded());
    struct Case {
        UINT msg;
        LONG result;
    };
    const Case cases[] = {{CPL_INIT, 1}, {CPL_GETCOUNT, 1}, {CPL_SELECT, 1}, {CPL_STOP, 1},
                          {CPL_STARTWPARMSA, 1}, {CPL_EXIT, 0}, {99, 1}, {0, 1}};
    for (const Case& c : cases)
        EXPECT_EQ(applet.Send(c.msg), c.result) << "message " << c.msg;

    CPLINFO info{};
    EXPECT_EQ(applet.Send(CPL_INQUIRE, 0, reinterpret_cast<LPARAM>(&info)), 0);
    EXPECT_EQ(info.idIcon, 1061);
    EXPECT_EQ(info.idName, 1);
    EXPECT_EQ(info.idInfo, 2);
    EXPECT_EQ(info.lData, 0);
}

struct InquireCase {
    bool productKey;
    const wchar_t* name;    // RenkaCPLName, or null
    const wchar_t* info;    // RenkaCPLInfo, or null
    const wchar_t* expectedName;
    const wchar_t* expectedInfo;
};

void PrintTo(const InquireCase& c, std::ostream* out) { *out << (c.productKey ? "product key" : "no product key"); }

std::string InquireCaseName(const ::testing::TestParamInfo<InquireCase>& info)
{
    static const char* const names[] = {"ProductTexts", "NoProductKey", "NameOnly", "LongName"};
    return names[info.index];
}

class NewInquire : public AppletTest, public ::testing::WithParamInterface<InquireCase> {};

TEST_P(NewInquire, ReportsProductTextsOrBuiltIns)
{
    const InquireCase c = GetParam();
    if (c.productKey)
        registry.SetDword(kProductKeyPath, L"Controller", 1);
    if (c.name)
        registry.SetString(kProductKeyPath, L"RenkaCPLName", c.name);
    if (c.info)
        registry.SetString(kProductKeyPath, L"RenkaCPLInfo", c.info);
    AppletSession applet;
    ASSERT_TRUE(applet.Loaded());
    NEWCPLINFOW info;
    memset(&info, 0xCC, sizeof info);
    EXPECT_EQ(applet.Send(CPL_NEWINQUIRE, 0, reinterpret_cast<LPARAM>(&info)), 0);
    EXPECT_EQ(info.dwSize, sizeof(NEWCPLINFOW));
    EXPECT_EQ(info.dwFlags, 0u);
    EXPECT_EQ(info.dwHelpContext, 0u);
    EXPECT_EQ(info.lData, 0);
    EXPECT_NE(info.hIcon, nullptr);
    EXPECT_STREQ(info.szName, c.expectedName);
    EXPECT_STREQ(info.szInfo, c.expectedInfo);
    EXPECT_STREQ(info.szHelpFile, L"");
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NewInquire,
    ::testing::Values(InquireCase{true, L"Touch Tools", L"Settings of the touch panels", L"Touch Tools",
                                  L"Settings of the touch panels"},
                      InquireCase{false, nullptr, nullptr, L"MAVO Devices", L"Touch Panel Device Properties"},
                      InquireCase{true, L"Only a name", nullptr, L"Only a name", L"Touch Panel Device Properties"},
                      // Longer texts are cut to the record's fields (31 and 63 characters).
                      InquireCase{true, L"0123456789012345678901234567890123456789", nullptr,
                                  L"0123456789012345678901234567890", L"Touch Panel Device Properties"}),
    InquireCaseName);

// ---- opening and the single sheet ----

TEST_F(AppletTest, StartWithParametersOpensOnceAndReportsItHandledTheOpening)
{
    DeviceRow device;
    AddProduct(registry, {1, kInstallDir, WriteLabelFile({}), device.name});
    AddDevice(registry, device);
    OPEN_ADVANCED_PAGE_WITH(CPL_STARTWPARMSW);
    EXPECT_TRUE(NamedMutexExists(kAppletMutex));
    LONG result = -1;
    ClickControl(sheet, IDCANCEL);
    ASSERT_TRUE(session->WaitClosed(&result));
    // 1: the Control Panel must not send CPL_DBLCLK as well and open the sheet a second time.
    EXPECT_EQ(result, 1);
    EXPECT_FALSE(NamedMutexExists(kAppletMutex));

    session->OpenAsync(CPL_DBLCLK);
    HWND again = session->WaitSheet();
    ASSERT_NE(again, nullptr) << "a later opening in the same process shows no sheet";
    sheet = again;
    ClickControl(sheet, IDCANCEL);
    ASSERT_TRUE(session->WaitClosed(&result));
    EXPECT_EQ(result, 0);
}

TEST_F(AppletTest, SecondOpeningBringsTheOpenSheetToTheFront)
{
    DeviceRow device;
    AddProduct(registry, {1, kInstallDir, WriteLabelFile({}), device.name});
    AddDevice(registry, device);
    OPEN_ADVANCED_PAGE();

    HWND other = CreateWindowExW(0, L"STATIC", L"other window", WS_POPUP | WS_VISIBLE | WS_CAPTION, 300, 300, 200, 100,
                                 nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(TakeForegroundFrom(other, sheet));

    EXPECT_EQ(session->Send(CPL_STARTWPARMSW), 1);
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == sheet; })) << "the open sheet is not in front";
    EXPECT_EQ(SheetCount(), 1);
    DestroyWindow(other);
}

// ---- title, buttons, captions ----

struct TitleCase {
    DWORD controllerKind;
    Labels labels;
    const wchar_t* title;
};

void PrintTo(const TitleCase& c, std::ostream* out) { *out << "controller kind " << c.controllerKind; }

std::string TitleCaseName(const ::testing::TestParamInfo<TitleCase>& info)
{
    static const char* const names[] = {"FiveWire", "FourEightWire", "OneSheetOwnProperties", "NoKindLabel", "NoKind"};
    return names[info.index];
}

class SheetTitle : public AppletTest, public ::testing::WithParamInterface<TitleCase> {};

TEST_P(SheetTitle, NamesTheControllerKindAndIsKeptInDeviceLabel)
{
    const TitleCase& c = GetParam();
    DeviceRow device;
    AddProduct(registry, {c.controllerKind, kInstallDir, WriteLabelFile(c.labels), device.name});
    AddDevice(registry, device);
    OPEN_ADVANCED_PAGE();
    EXPECT_EQ(WindowText(sheet), c.title);
    EXPECT_EQ(registry.Read(kProductKeyPath, L"Device Label").AsString(), c.title);
}

const Labels kKindLabels = {{L"LCONTROLLER_4_8_WIRE", L"4/8-Wire"},
                            {L"LCONTROLLER_5_WIRE", L"5-Wire"},
                            {L"LCONTROLLER_1SHEET", L"One-Sheet"}};

INSTANTIATE_TEST_SUITE_P(
    Kinds, SheetTitle,
    ::testing::Values(TitleCase{2, kKindLabels, L"5-Wire Touch Panel Device Properties"},
                      TitleCase{1, kKindLabels, L"4/8-Wire Touch Panel Device Properties"},
                      TitleCase{3, {{L"LCONTROLLER_1SHEET", L"One-Sheet"}, {L"LPOINTER_DEVICE_PROPERTIES", L"Panels"}},
                                L"One-Sheet Panels"},
                      // No kind text: the title starts with the blank.
                      TitleCase{2, {}, L" Touch Panel Device Properties"},
                      TitleCase{0, kKindLabels, L" Touch Panel Device Properties"}),
    TitleCaseName);

TEST_F(AppletTest, ButtonTextsComeFromLabelsWithBuiltInFallbacks)
{
    DeviceRow device;
    AddProduct(registry, {1, kInstallDir, WriteLabelFile({{L"LOK", L"&Fine"}, {L"LCALIBRATE", L"Cali&brate now"}}), device.name});
    AddDevice(registry, device);
    OPEN_ADVANCED_PAGE();
    EXPECT_EQ(ControlText(sheet, IDOK), L"&Fine");
    EXPECT_EQ(ControlText(sheet, IDC_SHEET_CALIBRATE), L"Cali&brate now");
    EXPECT_EQ(ControlText(sheet, IDCANCEL), L"&Cancel");
    EXPECT_EQ(ControlText(sheet, IDC_SHEET_APPLY), L"&Apply");
    EXPECT_EQ(ControlText(sheet, IDHELP), L"&Help");
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(sheet, IDC_SHEET_CALIBRATE)));
    EXPECT_TRUE(GetWindowLongPtrW(sheet, GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
}

TEST_F(AppletTest, PageCaptionComesFromItsLabelAndIsCutAt129Characters)
{
    DeviceRow device;
    const std::wstring longCaption(200, L'x');
    AddProduct(registry, {1, kInstallDir, WriteLabelFile({{L"LADVANCED_PAGE", longCaption}}), device.name});
    AddDevice(registry, device);
    OPEN_ADVANCED_PAGE();
    EXPECT_EQ(TabCaptions(sheet).at(static_cast<size_t>(CurrentPageIndex(sheet))), longCaption.substr(0, 129));
}

TEST_F(AppletTest, PageCaptionKeepsItsTemplateTextWithoutLabel)
{
    DeviceRow device;
    AddProduct(registry, {1, kInstallDir, WriteLabelFile({}), device.name});
    AddDevice(registry, device);
    OPEN_ADVANCED_PAGE();
    EXPECT_EQ(TabCaptions(sheet).at(static_cast<size_t>(CurrentPageIndex(sheet))), L"Advanced");
}

TEST_F(AppletTest, CalibrateStartsTheCalibrationProgramWithTheDeviceName)
{
    const std::wstring record = MakeTempDir(L"applet-calibrate") + L"\\args.txt";
    SetEnvironmentVariableW(L"TIVEN_RECORD_ARGS", record.c_str());
    const std::wstring program = BinPath(L"CplHost.exe");

    // No device at all: there is no current device name and the button starts nothing.
    AddProduct(registry, {1, kInstallDir, WriteLabelFile({}), L""});
    registry.SetString(kProductKeyPath, L"Calibration Application", program);
    session = std::make_unique<AppletSession>();
    session->OpenAsync();
    sheet = session->WaitSheet();
    ASSERT_NE(sheet, nullptr);
    Click(sheet, IDC_SHEET_CALIBRATE);
    ASSERT_TRUE(session->Close(IDCANCEL));
    session.reset();

    DeviceRow device;
    device.name = L"Front Panel 2";
    AddDevice(registry, device);
    registry.SetString(kProductKeyPath, L"Device Name", device.name);
    OPEN_ADVANCED_PAGE();
    Click(sheet, IDC_SHEET_CALIBRATE);
    std::wstring text;
    EXPECT_TRUE(WaitUntil([&] { return !(text = ReadUtf16File(record)).empty() && text.back() == L'\n'; }));
    SetEnvironmentVariableW(L"TIVEN_RECORD_ARGS", nullptr);
    // One start only, with the device name after the program and a blank.
    EXPECT_EQ(text.find(L'\n'), text.size() - 1) << "recorded: " << std::string(text.begin(), text.end());
    const std::wstring suffix = L" Front Panel 2\n";
    ASSERT_GE(text.size(), suffix.size());
    EXPECT_EQ(text.substr(text.size() - suffix.size()), suffix);
    EXPECT_NE(text.find(L"CplHost.exe"), std::wstring::npos);
}

TEST_F(AppletTest, WithNoControllerLeftTheTabsKeepTheFirstPage)
{
    AddProduct(registry, {1, kInstallDir, WriteLabelFile({}), L""});   // no device keys at all
    session = std::make_unique<AppletSession>();
    session->OpenAsync();
    sheet = session->WaitSheet();
    ASSERT_NE(sheet, nullptr);
    HWND tab = GetDlgItem(sheet, kTabControlId);
    ASSERT_GE(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0), 2);
    ASSERT_EQ(CurrentPageIndex(sheet), 0);
    HWND firstPage = CurrentPage(sheet);

    // The user moves to the next tab: one notice, and the first page stays in front.
    PostMessageW(tab, WM_KEYDOWN, VK_RIGHT, 1);
    MessageBoxInfo box = WaitMessageBox();
    ASSERT_TRUE(box) << "no notice";
    EXPECT_EQ(box.text, L"One or more controllers must be defined");
    EXPECT_EQ(box.caption, L"Touch Panel Device Properties");
    ASSERT_TRUE(DismissMessageBox(box, IDOK));
    // The sheet asks for the first page again by a posted message; once that has been handled,
    // a second notice would be there.
    ASSERT_TRUE(HandledWhatTheSheetPosted(sheet));
    EXPECT_FALSE(OwnWindowTitled(L"Touch Panel Device Properties")) << "the notice came twice";
    EXPECT_EQ(CurrentPageIndex(sheet), 0);
    EXPECT_EQ(CurrentPage(sheet), firstPage);
}

TEST_F(AppletTest, HelpButtonAndF1ReachTheHelpFileWithoutUpsettingTheSheet)
{
    DeviceRow device;
    AddProduct(registry, {1, kInstallDir, WriteLabelFile({}), device.name});
    AddDevice(registry, device);
    registry.SetString(kProductKeyPath, L"Help File Path", MakeTempDir(L"applet-help") + L"\\missing.chm");
    OPEN_ADVANCED_PAGE();
    ASSERT_TRUE(IsWindowVisible(GetDlgItem(sheet, IDHELP)));
    // Each request passes page, application and sheet once and ends in HtmlHelpW; a loop among
    // them would overflow the stack and end the process.
    Click(sheet, IDHELP);
    PostMessageW(page, 0x004D /* WM_KEYF1 */, 0, 0);
    HELPINFO info{sizeof info, HELPINFO_WINDOW, IDC_ADV_SAMPLE_RATE_SLIDER, Control(IDC_ADV_SAMPLE_RATE_SLIDER), 0, {0, 0}};
    SendMessageW(page, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    // Posted after F1, so once it has moved the slider F1 has been handled too.
    PostMessageW(Control(IDC_ADV_SAMPLE_RATE_SLIDER), TBM_SETPOS, TRUE, 42);
    EXPECT_TRUE(WaitUntil([&] { return SliderPos(IDC_ADV_SAMPLE_RATE_SLIDER) == 42; }));
    EXPECT_TRUE(IsWindowVisible(sheet));
    EXPECT_EQ(CurrentPage(sheet), page);
    EXPECT_TRUE(session->Close(IDCANCEL));
}
