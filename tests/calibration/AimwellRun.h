#pragma once
// Drives Aimwell for one test: a serial device key in the prefix registry, the program started
// for it, its targets watched on the screen and touched through the stand-in driver.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "DeviceKeys.h"
#include "Handle.h"
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
    // Waits until the target is shown, then touches the panel with this raw point, and waits until
    // the program has read the touch's point. The touch thread resets the touch event after each
    // touch it handled, so a touch that reaches the driver before that reset is dropped unread
    // (the target stays up); such a touch is seen as the event cleared with no point read, and
    // the panel is touched once more, as a user would.
    bool Touch(int index, int32_t x, int32_t y);
    bool WaitExit(DWORD deadlineMs = testsupport::kDefaultDeadlineMs);
    // What became of the touches made since the stand-in's request `before` (LastSequence):
    // the program read a point, or the thread's reset dropped them unread, or neither came
    // within the deadline. The event is looked at before the log: the program clears it only
    // after its read, which is logged by then.
    // `touchEvent` is the program's event, opened before the touches (OpenTouchEvent) and closed
    // after: held longer, it would outlive the program's own handle.
    enum class TouchOutcome { Read, Dropped, Neither };
    TouchOutcome WaitTouchOutcome(const CHandle& touchEvent, uint64_t before) const;
    // The same, and Read as well once `movedOn` holds: the program went on to the next target or
    // ended, having taken a touch the test cannot tell apart (one of an earlier burst that came
    // after the target was up); so too when the event could not be opened because the program,
    // having taken its last touch that way, has closed it.
    TouchOutcome WaitTouchOutcome(const CHandle& touchEvent, uint64_t before,
                                  const std::function<bool()>& movedOn) const;
    static CHandle OpenTouchEvent();
    // What the run looks like now, for a failure message: whether the program runs, the target
    // on the screen, whether the touch event is set, and the stand-in's last requests.
    std::string Describe(const CHandle& touchEvent) const;
    // The stand-in's newest request so far, and the point reads logged after it.
    uint64_t LastSequence() const;
    size_t PointReadsAfter(uint64_t sequence) const;
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
