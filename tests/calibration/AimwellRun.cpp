#include "AimwellRun.h"

#include <cstdio>

#include <gtest/gtest.h>

#include "NamedObjects.h"
#include "TestPaths.h"
#include "TestWindows.h"

using namespace testsupport;

namespace aimwell {

const std::wstring kDeviceKey = L"SYSTEM\\CurrentControlSet\\Services\\RILO\\Parameters\\7";

namespace {
// The centre of the target picture is a red square.
bool RedAt(HDC screen, int x, int y)
{
    return GetPixel(screen, x, y) == RGB(255, 0, 0);
}
}  // namespace

Run::Run(ScratchRegistry& reg) : reg_(reg)
{
    reg_.Own(kDeviceKey);
    reg_.Own(kProductKeyPath);
    reg_.CreateKey(kProductKeyPath);
    EXPECT_TRUE(standin::Reset());
}

void Run::WriteDevice(const DeviceSetup& s)
{
    setup_ = s;
    reg_.SetString(kDeviceKey, L"Device Name", kDeviceName);
    reg_.SetString(kDeviceKey, L"Controller Type", L"Tiven,Zarn,Serial");
    reg_.SetDword(kDeviceKey, L"calflag", s.calFlag);
    reg_.SetDword(kDeviceKey, L"CalibPoint", s.calibPoint);
    reg_.SetDword(kDeviceKey, L"Controller", s.controller);
    reg_.SetDword(kDeviceKey, L"Logical Desktop Segment", s.segment);
    reg_.SetDword(kDeviceKey, L"Calibration Timeout", s.timeout);

    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    RECT segment{};
    if (s.segment == calib::kPrimaryMonitorSegment) {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor);
        segment = monitor.rcMonitor;
    } else {
        calib::DesktopSegmentRect(static_cast<int>(s.segment), desktop, segment);
    }
    layout_ = calib::LayoutTargets(segment, 32, 32, static_cast<int>(s.calibPoint), static_cast<int>(s.calFlag));
}

bool Run::Start(const std::wstring& arguments)
{
    return process_.Start(L"\"" + BinPath(L"Aimwell.exe") + L"\" " + arguments);
}

bool Run::WaitReady()
{
    window_ = WaitForWindow(kCalibrationWindowClass, kCalibrationWindowClass, kDefaultDeadlineMs, process_.Pid());
    if (!window_)
        return false;
    return WaitUntil([] { return standin::GetState(standin::Driver::Rilo, kInstance).calibrationEventRegistered; });
}

int Run::ShownTarget() const
{
    const int n = calib::PointCount(static_cast<int>(setup_.calFlag));
    HDC screen = GetDC(nullptr);
    int shown = -1;
    for (int i = 0; i < n && shown < 0; ++i) {
        const calib::IntPoint p = calib::ScreenPointOf(layout_.targets[i], 32, 32, layout_.segmentLeft, layout_.segmentTop);
        if (RedAt(screen, p.x, p.y))
            shown = i;
    }
    ReleaseDC(nullptr, screen);
    return shown;
}

bool Run::WaitTargetShown(int index, DWORD deadlineMs)
{
    return WaitUntil([&] { return ShownTarget() == index; }, deadlineMs);
}

bool Run::Touch(int index, int32_t x, int32_t y)
{
    if (!WaitTargetShown(index)) {
        ADD_FAILURE() << "target " << index << " not shown (shown: " << ShownTarget() << ")";
        return false;
    }
    const CHandle touchEvent = OpenTouchEvent();
    for (int touch = 0; touch < 2; ++touch) {
        const uint64_t before = LastSequence();
        const standin::EventResult r = standin::InjectTouch(standin::Driver::Rilo, kInstance, x, y);
        if (!r.ok || !r.calibrationEventSet) {
            ADD_FAILURE() << "touch " << index << ": the driver did not set the touch event";
            return false;
        }
        switch (WaitTouchOutcome(touchEvent, before)) {
        case TouchOutcome::Read:
            return true;
        case TouchOutcome::Dropped:
            break;   // touched once more
        case TouchOutcome::Neither:
            ADD_FAILURE() << "touch " << index << ": the program neither read nor dropped it";
            return false;
        }
    }
    ADD_FAILURE() << "touch " << index << ": dropped twice";
    return false;
}

std::string Run::Describe(const CHandle& touchEvent) const
{
    std::string text = process_.Running() ? "running" : "ended";
    text += ", target shown: " + std::to_string(ShownTarget());
    if (touchEvent)
        text += WaitForSingleObject(touchEvent.Get(), 0) == WAIT_OBJECT_0 ? ", touch event set" : ", touch event clear";
    const std::vector<standin::LoggedRequest> log = standin::ReadLog(standin::Driver::Rilo);
    text += ", last requests:";
    for (size_t i = log.size() > 6 ? log.size() - 6 : 0; i < log.size(); ++i) {
        char item[64];
        std::snprintf(item, sizeof item, " #%llu 0x%lx", static_cast<unsigned long long>(log[i].sequence),
                      static_cast<unsigned long>(log[i].code));
        text += item;
    }
    return text;
}

CHandle Run::OpenTouchEvent() { return CHandle(OpenEventW(SYNCHRONIZE, FALSE, kCalibrationEvent)); }

Run::TouchOutcome Run::WaitTouchOutcome(const CHandle& touchEvent, uint64_t before) const
{
    return WaitTouchOutcome(touchEvent, before, nullptr);
}

Run::TouchOutcome Run::WaitTouchOutcome(const CHandle& touchEvent, uint64_t before,
                                        const std::function<bool()>& movedOn) const
{
    // The program closes the event once it has its last touch, while it still stores the
    // result: a touch of an earlier burst may have been that one.
    if (!touchEvent)
        return movedOn && WaitUntil(movedOn) ? TouchOutcome::Read : TouchOutcome::Neither;
    TouchOutcome outcome = TouchOutcome::Neither;
    WaitUntil([&] {
        const bool cleared = WaitForSingleObject(touchEvent.Get(), 0) == WAIT_TIMEOUT;
        if (PointReadsAfter(before) > 0 || (movedOn && movedOn()))
            outcome = TouchOutcome::Read;
        else if (cleared)
            outcome = TouchOutcome::Dropped;
        return outcome != TouchOutcome::Neither;
    });
    return outcome;
}

uint64_t Run::LastSequence() const
{
    uint64_t last = 0;
    for (const standin::LoggedRequest& r : standin::ReadLog(standin::Driver::Rilo))
        last = std::max(last, r.sequence);
    return last;
}

size_t Run::PointReadsAfter(uint64_t sequence) const
{
    size_t count = 0;
    for (const standin::LoggedRequest& r : standin::ReadLog(standin::Driver::Rilo))
        count += r.code == standin::ioctl::kGetCalibrationPoint && r.sequence > sequence;
    return count;
}

bool Run::WaitExit(DWORD deadlineMs)
{
    DWORD code = 1234;
    if (!process_.WaitExit(code, deadlineMs))
        return false;
    EXPECT_EQ(code, 0u);
    return true;
}

std::vector<standin::LoggedRequest> Run::Requests(DWORD code) const
{
    return standin::Select(standin::ReadLog(), standin::Driver::Rilo, kInstance, code);
}

bool Run::AllZero(const standin::LoggedRequest& r)
{
    for (uint8_t b : r.input)
        if (b != 0)
            return false;
    return true;
}

}  // namespace aimwell
