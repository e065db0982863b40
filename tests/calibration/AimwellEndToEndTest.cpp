// Aimwell under Wine with the stand-in serial driver: complete runs, their registry values and
// the record the driver receives.
#include <gtest/gtest.h>

#include "AimwellRun.h"
#include "GridCases.h"
#include "TestWindows.h"

using namespace testsupport;
using aimwell::kDeviceKey;
using standin::Int32At;

namespace {

void ExpectRecord(const std::vector<uint8_t>& bytes, const std::vector<int32_t>& expected, const char* what)
{
    ASSERT_EQ(bytes.size(), expected.size() * 4) << what;
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(Int32At(bytes, i), expected[i]) << what << " index " << i;
}

// The four touches of a 4-point run in touch order, and the record they give on the 1280 x 1024
// desktop: record order bottom-right, top-right, top-left, bottom-left, and the screen points of
// the 12 percent layout.
const int32_t kFourTouches[4][2] = {{100, 3800}, {3900, 3790}, {110, 300}, {3890, 310}};
const std::vector<int32_t> kFourRecord = {3890, 3900, 100, 110, 310,  3790, 3800, 300, 1126, 1126,
                                          153,  153,  901, 122, 122,  901,  1280, 1024, 0, 0};

void TouchFour(aimwell::Run& run)
{
    for (int k = 0; k < 4; ++k)
        ASSERT_TRUE(run.Touch(k, kFourTouches[k][0], kFourTouches[k][1])) << "target " << k;
}

// Touches every target of a grid case in order and waits for the program to end.
void TouchAll(aimwell::Run& run, const GridCase& c)
{
    ASSERT_TRUE(run.WaitReady());
    for (int k = 0; k < c.points; ++k)
        ASSERT_TRUE(run.Touch(k, c.raw[k].x, c.raw[k].y)) << "target " << k;
    ASSERT_TRUE(run.WaitExit());
}

// The calibration record among the requests of this code: the one that is not the all-zero
// end-of-run record (the driver gets both; the end-of-run record follows when no question is asked).
std::vector<uint8_t> CalibrationRecord(aimwell::Run& run, DWORD code)
{
    std::vector<uint8_t> found;
    int count = 0;
    for (const auto& r : run.Requests(code))
        if (!aimwell::Run::AllZero(r)) {
            found = r.input;
            ++count;
        }
    EXPECT_EQ(count, 1) << "calibration records of code " << std::hex << code;
    return found;
}

}  // namespace

TEST(AimwellRun, NinePointsWithBowCorrectionStoreAndSendTheCorrection)
{
    ScratchRegistry reg(ScratchRegistry::RealPrefix);
    aimwell::Run run(reg);
    run.WriteDevice({9, 1, 2, 0, 60});   // controller 2: resistive, bow correction
    const GridCase* c = FindGridCase("BowedPanel", 9);
    ASSERT_NE(c, nullptr);
    ASSERT_TRUE(run.Start(aimwell::kDeviceName));
    TouchAll(run, *c);

    const standin::DeviceState state = standin::GetState(standin::Driver::Rilo, aimwell::kInstance);
    ASSERT_TRUE(state.valid);
    EXPECT_TRUE(state.calibrationEventRegistered);
    ExpectRecord(CalibrationRecord(run, standin::ioctl::kCalibration9Point), c->record, "9-point record");
    EXPECT_EQ(reg.Read(kDeviceKey, L"Mid9X").AsDword(), static_cast<DWORD>(c->record[50]));
    EXPECT_EQ(reg.Read(kDeviceKey, L"Mid9Y").AsDword(), static_cast<DWORD>(c->record[51]));
    EXPECT_EQ(reg.Read(kDeviceKey, L"Cal4a").AsDword(), static_cast<DWORD>(c->record[10]));
    EXPECT_EQ(reg.Read(kDeviceKey, L"Cal_axP").AsDword(), static_cast<DWORD>(c->record[0]));
    EXPECT_EQ(reg.Read(kDeviceKey, L"Cal9h4").AsDword(), static_cast<DWORD>(c->record[49]));
    EXPECT_EQ(reg.Read(kDeviceKey, L"Cal9CcFlag").AsDword(), 1u);
    EXPECT_EQ(reg.Read(kDeviceKey, L"Max XPixels").AsDword(), 1280u);
    EXPECT_EQ(reg.Read(kDeviceKey, L"Segment Height").AsDword(), 1024u);
    EXPECT_EQ(reg.Read(kDeviceKey, L"Cal9a1").type, static_cast<DWORD>(REG_DWORD));

    EXPECT_EQ(run.Requests(standin::ioctl::kGetCalibrationPoint).size(), 9u);
}

