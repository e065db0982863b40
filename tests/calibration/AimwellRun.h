#pragma once
// Drives Aimwell for one test: a serial device key in the prefix registry, the program started
// for it, its targets watched on the screen and touched through the stand-in driver.
#include <windows.h>

#include <string>
#include <vector>

#include "DeviceKeys.h"
#include "ScratchRegistry.h"
#include "StandinClient.h"
#include "TargetLayout.h"
#include "TestProcess.h"

namespace aimwell {

constexpr unsigned kInstance = 7;
constexpr wchar_t kDeviceName[] = L"Calib Panel 7";
extern const std::wstring kDeviceKey;

struct DeviceSetup {
    DWORD calFlag = 9;
    DWORD calibPoint = 1;
    DWORD controller = 1;
    DWORD segment = 0;
    DWORD timeout = 60;
};

class Run {
public:
    // Owns the product key and the device key (deleted now and at the end) and resets the
    // stand-ins.
    explicit Run(testsupport::ScratchRegistry& reg);

    void WriteDevice(const DeviceSetup& setup);
    // Starts Aimwell with the given text after its path.
    bool Start(const std::wstring& arguments);
    // Waits for the calibration window and for the event hand-over to the driver.
    bool WaitReady();
    // The target at this index is drawn and the one before it is gone.
    bool WaitTargetShown(int index, DWORD deadlineMs = testsupport::kDefaultDeadlineMs);
    // Index of the target drawn now, or -1.
    int ShownTarget() const;
    // Waits until the target is shown, then touches the panel with this raw point.
    bool Touch(int index, int32_t x, int32_t y);
    bool WaitExit(DWORD deadlineMs = testsupport::kDefaultDeadlineMs);
    HWND Window() const { return window_; }
    testsupport::TestProcess& Process() { return process_; }
    const calib::TargetLayout& Layout() const { return layout_; }

    // Requests with this code that reached the device, and how many of them were all zeros.
    std::vector<standin::LoggedRequest> Requests(DWORD code) const;
    static bool AllZero(const standin::LoggedRequest& r);

private:
    testsupport::ScratchRegistry& reg_;
    testsupport::TestProcess process_;
    DeviceSetup setup_;
    calib::TargetLayout layout_;
    HWND window_ = nullptr;
};

}  // namespace aimwell
