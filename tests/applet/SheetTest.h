#pragma once
// Base of the tests that open the applet's sheet in the test process: a private HKLM, the
// stand-in drivers reset, and Tunora loaded and opened on its own thread after the test has
// filled the registry.
#include <gtest/gtest.h>

#include <windows.h>
#include <cpl.h>

#include <memory>

#include "AppletFixture.h"
#include "AppletSession.h"
#include "ScratchRegistry.h"

namespace applettest {

class SheetTest : public ::testing::Test {
protected:
    void SetUp() override;

    // Loads the applet (once per test), opens its sheet with `openMessage` and activates the
    // page holding the control. Call it through OPEN_SHEET, which stops the test when the sheet
    // or the page does not come and reports the caller's line.
    void OpenSheet(int pageControlId, const char* file, int line, UINT openMessage = CPL_DBLCLK);
    HWND Control(int id) const { return GetDlgItem(page, id); }

    testsupport::ScratchRegistry registry;
    std::unique_ptr<AppletSession> session;   // destroyed before the registry
    HWND sheet = nullptr;
    HWND page = nullptr;
};

}  // namespace applettest

#define OPEN_SHEET(pageControlId) ASSERT_NO_FATAL_FAILURE(OpenSheet(pageControlId, __FILE__, __LINE__))
#define OPEN_SHEET_WITH(pageControlId, openMessage) \
    ASSERT_NO_FATAL_FAILURE(OpenSheet(pageControlId, __FILE__, __LINE__, openMessage))
