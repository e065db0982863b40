#pragma once
// The tray program and the mode selector under test, each in its own process, against the
// prefix's registry and the stand-in drivers: three devices (serial "Front Panel" and "Side
// Panel", USB "Desk Pad"), the product key with label files, and helpers that find the programs'
// icons and windows, drive them with their own messages and read what reached the devices.
#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "ScratchRegistry.h"
#include "StandinClient.h"
#include "TestProcess.h"

// Sizes of windows and pictures in assertions.
inline bool operator==(SIZE a, SIZE b) { return a.cx == b.cx && a.cy == b.cy; }
inline std::ostream& operator<<(std::ostream& out, SIZE s) { return out << s.cx << " x " << s.cy; }

namespace traytest {

constexpr UINT kCallbackMessage = 0x800A;
constexpr UINT kMainIconId = 129;
constexpr UINT kModeIconId = 0;
constexpr DWORD kUsePrimary = standin::ioctl::kUsePrimaryMode;
constexpr DWORD kUseSecondary = standin::ioctl::kUseSecondaryMode;

// One device of the tests.
struct TestDevice {
    standin::Driver driver;
    unsigned instance;
    const wchar_t* name;
    DWORD enabled;
    DWORD primaryMode;
};
// In the order the programs find them: serial devices first.
extern const TestDevice kDevices[3];

// Label entries (key, text) of a label file.
using Labels = std::vector<std::pair<std::wstring, std::wstring>>;
// Writes a label file with these entries into a fresh folder; returns its path.
std::wstring WriteLabelFile(const Labels& labels);

// True when the notification area holds the icon (window, id): a change of nothing succeeds only
// for an icon that is there.
bool IconPresent(HWND window, UINT id);
// The hidden icon windows of a process (each icon has its own).
std::vector<HWND> IconWindows(DWORD pid);

class TrayTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Product-key values.
    void SetProduct(const wchar_t* name, DWORD value);
    void SetProduct(const wchar_t* name, const std::wstring& text);
    DWORD ProductDword(const wchar_t* name) const;

    // Beaconet: starts it; waits until both icons are shown and knows their windows.
    bool StartBeaconet();
    bool WaitBeaconetReady();
    HWND MainIconWindow() const { return mainIcon_; }
    HWND ModeIconWindow() const { return modeIcon_; }
    bool MainIconShown() const { return IconPresent(mainIcon_, kMainIconId); }
    bool ModeIconShown() const { return IconPresent(modeIcon_, kModeIconId); }
    // Sends the icon's callback message with this mouse message and returns once it is handled.
    bool NotifyIcon(HWND window, UINT id, UINT mouseMessage);
    // Opens the main icon's menu (a right click) and returns the menu window.
    HWND OpenMenu();
    // Chooses an item of the open menu: `fromBottom` items up from its end (1 = the last), then,
    // for a submenu, its item `subItem` (0 = the first).
    bool ChooseMenuItem(int fromBottom, int subItem = -1);
    // Ends Beaconet the way other programs do: "System Tray Icons" = 0 and "TivenTrayIcons" set.
    bool QuitBeaconet(DWORD* exitCode = nullptr);
    // Sets "TivenTrayIcons" as another program does after writing "System Tray Icons".
    static void SignalTrayIcons();
    // Takes both icons out of the notification area behind Beaconet's back.
    void RemoveBothIcons() const;

    // Gesturo: starts it and waits for its dialog.
    bool StartGesturo();
    HWND GesturoWindow() const { return gesturoWindow_; }
    // Clicks the picture and returns once the click is handled.
    bool ClickPicture();
    bool SysCommand(UINT id);
    SIZE PictureSize() const;
    SIZE GesturoSize() const;
    bool CloseGesturo();

    // Requests of one code to a device since the log was cleared.
    static std::vector<standin::LoggedRequest> Requests(const TestDevice& device, DWORD code);
    // Waits until every test device has received `count` requests of this code.
    static bool WaitEveryDevice(DWORD code, size_t count, DWORD deadlineMs = testsupport::kDefaultDeadlineMs);
    static std::string Log();
    // The log holds exactly one primary request (byte 0) for each device, in the devices' order.
    static void ExpectOnePrimaryEach();

    testsupport::ScratchRegistry reg{testsupport::ScratchRegistry::RealPrefix};
    testsupport::TestProcess beaconet;
    testsupport::TestProcess gesturo;
    std::wstring labelDir;

private:
    HWND mainIcon_ = nullptr;
    HWND modeIcon_ = nullptr;
    HWND gesturoWindow_ = nullptr;
};

}  // namespace traytest
