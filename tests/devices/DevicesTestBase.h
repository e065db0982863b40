#pragma once
// Base of the Devices and Status page tests: the sheet test's private HKLM (which also holds the
// system's serial port list, read by the applet from there) and helpers for the device list
// and the new-device dialogs.
#include <string>
#include <vector>

#include "SheetTest.h"
#include "StandinClient.h"
#include "TestWindows.h"
#include "resource.h"

namespace devicestest {

// The controls are named by the applet's resource ids (resource.h).
constexpr wchar_t kDialogTitle[] = L"New Pointer Device";
constexpr const wchar_t* kCaption = kPropertiesCaption;
constexpr wchar_t kSerialPortMap[] = L"HARDWARE\\DEVICEMAP\\SERIALCOMM";

struct ListRow {
    std::vector<std::wstring> cells;
    bool selected = false;
    int image = -1;
};

class DevicesTest : public applettest::SheetTest {
protected:
    // Product key (controller kind 1, current device `current`), serial ports, devices.
    void Install(const std::vector<applettest::DeviceRow>& devices, const std::wstring& current,
                 const std::vector<std::wstring>& ports = {L"COM1", L"COM2"}, DWORD controllerKind = 1);
    void SetPorts(const std::vector<std::wstring>& ports);
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

    DWORD pid = GetCurrentProcessId();
};

// The requests with this code that reached either stand-in since the log was cleared.
std::vector<standin::LoggedRequest> Requests(DWORD code);

}  // namespace devicestest

// Opens the sheet on the Devices page.
#define OPEN_DEVICES_PAGE() OPEN_SHEET(IDC_DEV_LIST)
