#pragma once
// Base of the General page tests: the sheet in this process with a private HKLM, an install
// folder of its own on disk (the clone files go there), and helpers for the page's buttons (the
// hidden Dump settings button is pressed by message) and the boxes and files they make.
#include <string>
#include <vector>

#include "NewDeviceDialogs.h"
#include "SheetTest.h"
#include "TestPaths.h"
#include "TestWindows.h"

namespace generaltest {

using applettest::DeviceRow;
using applettest::Labels;

class GeneralTest : public applettest::SheetTest {
protected:
    // Product key (install folder `installDir`, label file with `labels`, current device the
    // first one), the devices and the serial ports COM1 and COM2.
    void InstallDevices(const std::vector<DeviceRow>& devices, const Labels& labels = {});
    // Opens the sheet and shows the General page.
    void OpenGeneralPage(const char* file, int line);

    // Posts the page a click of its button, as the button itself would; returns at once. Works
    // for a hidden or disabled button too.
    void PressByMessage(int id) const;
    // Presses the button by message and waits for the message box it shows.
    testsupport::MessageBoxInfo PressForBox(int id);

    std::wstring installDir = testsupport::MakeTempDir(L"Tiven install");
};

// The bytes of a file, or an empty vector when it cannot be read.
std::vector<char> FileBytes(const std::wstring& path);
bool FileExists(const std::wstring& path);

}  // namespace generaltest

#define OPEN_GENERAL_PAGE() ASSERT_NO_FATAL_FAILURE(OpenGeneralPage(__FILE__, __LINE__))