TEST(AimwellRun, TwentyFivePointsOnAnExactGrid)
{
    ScratchRegistry reg(ScratchRegistry::RealPrefix);
    aimwell::Run run(reg);
    run.WriteDevice({25, 1, 1, 0, 60});
    const GridCase* c = FindGridCase("ExactGrid", 25);
    ASSERT_NE(c, nullptr);
    ASSERT_TRUE(run.Start(aimwell::kDeviceName));
    TouchAll(run, *c);
    ExpectRecord(CalibrationRecord(run, standin::ioctl::kCalibration25Point), c->record, "25-point record");
    EXPECT_EQ(reg.Read(kDeviceKey, L"MidX").AsDword(), static_cast<DWORD>(c->record[146]));
    EXPECT_EQ(reg.Read(kDeviceKey, L"Cal25h16").AsDword(), static_cast<DWORD>(c->record[145]));
    EXPECT_EQ(reg.Read(kDeviceKey, L"Cal25CcFlag").AsDword(), 0u);
    EXPECT_FALSE(reg.Read(kDeviceKey, L"Cal_axP").present);
}

TEST(AimwellRun, FourPointsWithBackspaceRetouchTheTargetBefore)
{
    ScratchRegistry reg(ScratchRegistry::RealPrefix);
    aimwell::Run run(reg);
    run.WriteDevice({4, 1, 1, 0, 60});
    ASSERT_TRUE(run.Start(aimwell::kDeviceName));
    ASSERT_TRUE(run.WaitReady());
    // Backspace on the first target keeps it.
    PostMessageW(run.Window(), WM_KEYDOWN, VK_BACK, 0);
    ASSERT_TRUE(run.Touch(0, 100, 3800));
    ASSERT_TRUE(run.Touch(1, 1, 1));   // a bad touch, taken back below
    ASSERT_TRUE(run.WaitTargetShown(2));
    PostMessageW(run.Window(), WM_KEYDOWN, VK_BACK, 0);
    for (int k = 1; k < 4; ++k)
        ASSERT_TRUE(run.Touch(k, kFourTouches[k][0], kFourTouches[k][1]));
    ASSERT_TRUE(run.WaitExit());

    const std::vector<int32_t>& expected = kFourRecord;
    ExpectRecord(CalibrationRecord(run, standin::ioctl::kCalibration4Point), expected, "4-point record");
    const wchar_t* names[] = {L"Cal_X1", L"Cal_X2", L"Cal_X3", L"Cal_X4", L"Cal_Y1", L"Cal_Y2", L"Cal_Y3",
                              L"Cal_Y4", L"Cal_M1", L"Cal_M2", L"Cal_M3", L"Cal_M4", L"Cal_N1", L"Cal_N2",
                              L"Cal_N3", L"Cal_N4", L"Max XPixels", L"Max YPixels"};
    for (int i = 0; i < 18; ++i)
        EXPECT_EQ(reg.Read(kDeviceKey, names[i]).AsDword(), static_cast<DWORD>(expected[i])) << names[i];
    EXPECT_EQ(reg.Read(kDeviceKey, L"Segment Width").AsDword(), 1280u);
}

