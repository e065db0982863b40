// Aimwell's ways out other than a completed run: Escape, the time-out, touches that admit no
// correction, a second instance and an unknown device. Each leaves the driver with the run's
// neutral record and the device key without calibration values; once one way has ended the
// run, every other way that comes later does nothing.
#include <gtest/gtest.h>

#include "AimwellRun.h"
#include "GridCases.h"
#include "NamedObjects.h"
#include "TestPaths.h"
#include "TestWindows.h"

using namespace testsupport;
using aimwell::kDeviceKey;

namespace {

// Every request of this code was the all-zero end-of-run record of `size` bytes, and at least one came.
void ExpectOnlyNeutralRecords(aimwell::Run& run, DWORD code, DWORD size)
{
    const auto records = run.Requests(code);
    ASSERT_FALSE(records.empty()) << "no end-of-run record";
    for (const auto& r : records) {
        EXPECT_EQ(r.inputSize, size) << standin::Describe(r);
        EXPECT_TRUE(aimwell::Run::AllZero(r)) << standin::Describe(r);
    }
}

// The time-out of the runs below (the default, and the stored 10): its box is waited for from when
// it is due, with the usual deadline.
constexpr DWORD kTimeOutMs = 10000;

}  // namespace

TEST(AimwellEnd, EscapeDuringATwentyFivePointRunSendsTheNeutralRecord)
{
    ScratchRegistry reg(ScratchRegistry::RealPrefix);
    aimwell::Run run(reg);
    run.WriteDevice({25, 1, 1, 0, 60});
    ASSERT_TRUE(run.Start(aimwell::kDeviceName));
    ASSERT_TRUE(run.WaitReady());
    ASSERT_TRUE(run.Touch(0, 100, 100));
    ASSERT_TRUE(run.Touch(1, 200, 100));
    ASSERT_TRUE(run.WaitTargetShown(2));
    PostMessageW(run.Window(), WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(run.WaitExit());
    ExpectOnlyNeutralRecords(run, standin::ioctl::kCalibration25Point, 632);
    EXPECT_FALSE(reg.Read(kDeviceKey, L"MidX").present);
}

TEST(AimwellEnd, TimeOutShowsItsBoxAndEndsTheRun)
{
    ScratchRegistry reg(ScratchRegistry::RealPrefix);
    aimwell::Run run(reg);
    // Two seconds is below what the applet offers (10..60): the default of 10 seconds holds.
    run.WriteDevice({9, 1, 1, 0, 2});
    ASSERT_TRUE(run.Start(aimwell::kDeviceName));
    ASSERT_TRUE(run.WaitReady());
    MessageBoxInfo box = WaitForMessageBox(kTimeOutMs + kDefaultDeadlineMs, run.Process().Pid());
    ASSERT_TRUE(box);
    EXPECT_EQ(box.text, L"Calibration time out");
    EXPECT_EQ(box.caption, L"MAVO Calibration");
    ExpectOnlyNeutralRecords(run, standin::ioctl::kCalibration9Point, 232);
    // The time-out's length as the program keeps it, from the driver's arrival times: from the
    // touch event's registration (the time-out's clock runs by then) to the time-out's restore,
    // which comes before the box; how long the box then takes to show is not part of it.
    const auto registered = run.Requests(standin::ioctl::kSetCalibrationEvent);
    const auto restored = run.Requests(standin::ioctl::kCalibration9Point);
    ASSERT_EQ(registered.size(), 1u);
    ASSERT_EQ(restored.size(), 1u);
    const int64_t frequency = standin::TimestampFrequency(standin::Driver::Rilo);
    ASSERT_GT(frequency, 0);
    const int64_t timedOutMs = (restored[0].timestamp - registered[0].timestamp) * 1000 / frequency;
    EXPECT_GE(timedOutMs, 9000);
    EXPECT_LE(timedOutMs, 12500);

    // The restore has stopped the touch thread while the program still runs: the touch event is
    // closed, and a touch reaches nobody.
    ASSERT_TRUE(run.Process().Running());
    EXPECT_FALSE(NamedEventExists(kCalibrationEvent));
    const standin::EventResult touch = standin::InjectTouch(standin::Driver::Rilo, aimwell::kInstance, 10, 10);
    EXPECT_TRUE(touch.ok);
    EXPECT_FALSE(touch.calibrationEventSet);
    EXPECT_TRUE(run.Requests(standin::ioctl::kGetCalibrationPoint).empty());

    ASSERT_TRUE(DismissMessageBox(box, IDOK));
    ASSERT_TRUE(run.WaitExit());
}

TEST(AimwellEnd, OnceTheTimeOutHasEndedTheRunNoOtherWayEndsItAgain)
{
    ScratchRegistry reg(ScratchRegistry::RealPrefix);
    aimwell::Run run(reg);
    run.WriteDevice({4, 1, 1, 0, 10});
    ASSERT_TRUE(run.Start(aimwell::kDeviceName));
    ASSERT_TRUE(run.WaitReady());
    for (int k = 0; k < 3; ++k)
        ASSERT_TRUE(run.Touch(k, 100 + k, 200 + k));
    ASSERT_TRUE(run.WaitTargetShown(3));
    MessageBoxInfo box = WaitForMessageBox(kTimeOutMs + kDefaultDeadlineMs, run.Process().Pid());
    ASSERT_TRUE(box);
    ASSERT_EQ(box.text, L"Calibration time out");
    ASSERT_EQ(run.Requests(standin::ioctl::kCalibration4Point).size(), 1u) << "the time-out's restore";

    // While the time-out's box is up: the last target's touch (as the touch thread would have
    // handed it over just before the restore stopped it), Escape and a close of the window.
    // Each is handled, and none stores, restores again or ends the program.
    DWORD_PTR answer = 0;
    const HWND window = run.Window();
    EXPECT_TRUE(SendMessageTimeoutW(window, WM_USER + 2, 4, 0, SMTO_NORMAL, kDefaultDeadlineMs, &answer));
    EXPECT_TRUE(SendMessageTimeoutW(window, WM_KEYDOWN, VK_ESCAPE, 0, SMTO_NORMAL, kDefaultDeadlineMs, &answer));
    EXPECT_TRUE(SendMessageTimeoutW(window, WM_CLOSE, 0, 0, SMTO_NORMAL, kDefaultDeadlineMs, &answer));
    EXPECT_TRUE(run.Process().Running()) << "the program ended under the time-out's box";
    ExpectOnlyNeutralRecords(run, standin::ioctl::kCalibration4Point, 80);
    EXPECT_EQ(run.Requests(standin::ioctl::kCalibration4Point).size(), 1u) << "one restore only";
    EXPECT_FALSE(reg.Read(kDeviceKey, L"Cal_X1").present);

    // The box ends the program, although its window has gone meanwhile.
    ASSERT_TRUE(DismissMessageBox(box, IDOK));
    ASSERT_TRUE(run.WaitExit());
    EXPECT_EQ(run.Requests(standin::ioctl::kCalibration4Point).size(), 1u);
    EXPECT_FALSE(reg.Read(kDeviceKey, L"Cal_X1").present);
}

TEST(AimwellEnd, DegenerateTouchesAskForARetryAndStoreNothing)
{
    const struct {
        DWORD points;
        DWORD controller;
        const char* caseName;
    } cases[] = {
        {9, 1, "AllTouchesAtOnePoint"},
        {9, 2, "LeftAndRightMiddleCoincide"},
        {25, 3, "LeftMiddleOnTopLeftCorner"},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.caseName);
        const GridCase* c = FindGridCase(t.caseName, static_cast<int>(t.points));
        ASSERT_NE(c, nullptr);
        ASSERT_FALSE(c->computable);
        ScratchRegistry reg(ScratchRegistry::RealPrefix);
        aimwell::Run run(reg);
        run.WriteDevice({t.points, 1, t.controller, 0, 60});
        ASSERT_TRUE(run.Start(aimwell::kDeviceName));
        ASSERT_TRUE(run.WaitReady());
        for (int k = 0; k < c->points; ++k)
            ASSERT_TRUE(run.Touch(k, c->raw[k].x, c->raw[k].y));
        MessageBoxInfo box = WaitForMessageBox(kDefaultDeadlineMs, run.Process().Pid());
        ASSERT_TRUE(box);
        EXPECT_EQ(box.text, L"\x3084\x308A\x76F4\x3057\x3066\x304F\x3060\x3055\x3044");
        EXPECT_EQ(box.caption, L"Calibration");
        ASSERT_TRUE(DismissMessageBox(box, IDOK));
        ASSERT_TRUE(run.WaitExit());
        EXPECT_FALSE(reg.Read(kDeviceKey, t.points == 9 ? L"Mid9X" : L"MidX").present);
        EXPECT_FALSE(reg.Read(kDeviceKey, L"Cal4a").present);
        ExpectOnlyNeutralRecords(run, t.points == 9 ? standin::ioctl::kCalibration9Point
                                                    : standin::ioctl::kCalibration25Point,
                                 t.points == 9 ? 232 : 632);
    }
}

