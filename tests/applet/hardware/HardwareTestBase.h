#pragma once
// Base of the Hardware page tests: the product key, one device, the system's serial-port list,
// the sheet opened on the Hardware page, and helpers that follow its tools and find their
// dialogs and prompts. The applet runs on its own thread, so a tool
// that blocks it (a serial exchange) is started with a posted click and followed through the
// boxes and windows it shows.
#include <windows.h>

#include <string>
#include <vector>

#include "SerialSim.h"
#include "SheetTest.h"
#include "StandinClient.h"
#include "TestWindows.h"
#include "resource.h"

namespace applettest {

// The caption of the applet's own message boxes (the application's name).
constexpr wchar_t kAppCaption[] = L"Tunora";

class HardwareTest : public SheetTest {
protected:
    // The product key with this controller kind and a label file, the device as current device,
    // and HARDWARE\DEVICEMAP\SERIALCOMM listing `ports` (none: the key is left out).
    void Prepare(const testsupport::DeviceRow& device, DWORD controllerKind,
                 const std::vector<std::wstring>& ports = {L"COM2"}, const Labels& labels = {});
    // Opens the sheet and activates the Hardware page (through OPEN_HARDWARE_PAGE).
    void OpenHardwarePage(const char* file, int line);

    // The selected entry's text, or "(none)".
    std::wstring ComboSelectionText(HWND parent, int id) const;

    // Presses a button without waiting for its handler: the tools block the applet's thread.
    void Press(HWND parent, int id) const { testsupport::ClickControl(parent, id); }
    // Waits until the page's tools are back (all four enabled again after a tool).
    bool WaitToolsBack() const;

    // A dialog of this process with this title, or null at the deadline.
    HWND WaitDialog(const std::wstring& title, DWORD deadlineMs = testsupport::kDefaultDeadlineMs) const;

    // The device's disable and enable requests in order: "D" and "E", one letter each.
    std::string DisableEnableTrail(const testsupport::DeviceRow& device) const;
};

// The timed "Touch Here" prompt of this process (a dialog whose OK button reads so), or null.
HWND FindTimedPrompt();
// The text of a control read without a message, so it works while the applet's thread is busy
// on the serial port.
std::wstring TextWithoutMessage(HWND control);

// A Hardware page test with the simulated serial controller behind COM2, started afresh.
class SerialToolsTest : public HardwareTest {
protected:
    void SetUp() override;
    // The one-sheet serial device on COM2 that the serial tools talk to.
    testsupport::DeviceRow SerialDevice() const;
    testsupport::SerialSim sim;
};

}  // namespace applettest

#define OPEN_HARDWARE_PAGE() ASSERT_NO_FATAL_FAILURE(OpenHardwarePage(__FILE__, __LINE__))