TEST(AimwellRun, BurstsOfTouchesGiveEachTargetExactlyOneAndStoreOnce)
{
    ScratchRegistry reg(ScratchRegistry::RealPrefix);
    aimwell::Run run(reg);
    run.WriteDevice({4, 1, 1, 0, 60});
    ASSERT_TRUE(run.Start(aimwell::kDeviceName));
    ASSERT_TRUE(run.WaitReady());
    // Each burst starts on the target shown now; touches of a burst that arrive before the next
    // target is up are dropped, so no target is skipped and none takes two. A whole burst that
    // comes before the touch thread's reset after the last touch is dropped with it, unread: the
    // panel then gets another burst (once per target at the most).
    int32_t next = 1;
    int droppedBursts = 0;
    for (int shown = 0; shown >= 0 && shown < 4;) {
        // The target to touch, or a later one (or the end) when a late touch of the burst before
        // took this one already.
        int now = shown;
        ASSERT_TRUE(WaitUntil([&] {
            now = run.Process().Running() ? run.ShownTarget() : -1;
            return now < 0 ? !run.Process().Running() : now >= shown;
        })) << "target " << shown << ": " << run.Describe(CHandle());
        if (now != shown) {
            shown = now;
            continue;
        }
        const CHandle touchEvent = aimwell::Run::OpenTouchEvent();
        const uint64_t before = run.LastSequence();
        for (int i = 0; i < 3; ++i, ++next)
            standin::InjectTouch(standin::Driver::Rilo, aimwell::kInstance, next, 1000 + next);
        // A late touch of the burst before can be the one this target takes, even before
        // `before` was read: then the program has gone on without a read the log shows after it.
        const aimwell::Run::TouchOutcome outcome = run.WaitTouchOutcome(touchEvent, before, [&] {
            return !run.Process().Running() || run.ShownTarget() > shown;
        });
        ASSERT_NE(outcome, aimwell::Run::TouchOutcome::Neither)
            << "target " << shown << ": " << run.Describe(touchEvent);
        if (outcome == aimwell::Run::TouchOutcome::Dropped) {
            ASSERT_LT(++droppedBursts, 4) << "every burst of a target was dropped";
            continue;
        }
        ASSERT_TRUE(WaitUntil([&] {
            now = run.Process().Running() ? run.ShownTarget() : -1;
            return now < 0 ? !run.Process().Running() : now > shown;
        })) << "after target " << shown << ": " << run.Describe(touchEvent);
        shown = now;
    }
    ASSERT_TRUE(run.WaitExit());
    const std::vector<uint8_t> rec = CalibrationRecord(run, standin::ioctl::kCalibration4Point);
    ASSERT_EQ(rec.size(), 80u);
    // Touch order of the record points: 1 = touch 3, 2 = touch 1, 3 = touch 0, 4 = touch 2.
    const int32_t t0 = Int32At(rec, 2), t1 = Int32At(rec, 1), t2 = Int32At(rec, 3), t3 = Int32At(rec, 0);
    EXPECT_TRUE(0 < t0 && t0 < t1 && t1 < t2 && t2 < t3) << t0 << " " << t1 << " " << t2 << " " << t3;
    EXPECT_EQ(Int32At(rec, 6), 1000 + t0);
}

TEST(AimwellRun, CheckCalibrationAnsweredNoKeepsTheOldValues)
{
    ScratchRegistry reg(ScratchRegistry::RealPrefix);
    aimwell::Run run(reg);
    run.WriteDevice({4, 1, 1, 0, 60});
    reg.SetDword(kProductKeyPath, L"Check Calibration", 1);
    reg.SetDword(kDeviceKey, L"Cal_X1", 77);
    ASSERT_TRUE(run.Start(aimwell::kDeviceName));
    ASSERT_TRUE(run.WaitReady());
    TouchFour(run);
    MessageBoxInfo box = WaitForMessageBox(kDefaultDeadlineMs, run.Process().Pid());
    ASSERT_TRUE(box);
    EXPECT_EQ(box.text, L"Check calibration");
    EXPECT_EQ(box.caption, L"MAVO Calibration");
    ASSERT_TRUE(DismissMessageBox(box, IDNO));
    ASSERT_TRUE(run.WaitExit());
    EXPECT_EQ(reg.Read(kDeviceKey, L"Cal_X1").AsDword(), 77u);
    EXPECT_FALSE(reg.Read(kDeviceKey, L"Cal_M1").present);
    for (const auto& r : run.Requests(standin::ioctl::kCalibration4Point))
        EXPECT_TRUE(aimwell::Run::AllZero(r)) << standin::Describe(r);
}

