// The pure parts of the clone and dump files and of the licence text, from tables of cases.
#include <gtest/gtest.h>

#include "AgreementTextDlg.h"
#include "DeviceSettings.h"
#include "LabelKeys.h"
#include "LabelStore.h"
#include "NameTable.h"
#include "SettingsClone.h"
#include "SettingsDump.h"

namespace {
using O = CloneOutcome;

struct CloneCase {
    O serial;
    O usb;
    const wchar_t* text;
};

constexpr wchar_t kCloned[] = L"The current configuration has been cloned to the following file(s)";
constexpr wchar_t kNotCloned[] = L"The current configuration could not be saved to the following file(s)";
}  // namespace

TEST(CloneMessage, NamesTheFilesSavedAndThenTheFilesNotSaved)
{
    const std::wstring cloned = kCloned, notCloned = kNotCloned;
    const std::wstring meka = L"\n MEKA  : D:\\Tiven\\MEKAClone.Dat", rilo = L"\n RILO  : D:\\Tiven\\RILOClone.Dat";
    const struct {
        O serial, usb;
        std::wstring text;
    } cases[] = {
        {O::NoKey, O::NoKey, L"Device settings not found in the registry"},
        {O::Saved, O::Saved, cloned + meka + rilo},
        {O::Saved, O::NoKey, cloned + rilo},
        {O::NoKey, O::Saved, cloned + meka},
        {O::SaveFailed, O::Saved, cloned + meka + L"\n\n" + notCloned + rilo},
        {O::Saved, O::SaveFailed, cloned + rilo + L"\n\n" + notCloned + meka},
        {O::SaveFailed, O::SaveFailed, notCloned + meka + rilo},
        {O::NoKey, O::SaveFailed, notCloned + meka},
    };
    CLabelStore none;
    for (const auto& c : cases) {
        CloneResult result;
        result.serialPath = L"D:\\Tiven\\RILOClone.Dat";
        result.usbPath = L"D:\\Tiven\\MEKAClone.Dat";
        result.serial = c.serial;
        result.usb = c.usb;
        EXPECT_EQ(CloneMessage(result, none), c.text)
            << "serial " << static_cast<int>(c.serial) << ", USB " << static_cast<int>(c.usb);
        EXPECT_EQ(result.AnySaveFailed(), c.serial == O::SaveFailed || c.usb == O::SaveFailed);
    }
}

TEST(CloneMessage, TheHeadingComesFromItsLabel)
{
    CLabelStore labels;
    labels.Insert(LabelKey::LGEN_CLONE_SETTINGS, L"Gesichert in:");
    CloneResult result;
    result.serialPath = SerialClonePath(L"C:\\Program Files\\Tiven");
    result.usbPath = UsbClonePath(L"C:\\Program Files\\Tiven");
    result.serial = O::Saved;
    EXPECT_EQ(CloneMessage(result, labels), L"Gesichert in:\n RILO  : C:\\Program Files\\Tiven\\RILOClone.Dat");
    EXPECT_EQ(result.usbPath, L"C:\\Program Files\\Tiven\\MEKAClone.Dat");
}

TEST(SettingsDump, TheHeaderCarriesTheTimeUnpaddedAndEachPieceItsNul)
{
    SYSTEMTIME time{};
    time.wDay = 5;
    time.wMonth = 3;
    time.wYear = 2024;
    time.wHour = 7;
    time.wMinute = 8;
    time.wSecond = 0;
    time.wMilliseconds = 45;
    CSettingsDump dump;
    dump.AddHeader(time, L"Windows_NT");
    const std::wstring expected = std::wstring(L"\tTIVEN TOUCH PANEL DEVICE DRIVER(MAVO) SETTINGS\n\n") + L'\0' +
                                  L"System Time\t\t5-3-2024   7:8:0:45\n" + L'\0' + L"Operating System\tWindows_NT\n" +
                                  L'\0' + L"\nDump of driver parameter tree(s) follows\n" + L'\0';
    EXPECT_EQ(dump.Text(), expected);
}

TEST(SettingsDump, IndicesWithoutANameShowAsNumbers)
{
    CDeviceSettings record;
    record.SetDefaults(L"C:\\Tiven", 1);
    record.Str_DeviceName = L"Odd";
    record.ControllerProtocol = L"tiven usb";   // not the serial text: the USB driver's key
    record.Str_SubKey = L"4";
    record.Str_DesktopSegment = 16;
    record.dwPrimaryButtonMode = 13;
    record.dwSecondaryButtonMode = 0xFFFFFFFF;
    CSettingsDump dump;
    DumpDeviceSettings(dump, record, MakeSegmentNames(), MakeButtonModeNames());
    const std::wstring& text = dump.Text();
    EXPECT_EQ(text.find(L"\n\nHKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\MEKA\\Parameters\\4  \n"), 0u);
    EXPECT_NE(text.find(std::wstring(L"Logical Desktop Segment  \t- 16\n") + L'\0'), std::wstring::npos);
    EXPECT_NE(text.find(std::wstring(L"Primary Button Mode  \t\t- 13\n") + L'\0'), std::wstring::npos);
    EXPECT_NE(text.find(std::wstring(L"Secondary Button Mode  \t- -1\n") + L'\0'), std::wstring::npos);
    // The key line and 24 value lines, each a piece of its own.
    EXPECT_EQ(std::count(text.begin(), text.end(), L'\0'), 25);
}

TEST(SettingsDump, EnvironmentTextsOfAnyLengthAreExpandedWhole)
{
    const std::wstring longValue(3000, L'v');
    SetEnvironmentVariableW(L"TIVEN_DUMP_TEST", longValue.c_str());
    EXPECT_EQ(ExpandEnvironment(L"<%TIVEN_DUMP_TEST%>"), L"<" + longValue + L">");
    SetEnvironmentVariableW(L"TIVEN_DUMP_TEST", nullptr);
    EXPECT_EQ(ExpandEnvironment(L"%TIVEN_DUMP_TEST%"), L"%TIVEN_DUMP_TEST%");
    EXPECT_EQ(ExpandEnvironment(L""), L"");
}

TEST(AgreementText, LineFeedsBecomeTheEditsLineBreaks)
{
    const struct {
        const wchar_t* label;
        const wchar_t* shown;
    } cases[] = {
        {L"", L""},
        {L"one line", L"one line"},
        {L"a\nb\nc", L"a\r\nb\r\nc"},
        {L"\nstarts and ends\n", L"\r\nstarts and ends\r\n"},
        {L"a\n\nb", L"a\r\n\r\nb"},
        {L"already\r\nbroken\nmixed", L"already\r\nbroken\r\nmixed"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WithEditLineBreaks(c.label), c.shown);
}
