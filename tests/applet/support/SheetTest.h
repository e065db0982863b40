#pragma once
// Base of the tests that open the applet's sheet in the test process: a private HKLM (which
// also holds the system's serial port list, read by the applet from there), the stand-in
// drivers reset, and Tunora loaded and opened on its own thread after the test has filled the
// registry. It reads and drives what the pages have alike: their controls, combo boxes and
// lists, the tabs, the sheet's Apply and closing, and the product and device keys.
#include <gtest/gtest.h>

#include <windows.h>
#include <cpl.h>

#include <memory>
#include <string>
#include <vector>

#include "AppletFixture.h"
#include "AppletSession.h"
#include "DriverRequests.h"
#include "ScratchRegistry.h"
#include "resource.h"

namespace applettest {

// The system's list of serial ports, which the applet offers the new-device dialog and the
// Hardware page from.
constexpr wchar_t kSerialPortMap[] = L"HARDWARE\\DEVICEMAP\\SERIALCOMM";

// A row of a list view (the Devices and Status pages' lists).
struct ListRow {
    std::vector<std::wstring> cells;
    bool selected = false;
    int image = -1;
};

// The controls are named by the applet's resource ids (resource.h).
class SheetTest : public ::testing::Test {
protected:
    void SetUp() override;

    // The product key as given and the devices' keys.
    void InstallKeys(const ProductKeyRow& product, const std::vector<DeviceRow>& devices);
    // The product key (controller kind, current device `current`, a label file with `labels`
    // and one entry no page uses, so the file is never empty) and the devices' keys.
    void Install(const std::vector<DeviceRow>& devices, const std::wstring& current, DWORD controllerKind = 1,
                 const Labels& labels = {});
    // The system's serial ports: HARDWARE\DEVICEMAP\SERIALCOMM listing these (none: an empty key).
    void SetPorts(const std::vector<std::wstring>& ports);

    // Loads the applet (once per test), opens its sheet with `openMessage` and activates the
    // page holding the control. Call it through OPEN_SHEET, which stops the test when the sheet
    // or the page does not come and reports the caller's line.
    void OpenSheet(int pageControlId, const char* file, int line, UINT openMessage = CPL_DBLCLK);
    // Opens the sheet on its first page and goes straight to the tab with this caption (a page
    // activated on the way could mark changes of its own); the page goes to `page`. Several
    // pages share control ids, so this finds a page by its tab. Use through SHOW_PAGE.
    void OpenSheetOnTab(const std::wstring& caption, const char* file, int line);
    // Activates the page holding the control; returns it (also in `page`).
    HWND ShowPage(int controlId);
    // The index of the tab with this caption (blanks around it aside), or -1.
    int TabIndex(const std::wstring& caption) const;
    // Closes the sheet with OK or Cancel; the applet stays loaded.
    void Close(int button);
    // Clicks the sheet's Apply and waits until it has been handled; false when it did not
    // return (a question was shown).
    bool ApplySync();
    // Waits until a dialog has gone and the page has finished handling its result.
    bool DialogDone(HWND dialog);
    // Waits until the sheet's thread (the thread of `window`) has handled what was sent and
    // posted to it so far.
    void WaitIdle(HWND window = nullptr) const;

    // Controls of the current page.
    HWND Control(int id) const { return GetDlgItem(page, id); }
    bool Enabled(int id) const { return IsWindowEnabled(Control(id)) != FALSE; }
    bool Visible(int id) const { return IsWindowVisible(Control(id)) != FALSE; }
    bool Checked(int id) const { return SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    int SliderPos(int id) const;
    // The texts of a combo box's items (of the page, or of another window).
    std::vector<std::wstring> ComboItems(int id) const { return ComboItems(page, id); }
    std::vector<std::wstring> ComboItems(HWND parent, int id) const;
    int ComboSelection(int id) const;
    // Chooses the device of that name in the page's device list, as the user would.
    void ChooseDevice(int listId, const std::wstring& name);
    LRESULT DefaultButton() const { return SendMessageW(page, DM_GETDEFID, 0, 0); }
    // The rows of a list view of the current page.
    std::vector<ListRow> Rows(int listId) const;
    std::vector<std::wstring> Names(int listId) const;   // column 1 of every row
    void SelectRow(int listId, int row);
    int SelectedRow(int listId) const;

    // The registry as the applet left it.
    DWORD DeviceValue(const DeviceRow& device, const wchar_t* name) const;
    std::wstring ProductValue(const wchar_t* name) const;
    DWORD ProductDword(const wchar_t* name) const;

    testsupport::ScratchRegistry registry;
    std::unique_ptr<AppletSession> session;   // destroyed before the registry
    HWND sheet = nullptr;
    HWND page = nullptr;
};

}  // namespace applettest

#define OPEN_SHEET(pageControlId) ASSERT_NO_FATAL_FAILURE(OpenSheet(pageControlId, __FILE__, __LINE__))
#define OPEN_SHEET_WITH(pageControlId, openMessage) \
    ASSERT_NO_FATAL_FAILURE(OpenSheet(pageControlId, __FILE__, __LINE__, openMessage))
#define SHOW_PAGE(caption) ASSERT_NO_FATAL_FAILURE(OpenSheetOnTab(caption, __FILE__, __LINE__))