TEST(AimwellEnd, SecondInstanceEndsQuietly)
{
    ScratchRegistry reg(ScratchRegistry::RealPrefix);
    aimwell::Run run(reg);
    run.WriteDevice({9, 1, 1, 0, 60});
    ASSERT_TRUE(run.Start(aimwell::kDeviceName));
    ASSERT_TRUE(run.WaitReady());
    TestProcess second;
    ASSERT_TRUE(second.Start(L"\"" + BinPath(L"Aimwell.exe") + L"\" " + aimwell::kDeviceName));
    DWORD code = 1234;
    ASSERT_TRUE(second.WaitExit(code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(FindTopWindow(kCalibrationWindowClass, L"", second.Pid()), nullptr);
    EXPECT_TRUE(run.Process().Running());
    PostMessageW(run.Window(), WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(run.WaitExit());
}

TEST(AimwellEnd, UnknownDeviceNameIsReported)
{
    ScratchRegistry reg(ScratchRegistry::RealPrefix);
    aimwell::Run run(reg);
    run.WriteDevice({9, 1, 1, 0, 60});
    // Names differ in case and in a trailing blank; an empty line takes "Device Name" of the
    // product key, which names nothing here.
    reg.SetString(kProductKeyPath, L"Device Name", L"Nobody");
    for (const wchar_t* args : {L"calib panel 7", L"Calib Panel 7 ", L""}) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(args)));
        TestProcess p;
        ASSERT_TRUE(p.Start(L"\"" + BinPath(L"Aimwell.exe") + L"\" " + args));
        MessageBoxInfo box = WaitForMessageBox(kDefaultDeadlineMs, p.Pid());
        ASSERT_TRUE(box);
        EXPECT_EQ(box.text, L"Device name not found in the registry");
        EXPECT_EQ(box.caption, L"MAVO Calibration");
        ASSERT_TRUE(DismissMessageBox(box, IDOK));
        DWORD code = 1234;
        ASSERT_TRUE(p.WaitExit(code));
        EXPECT_EQ(code, 0u);
    }
}

TEST(AimwellEnd, EmptyCommandLineCalibratesTheProductKeysDevice)
{
    ScratchRegistry reg(ScratchRegistry::RealPrefix);
    aimwell::Run run(reg);
    run.WriteDevice({9, 1, 1, 0, 60});
    reg.SetString(kProductKeyPath, L"Device Name", aimwell::kDeviceName);
    ASSERT_TRUE(run.Start(L""));
    ASSERT_TRUE(run.WaitReady());
    ASSERT_TRUE(run.WaitTargetShown(0));
    PostMessageW(run.Window(), WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(run.WaitExit());
}