TEST(AimwellRun, CheckCalibrationAnsweredYesStoresAfterTheRestore)
{
    ScratchRegistry reg(ScratchRegistry::RealPrefix);
    aimwell::Run run(reg);
    run.WriteDevice({4, 1, 1, 0, 60});
    reg.SetDword(kProductKeyPath, L"Check Calibration", 1);
    ASSERT_TRUE(run.Start(aimwell::kDeviceName));
    ASSERT_TRUE(run.WaitReady());
    TouchFour(run);
    MessageBoxInfo box = WaitForMessageBox(kDefaultDeadlineMs, run.Process().Pid());
    ASSERT_TRUE(box);
    EXPECT_EQ(box.text, L"Check calibration");
    // The window's close, posted before the question, is handled by the question's loop: the
    // end-of-run record reaches the driver first.
    ASSERT_TRUE(standin::WaitForRequest(standin::Driver::Rilo, aimwell::kInstance, standin::ioctl::kCalibration4Point));
    ASSERT_TRUE(DismissMessageBox(box, IDYES));
    ASSERT_TRUE(run.WaitExit());

    const auto records = run.Requests(standin::ioctl::kCalibration4Point);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_TRUE(aimwell::Run::AllZero(records[0])) << "the restore came first";
    ExpectRecord(records[1].input, kFourRecord, "4-point record after the restore");
    EXPECT_EQ(reg.Read(kDeviceKey, L"Cal_X1").AsDword(), 3890u);
    EXPECT_EQ(reg.Read(kDeviceKey, L"Cal_N4").AsDword(), 901u);
    EXPECT_EQ(reg.Read(kDeviceKey, L"Max YPixels").AsDword(), 1024u);
}

TEST(AimwellRun, PrimaryMonitorSegmentKeepsTheMonitorsSizeInTheProductKey)
{
    // One 1280 x 1024 monitor: its segment lays out as the whole desktop does.
    const struct {
        DWORD points;
        size_t secMouX;   // record places of SecMouX and SecMouY
    } cases[] = {{4, 18}, {9, 56}};
    for (const auto& t : cases) {
        SCOPED_TRACE(t.points);
        ScratchRegistry reg(ScratchRegistry::RealPrefix);
        aimwell::Run run(reg);
        run.WriteDevice({t.points, 1, 2, 1, 60});
        ASSERT_TRUE(run.Start(aimwell::kDeviceName));
        std::vector<int32_t> expected;
        DWORD code = 0;
        if (t.points == 4) {
            ASSERT_TRUE(run.WaitReady());
            TouchFour(run);
            ASSERT_TRUE(run.WaitExit());
            expected = kFourRecord;
            code = standin::ioctl::kCalibration4Point;
        } else {
            const GridCase* c = FindGridCase("BowedPanel", 9);
            ASSERT_NE(c, nullptr);
            TouchAll(run, *c);
            expected = c->record;
            code = standin::ioctl::kCalibration9Point;
        }
        const std::vector<uint8_t> record = CalibrationRecord(run, code);
        ExpectRecord(record, expected, "record on the primary monitor");
        ASSERT_GE(record.size(), (t.secMouX + 2) * 4);
        EXPECT_EQ(Int32At(record, t.secMouX), 0);
        EXPECT_EQ(Int32At(record, t.secMouX + 1), 0);

        const RegValue priY = reg.Read(kProductKeyPath, L"PriYmax");
        const RegValue priX = reg.Read(kProductKeyPath, L"PriXmax");
        EXPECT_EQ(priY.type, static_cast<DWORD>(REG_DWORD));
        EXPECT_EQ(priY.AsDword(), 1024u);
        EXPECT_EQ(priX.type, static_cast<DWORD>(REG_DWORD));
        EXPECT_EQ(priX.AsDword(), 1280u);
        EXPECT_FALSE(reg.Read(kDeviceKey, L"SecMouX").present);
        EXPECT_FALSE(reg.Read(kDeviceKey, L"SecMouY").present);
    }
}

TEST(AimwellRun, AStoredMarginOutsideTheAppletsRangeLaysOutWithTheDefault)
{
    ScratchRegistry reg(ScratchRegistry::RealPrefix);
    aimwell::Run run(reg);
    run.WriteDevice({9, 1, 1, 0, 60});          // the layout the test expects: a margin of 1
    reg.SetDword(kDeviceKey, L"CalibPoint", 0x80000000u);
    ASSERT_TRUE(run.Start(aimwell::kDeviceName));
    ASSERT_TRUE(run.WaitReady());
    ASSERT_TRUE(run.Touch(0, 100, 100));
    ASSERT_TRUE(run.Touch(1, 2000, 100));
    EXPECT_TRUE(run.WaitTargetShown(2)) << "the top-right target sits one percent from the edge";
    PostMessageW(run.Window(), WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(run.WaitExit());
}
