#pragma once
// Base of the Devices and Status page tests: a private HKLM (also holding the system's serial
// port list, which the applet reads from there), the stand-in drivers reset, and Tunora loaded
// and opened on its own thread after the test has filled the registry.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "AppletFixture.h"
#include "AppletSession.h"
#include "ScratchRegistry.h"
#include "StandinClient.h"
#include "TestWindows.h"

namespace devicestest {

// Control ids of the pages and dialogs under test.
constexpr int kDeviceList = 1025;
constexpr int kAddButton = 1006;
constexpr int kModifyButton = 1007;
constexpr int kRemoveButton = 1059;
constexpr int kStatusList = 1026;
constexpr int kReinitializeButton = 1049;
constexpr int kTypeList = 1014;
constexpr int kPortList = 1120;
constexpr int kNextButton = 1060;
constexpr int kNameEdit = 1009;
constexpr int kSegmentCombo = 1001;
constexpr int kApplyButton = 0x3021;

constexpr wchar_t kDialogTitle[] = L"New Pointer Device";
constexpr wchar_t kCaption[] = L"Touch Panel Device Properties";
constexpr wchar_t kSerialPortMap[] = L"HARDWARE\\DEVICEMAP\\SERIALCOMM";

struct ListRow {
    std::vector<std::wstring> cells;
    bool selected = false;
    int image = -1;
};

class DevicesTest : public ::testing::Test {
protected:
    void SetUp() override;

    // Product key (controller kind 1, current device `current`), serial ports, devices.
    void Install(const std::vector<applettest::DeviceRow>& devices, const std::wstring& current,
                 const std::vector<std::wstring>& ports = {L"COM1", L"COM2"}, DWORD controllerKind = 1);
    void SetPorts(const std::vector<std::wstring>& ports);
    // Loads the applet (once) and opens its sheet on the Devices page.
    void Open();
    // Closes the sheet with OK or Cancel; the applet stays loaded.
    void Close(int button);
    // The index of the tab whose caption starts with the text, or -1.
    int TabIndex(const std::wstring& captionStart) const;
    // Activates the page holding the control; returns it.
    HWND ShowPage(int controlId);

    // The rows of a list on the current page.
    std::vector<ListRow> Rows(int listId) const;
    std::vector<std::wstring> Names(int listId) const;   // column 1 of every row
    void SelectRow(int listId, int row);
    int SelectedRow(int listId) const;

    // Add: clicks Add and waits for the type dialog.
    HWND StartAdd();
    // Presses Next in the type dialog and waits for the name dialog.
    HWND NextToNameDialog(HWND typeDialog);
    // Fills the name dialog, presses OK and waits until it has gone (or, when `expectBox`, for
    // the message box it causes).
    void AcceptName(HWND nameDialog, const std::wstring& name, int segment);
    // A name or type dialog of this process (the one with the control).
    HWND WaitDialogWith(int controlId, HWND other = nullptr);
    testsupport::MessageBoxInfo WaitBox();
    // Clicks the sheet's Apply and waits until it has been handled; false when it did not
    // return (a question was shown).
    bool ApplySync();
    // Waits until a dialog has gone and the page has finished handling its result.
    bool DialogDone(HWND dialog);
    // Waits until the sheet's thread has finished what it was doing.
    void WaitIdle();

    std::wstring ProductValue(const wchar_t* name) const;
    std::vector<standin::LoggedRequest> Log() const { return standin::ReadLog(); }

    testsupport::ScratchRegistry registry;
    std::unique_ptr<applettest::AppletSession> session;   // destroyed before the registry
    HWND sheet = nullptr;
    HWND page = nullptr;
    DWORD pid = GetCurrentProcessId();
};

// The requests with this code that reached either stand-in since the log was cleared.
std::vector<standin::LoggedRequest> Requests(DWORD code);

applettest::DeviceRow Serial(int instance, const std::wstring& name);
applettest::DeviceRow Usb(int instance, const std::wstring& name);

}  // namespace devicestest
