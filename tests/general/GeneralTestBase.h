#pragma once
// Base of the General and About page tests: the sheet in this process with a private HKLM, an
// install folder of its own on disk (the clone files go there), and helpers for the page's check
// boxes, its buttons (the hidden Dump settings button is pressed by message) and the boxes they
// show.
#include <string>
#include <vector>

#include "AppletFixture.h"
#include "DevicesTestBase.h"
#include "TestPaths.h"

namespace generaltest {

using applettest::DeviceRow;
using applettest::Labels;

// A control whose text a label replaces: its id, the label key and the template's text (null:
// any text that is not empty).
struct LabelledText {
    int id;
    const wchar_t* key;
    const wchar_t* builtIn;
};
// Labels that give each control the text "Label of <key>".
Labels LabelsFor(const std::vector<LabelledText>& texts);
// Each control shows its label text (`labelled`) or its template text.
void ExpectTexts(HWND page, const std::vector<LabelledText>& texts, bool labelled);

class GeneralTest : public devicestest::DevicesTest {
protected:
    // Product key (install folder `installDir`, label file with `labels`, current device the
    // first one) and the devices.
    void InstallDevices(const std::vector<DeviceRow>& devices, const Labels& labels = {});
    // Opens the sheet and shows the General page (or the About page).
    void OpenGeneralPage(const char* file, int line);
    void OpenAboutPage(const char* file, int line);

    bool Checked(int id) const;
    bool Enabled(int id) const { return IsWindowEnabled(GetDlgItem(page, id)) != FALSE; }
    // Posts the page a click of its button, as the button itself would; returns at once. Works
    // for a hidden or disabled button too.
    void PressByMessage(int id) const;
    // Presses the button by message and waits for the message box it shows.
    testsupport::MessageBoxInfo PressForBox(int id);
    DWORD ProductDword(const wchar_t* name) const { return registry.Read(kProductKeyPath, name).AsDword(); }
    bool ProductHas(const wchar_t* name) const { return registry.Read(kProductKeyPath, name).present; }

    std::wstring installDir = testsupport::MakeTempDir(L"Tiven install");
};

// The bytes of a file, or an empty vector when it cannot be read.
std::vector<char> FileBytes(const std::wstring& path);
bool FileExists(const std::wstring& path);

}  // namespace generaltest

#define OPEN_GENERAL_PAGE() ASSERT_NO_FATAL_FAILURE(OpenGeneralPage(__FILE__, __LINE__))
#define OPEN_ABOUT_PAGE() ASSERT_NO_FATAL_FAILURE(OpenAboutPage(__FILE__, __LINE__))
