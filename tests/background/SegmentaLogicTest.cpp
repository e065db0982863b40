// Segmenta's computations: orientation codes, the "Rotation" switch, power broadcasts and the
// segment codes by display name.
#include <gtest/gtest.h>

#include "ControllerPower.h"
#include "DisplayRotation.h"
#include "DisplaySegments.h"
#include "SegmentMapper.h"

using namespace segmenta;
using PA = CPowerEvents::Action;

// Found by gtest next to the type, in the global namespace.
void PrintTo(PA action, std::ostream* out)
{
    *out << (action == PA::Suspend ? "Suspend" : action == PA::Resume ? "Resume" : "None");
}

namespace {

struct OrientationCase {
    DWORD display, rotation, last, code;
};

class OrientationCodes : public ::testing::TestWithParam<OrientationCase> {};

TEST_P(OrientationCodes, FollowTheDisplayAndTheRotationSetting)
{
    const OrientationCase c = GetParam();
    EXPECT_EQ(OrientationCode(c.display, c.rotation, c.last), c.code)
        << "display " << c.display << " rotation " << c.rotation << " last " << c.last;
}

INSTANTIATE_TEST_SUITE_P(Table, OrientationCodes,
                         ::testing::Values(OrientationCase{DMDO_DEFAULT, 0, 3, 0}, OrientationCase{DMDO_90, 0, 0, 1},
                                           OrientationCase{DMDO_180, 0, 0, 2}, OrientationCase{DMDO_270, 0, 0, 3},
                                           OrientationCase{DMDO_DEFAULT, 1, 3, 0}, OrientationCase{DMDO_90, 1, 0, 3},
                                           OrientationCase{DMDO_180, 1, 0, 2}, OrientationCase{DMDO_270, 1, 0, 1},
                                           // an orientation the table does not know keeps the last code
                                           OrientationCase{4, 0, 2, 2}, OrientationCase{7, 1, 3, 3},
                                           OrientationCase{0xFFFFFFFF, 0, 1, 1}));

TEST(RotationSetting, OnlyZeroAndOneSendAnOrientation)
{
    EXPECT_TRUE(RotationSendsOrientation(0));
    EXPECT_TRUE(RotationSendsOrientation(1));
    for (DWORD other : {2u, 3u, 10u, 0xFFFFFFFFu})
        EXPECT_FALSE(RotationSendsOrientation(other)) << other;
}

struct PowerCase {
    const char* name;
    std::vector<WPARAM> events;
    std::vector<PA> actions;
};

void PrintTo(const PowerCase& c, std::ostream* out) { *out << c.name; }

class PowerBroadcasts : public ::testing::TestWithParam<PowerCase> {};

TEST_P(PowerBroadcasts, SuspendAndOneResumePerWake)
{
    const PowerCase& c = GetParam();
    CPowerEvents power;
    ASSERT_EQ(c.events.size(), c.actions.size());
    for (size_t i = 0; i < c.events.size(); ++i)
        EXPECT_EQ(power.OnPowerEvent(c.events[i]), c.actions[i]) << "event " << i << " (" << c.events[i] << ")";
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, PowerBroadcasts,
    ::testing::Values(
        // A wake with user input: the automatic resume, then the one that says the user is back.
        PowerCase{"UserWake", {PBT_APMSUSPEND, PBT_APMRESUMEAUTOMATIC, PBT_APMRESUMESUSPEND},
                  {PA::Suspend, PA::Resume, PA::None}},
        // A wake without user input brings the automatic resume alone.
        PowerCase{"UnattendedWake", {PBT_APMSUSPEND, PBT_APMRESUMEAUTOMATIC}, {PA::Suspend, PA::Resume}},
        PowerCase{"OlderSystemWake", {PBT_APMSUSPEND, PBT_APMRESUMESUSPEND}, {PA::Suspend, PA::Resume}},
        PowerCase{"TwoWakes",
                  {PBT_APMSUSPEND, PBT_APMRESUMEAUTOMATIC, PBT_APMRESUMESUSPEND, PBT_APMSUSPEND,
                   PBT_APMRESUMESUSPEND, PBT_APMRESUMEAUTOMATIC},
                  {PA::Suspend, PA::Resume, PA::None, PA::Suspend, PA::Resume, PA::None}},
        PowerCase{"WakeSeenWithoutItsSuspend", {PBT_APMRESUMESUSPEND, PBT_APMRESUMEAUTOMATIC}, {PA::Resume, PA::None}},
        PowerCase{"OtherEvents",
                  {PBT_APMQUERYSUSPEND, PBT_APMPOWERSTATUSCHANGE, PBT_APMRESUMECRITICAL, PBT_POWERSETTINGCHANGE},
                  {PA::None, PA::None, PA::None, PA::None}}),
    [](const ::testing::TestParamInfo<PowerCase>& info) { return std::string(info.param.name); });

struct SegmentNameCase {
    const char* name;
    DWORD code;
};

class SegmentIdsByName : public ::testing::TestWithParam<SegmentNameCase> {};

TEST_P(SegmentIdsByName, ExactEnglishNamesGiveTheDriverCodes)
{
    EXPECT_EQ(CDisplaySegments().GetSegmentId(GetParam().name), GetParam().code) << '"' << GetParam().name << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Table, SegmentIdsByName,
    ::testing::Values(SegmentNameCase{"Whole Desktop", 0}, SegmentNameCase{"Primary Monitor", 1},
                      SegmentNameCase{"Left Half", 6}, SegmentNameCase{"Right Half", 7},
                      SegmentNameCase{"Left Third", 8}, SegmentNameCase{"Middle Third", 9},
                      SegmentNameCase{"Right Third", 10}, SegmentNameCase{"Top Half", 11},
                      SegmentNameCase{"Bottom Half", 12}, SegmentNameCase{"Left Quarter", 13},
                      SegmentNameCase{"Right Quarter", 14}, SegmentNameCase{"Top Left", 15},
                      SegmentNameCase{"Top Right", 16}, SegmentNameCase{"Bottom Left", 17},
                      SegmentNameCase{"Bottom Right", 18},
                      // anything else is the whole desktop: other case, extra blanks, unknown texts
                      SegmentNameCase{"left half", 0}, SegmentNameCase{"Left Half ", 0},
                      SegmentNameCase{"LEFT_HALF", 0}, SegmentNameCase{"", 0}, SegmentNameCase{"Middle", 0}));

TEST(SegmentIdsByName, SecondaryMonitorFollowsTheMonitorLayout)
{
    // Wine shows one monitor: no secondary monitor, so the code says "none usable".
    EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), 1);
    EXPECT_EQ(CDisplaySegments().GetSegmentId("Secondary Monitor"), kInvalidSegmentCode);
    EXPECT_EQ(CDisplaySegments().GetSegmentId("Secondary Monitor"), CSegmentMapper().GetSegmentId(2));
}

}  // namespace
