#pragma once
// The tray program's main object: the main notification-area icon with its popup menu (an
// owner-drawn title, the devices to calibrate and their enabled state, the settings launcher, the
// mode selector, the current device's primary button mode, help, About and Close), the mode-
// toggle icon, the program's paths and labels, and the listener of "TivenTrayIcons", through
// which other programs make it show its icons again or quit after they changed
// "System Tray Icons".
//
// Threads: everything but the listener runs on the window thread, which created the icons. The
// listener reads the product key through a registry object of its own, shows the icons (each
// icon guards itself) or asks the window thread to quit; the program ends when the window
// thread's message loop ends, after this object has stopped every thread and removed the icons.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "DeviceFinder.h"
#include "DeviceRecord.h"
#include "EventThread.h"
#include "Handle.h"
#include "KeyHandle.h"
#include "LabelStore.h"
#include "ModeToggleIcon.h"
#include "NameTable.h"
#include "RegistryKey.h"
#include "TitleMenu.h"
#include "TrayIcon.h"

// One device of the menu, in the order the device keys were found.
struct TrayDeviceEntry {
    std::wstring name;
    bool enabled = false;   // "Controller Enabled" is 1
};

namespace tray {
// Commands of the popup menu.
constexpr UINT kCmdAdjustSettings = 32774;
constexpr UINT kCmdRunSelector = 32775;
constexpr UINT kCmdHelp = 32777;
constexpr UINT kCmdAbout = 32778;
constexpr UINT kCmdClose = 32779;
constexpr UINT kCmdCalibrateFirst = 32800;     // + device position, up to 32900
constexpr UINT kCmdCalibrateLast = 32900;
constexpr UINT kCmdButtonModeBase = 32901;     // + button-mode code 1..13
constexpr UINT kCmdButtonModeLast = 32920;
constexpr UINT kCmdEnabledFirst = 32925;       // + device position; no command behind them
constexpr DWORD kHelpContext = 100101;
}  // namespace tray

class CTrayMenuWnd : public CTrayIcon {
public:
    static constexpr UINT kIconId = 129;

    // Builds the mode-toggle icon (which resets the switch and sends it to every device), reads the
    // paths and loads the labels. No icon is shown yet.
    CTrayMenuWnd();
    // Stops the listener, removes the main icon, then the mode-toggle icon.
    ~CTrayMenuWnd() override;

    // "System Tray Icons" is 1; a missing or unreadable value counts as off.
    bool IsTrayEnabled() const;
    // Adds both icons, starts the "TivenTrayIcons" listener and builds the menu.
    void CreateIcons();
    // Shows both icons again, or quits.
    void ShowOrQuit(bool show);
    // Ends the program from any thread: the window thread's message loop ends with code 0.
    void Quit();

    // The popup menu at the cursor; commands come back as WM_COMMAND.
    bool ShowPopupMenu();
    // "Device Name" of the product key: the device the applet last worked on; empty when missing.
    std::wstring GetCurrentDeviceName();

    // Commands
    void OnAdjustSettings();
    void OnRunSelector();
    void OnAbout();
    void OnCalibrateDevice(UINT id);
    void OnButtonMode(UINT id);
    // Help of the tray program: context 100101 of "Help File Path".
    void WinHelp(DWORD_PTR data, UINT command) override;

    // Attributes
    CModeToggleIcon& ModeToggle() { return modeToggle_; }
    const CLabelStore& Labels() const { return labels_; }
    const std::vector<TrayDeviceEntry>& Devices() const { return devices_; }
    HMENU Menu() const { return titleMenu_.Handle(); }

    // Overridables
    LRESULT OnTrayNotification(WPARAM wp, LPARAM lp) override;
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    void ReadPaths();
    void StartIconsThread();
    void LoadButtonModeLabels();
    void BuildMenu();
    void EnumerateDevices();
    void FillDeviceMenus();
    void MarkCurrentButtonMode();
    bool OnCommand(UINT id);
    bool LaunchProgram(const std::wstring& commandLine);
    static void OnIconsEvent(void* self);

    CRegistryKey productKey_;
    CDeviceFinder deviceFinder_;
    CTitleMenu titleMenu_;
    HMENU calibrateMenu_ = nullptr;
    HMENU buttonModesMenu_ = nullptr;
    HMENU enabledMenu_ = nullptr;
    std::wstring calibrationApp_;
    std::wstring renkaCplApp_;
    std::wstring gesturoApp_;
    CKeyHandle productKeyHandle_;
    CModeToggleIcon modeToggle_;
    CHandle stopEvent_;
    CEventThread iconsEvent_;   // "TivenTrayIcons"
    std::unique_ptr<CDeviceRecord> currentDevice_;
    std::wstring helpFile_;
    std::wstring labelFile_;
    CLabelStore labels_;
    std::vector<TrayDeviceEntry> devices_;
    CNameTable buttonModes_;
};
