// The stand-ins accept every control code of the touch drivers with exactly its buffer sizes,
// refuse any other size or code, and log every request in arrival order.
#include <ostream>

#include "StandinDeviceFile.h"

using standin::Driver;
namespace ioctl = standin::ioctl;

namespace {

enum Target { kRilo0 = 1, kDevices = 2, kMekaDevice = 4 };

struct CodeCase {
    const char* name;
    DWORD code;
    DWORD in;
    DWORD out;
    int where;   // Target bits
};

void PrintTo(const CodeCase& c, std::ostream* os)
{
    *os << c.name << " in " << c.in << " out " << c.out;
}

// The control codes with the sizes the touch drivers take and where the suite sends them.
const CodeCase kCodes[] = {
    {"NewDeviceNotification", ioctl::kNewDeviceNotification, 202, 0, kRilo0},
    {"SerialSettings", ioctl::kSerialSettings, 208, 0, kDevices},
    {"ModeSettings", ioctl::kModeSettings, 12, 0, kDevices},
    {"PacketFilterSettings", ioctl::kPacketFilterSettings, 5, 0, kDevices},
    {"CalibrationDeltas", ioctl::kCalibrationDeltas, 0, 0, kDevices},
    {"DeviceSegment", ioctl::kDeviceSegment, 1, 0, kDevices},
    {"BeepEvent", ioctl::kBeepEvent, 4, 0, kDevices},
    {"DeviceState", ioctl::kDeviceState, 0, 12, kDevices},
    {"UsePrimaryMode", ioctl::kUsePrimaryMode, 1, 0, kDevices},
    {"UseSecondaryMode", ioctl::kUseSecondaryMode, 8, 0, kDevices},
    {"ReinitializeDevice", ioctl::kReinitializeDevice, 0, 0, kDevices},
    {"DisableDevice", ioctl::kDisableDevice, 0, 0, kDevices},
    {"EnableDevice", ioctl::kEnableDevice, 0, 0, kDevices},
    {"DeleteDeviceNotificationSerial", ioctl::kDeleteDeviceNotification, 1, 0, kRilo0},
    {"DeleteDeviceNotificationUsb", ioctl::kDeleteDeviceNotification, 0, 0, kMekaDevice},
    {"SetCalibrationEvent", ioctl::kSetCalibrationEvent, 4, 0, kDevices},
    {"Calibration25Point", ioctl::kCalibration25Point, 632, 0, kDevices},
    {"GetCalibrationPoint", ioctl::kGetCalibrationPoint, 0, 8, kDevices},
    {"Calibration9Point", ioctl::kCalibration9Point, 232, 0, kDevices},
    {"Calibration4Point", ioctl::kCalibration4Point, 80, 0, kDevices},
    {"SensitivityCont", ioctl::kSensitivityCont, 0, 0, kDevices},
    {"SensitivityCommand", ioctl::kSensitivityCommand, 2, 2, kDevices},
    {"SensitivityMode", ioctl::kSensitivityMode, 2, 0, kDevices},
    {"SensitivityData", ioctl::kSensitivityData, 2, 2, kDevices},
    {"SensitivityDataProbe", ioctl::kSensitivityData, 2, 0, kDevices},
    {"DisplayOrientation", ioctl::kDisplayOrientation, 12, 0, kDevices},
};

struct Place {
    Driver driver;
    unsigned instance;
};

std::vector<Place> PlacesOf(int where)
{
    std::vector<Place> places;
    if (where & kRilo0)
        places.push_back({Driver::Rilo, 0});
    if (where & kDevices) {
        places.push_back({Driver::Rilo, 1});
        places.push_back({Driver::Meka, 1});
    }
    if (where & kMekaDevice)
        places.push_back({Driver::Meka, 1});
    return places;
}

std::vector<Place> PlacesNotOf(int where)
{
    std::vector<Place> places;
    if (!(where & kRilo0))
        places.push_back({Driver::Rilo, 0});
    if (!(where & kDevices)) {
        places.push_back({Driver::Rilo, 1});
        if (!(where & kMekaDevice))
            places.push_back({Driver::Meka, 1});
    }
    return places;
}

// True when some row of the table accepts the code at that device file (with its own sizes).
bool AcceptedAt(DWORD code, const Place& place)
{
    for (const CodeCase& c : kCodes)
        for (const Place& p : PlacesOf(c.where))
            if (c.code == code && p.driver == place.driver && p.instance == place.instance)
                return true;
    return false;
}

std::string Where(const Place& p)
{
    return (p.driver == Driver::Rilo ? "RILO" : "MEKA") + std::to_string(p.instance);
}

class StandinCodeSizes : public StandinTest, public ::testing::WithParamInterface<CodeCase> {};

TEST_P(StandinCodeSizes, ExactSizesSucceed)
{
    const CodeCase& c = GetParam();
    for (const Place& place : PlacesOf(c.where)) {
        DeviceFile device(place.driver, place.instance);
        ASSERT_TRUE(device.IsOpen()) << Where(place) << " error " << device.OpenError();
        IoResult r = device.SendSized(c.code, c.in, c.out);
        EXPECT_TRUE(r.ok) << Where(place) << " error " << r.error;
        EXPECT_EQ(c.out, r.returned) << Where(place);
    }
}

TEST_P(StandinCodeSizes, OtherSizesFailWithInvalidParameter)
{
    const CodeCase& c = GetParam();
    std::vector<std::pair<DWORD, DWORD>> wrong = {{c.in + 1, c.out}, {c.in, c.out + 1}, {c.in + 4096, c.out}};
    if (c.in > 0)
        wrong.push_back({c.in - 1, c.out});
    if (c.out > 0)
        wrong.push_back({c.in, c.out - 1});
    for (const Place& place : PlacesOf(c.where)) {
        DeviceFile device(place.driver, place.instance);
        ASSERT_TRUE(device.IsOpen()) << Where(place);
        for (auto [in, out] : wrong) {
            IoResult r = device.SendSized(c.code, in, out);
            EXPECT_FALSE(r.ok) << Where(place) << " in " << in << " out " << out;
            EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), r.error)
                << Where(place) << " in " << in << " out " << out;
        }
    }
}

TEST_P(StandinCodeSizes, OtherDeviceFilesRefuseTheCode)
{
    const CodeCase& c = GetParam();
    for (const Place& place : PlacesNotOf(c.where)) {
        // IOCTL_DELETE_DEVICE_NOTIFICATION has other sizes at RILO0 and at MEKA devices.
        if (AcceptedAt(c.code, place))
            continue;
        DeviceFile device(place.driver, place.instance);
        ASSERT_TRUE(device.IsOpen()) << Where(place);
        IoResult r = device.SendSized(c.code, c.in, c.out);
        EXPECT_FALSE(r.ok) << Where(place);
        EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_FUNCTION), r.error) << Where(place);
    }
}

INSTANTIATE_TEST_SUITE_P(AllCodes, StandinCodeSizes, ::testing::ValuesIn(kCodes),
                         [](const ::testing::TestParamInfo<CodeCase>& info) { return std::string(info.param.name); });

TEST_F(StandinTest, UnknownCodesFailWithInvalidDeviceRequest)
{
    const DWORD unknown[] = {0x220000, 0x220050, 0x220064, 0x220090, 0x2A0004, 0x220006, 0x222000};
    for (Place place : {Place{Driver::Rilo, 0}, Place{Driver::Rilo, 2}, Place{Driver::Meka, 2}}) {
        DeviceFile device(place.driver, place.instance);
        ASSERT_TRUE(device.IsOpen()) << Where(place);
        for (DWORD code : unknown) {
            IoResult r = device.SendSized(code, 0, 0);
            EXPECT_FALSE(r.ok) << Where(place) << " code " << std::hex << code;
            EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_FUNCTION), r.error) << Where(place) << " code " << std::hex << code;
        }
    }
}

TEST_F(StandinTest, InstancesOneToThirtyTwoExist)
{
    for (Driver driver : {Driver::Rilo, Driver::Meka}) {
        for (unsigned instance = 1; instance <= standin::kMaxInstance; instance++)
            EXPECT_TRUE(DeviceFile(driver, instance).IsOpen()) << standin::DriverName(driver) << instance;
        EXPECT_FALSE(DeviceFile(driver, standin::kMaxInstance + 1).IsOpen());
    }
    EXPECT_TRUE(DeviceFile(Driver::Rilo, 0).IsOpen());
    EXPECT_FALSE(DeviceFile(Driver::Meka, 0).IsOpen());
}

TEST_F(StandinTest, LogRecordsCodesBytesAndSizesInOrder)
{
    DeviceFile rilo1(Driver::Rilo, 1), meka2(Driver::Meka, 2), rilo0(Driver::Rilo, 0);
    std::vector<uint8_t> notice(202, 0);
    const uint8_t com1[] = {0x43, 0x00, 0x4F, 0x00, 0x4D, 0x00, 0x31, 0x00};
    std::copy(std::begin(com1), std::end(com1), notice.begin());
    notice[200] = 3;

    ASSERT_TRUE(rilo1.Send(ioctl::kPacketFilterSettings, {1, 2, 3, 4, 5}).ok);
    ASSERT_TRUE(meka2.Send(ioctl::kDeviceSegment, {7}).ok);
    ASSERT_TRUE(rilo0.Send(ioctl::kNewDeviceNotification, notice).ok);
    ASSERT_FALSE(rilo1.Send(ioctl::kPacketFilterSettings, {1, 2, 3, 4, 5, 6}).ok);
    ASSERT_TRUE(meka2.Send(ioctl::kDeviceState, {}, 12).ok);

    bool overflow = true;
    std::vector<standin::LoggedRequest> log = standin::ReadLog(&overflow);
    EXPECT_FALSE(overflow);
    ASSERT_EQ(5u, log.size()) << standin::Describe(log);

    EXPECT_EQ(Driver::Rilo, log[0].driver);
    EXPECT_EQ(1u, log[0].instance);
    EXPECT_EQ(ioctl::kPacketFilterSettings, log[0].code);
    EXPECT_EQ((std::vector<uint8_t>{1, 2, 3, 4, 5}), log[0].input);
    EXPECT_EQ(5u, log[0].inputSize);
    EXPECT_EQ(0u, log[0].outputSize);
    EXPECT_EQ(0, log[0].status);

    EXPECT_EQ(Driver::Meka, log[1].driver);
    EXPECT_EQ(2u, log[1].instance);
    EXPECT_EQ(ioctl::kDeviceSegment, log[1].code);
    EXPECT_EQ(std::vector<uint8_t>{7}, log[1].input);

    EXPECT_EQ(Driver::Rilo, log[2].driver);
    EXPECT_EQ(0u, log[2].instance);
    EXPECT_EQ(ioctl::kNewDeviceNotification, log[2].code);
    EXPECT_EQ(notice, log[2].input);

    EXPECT_EQ(ioctl::kPacketFilterSettings, log[3].code);
    EXPECT_EQ(6u, log[3].inputSize);
    EXPECT_EQ(static_cast<LONG>(0xC000000D), log[3].status);   // STATUS_INVALID_PARAMETER

    EXPECT_EQ(ioctl::kDeviceState, log[4].code);
    EXPECT_EQ(0u, log[4].inputSize);
    EXPECT_EQ(12u, log[4].outputSize);
    EXPECT_EQ(12u, log[4].bytesReturned);
}

TEST_F(StandinTest, LogMergesBothDriversInArrivalOrder)
{
    DeviceFile rilo(Driver::Rilo, 5), meka(Driver::Meka, 5);
    const char pattern[] = "RMMRRRMRMMRMRRMMMRRMRMRRRMMRMRMMRRMRMMMR";
    for (uint8_t i = 0; pattern[i]; i++)
        ASSERT_TRUE((pattern[i] == 'R' ? rilo : meka).Send(ioctl::kDeviceSegment, {i}).ok);

    std::vector<standin::LoggedRequest> log = standin::ReadLog();
    ASSERT_EQ(sizeof(pattern) - 1, log.size()) << standin::Describe(log);
    for (uint8_t i = 0; pattern[i]; i++) {
        EXPECT_EQ(pattern[i] == 'R' ? Driver::Rilo : Driver::Meka, log[i].driver) << "request " << int(i);
        ASSERT_EQ(1u, log[i].input.size());
        EXPECT_EQ(i, log[i].input[0]) << standin::Describe(log);
    }
}

TEST_F(StandinTest, ClearLogForgetsEarlierRequests)
{
    DeviceFile rilo(Driver::Rilo, 1);
    ASSERT_TRUE(rilo.Send(ioctl::kDeviceSegment, {1}).ok);
    ASSERT_TRUE(standin::ClearLog());
    EXPECT_TRUE(standin::ReadLog().empty());
    ASSERT_TRUE(rilo.Send(ioctl::kDeviceSegment, {2}).ok);
    std::vector<standin::LoggedRequest> log = standin::ReadLog(Driver::Rilo);
    ASSERT_EQ(1u, log.size());
    EXPECT_EQ(std::vector<uint8_t>{2}, log[0].input);
}

TEST_F(StandinTest, LogKeepsTheNewestRequestsAndReportsOverflow)
{
    DeviceFile meka(Driver::Meka, 1);
    const unsigned total = 2048 + 10;
    for (unsigned i = 0; i < total; i++)
        ASSERT_TRUE(meka.Send(ioctl::kModeSettings, Le32({i, 0, 0})).ok);
    bool overflow = false;
    std::vector<standin::LoggedRequest> log = standin::ReadLog(&overflow);
    EXPECT_TRUE(overflow);
    ASSERT_EQ(2048u, log.size());
    EXPECT_EQ(10, standin::Int32At(log.front().input, 0));
    EXPECT_EQ(static_cast<int32_t>(total - 1), standin::Int32At(log.back().input, 0));
    ASSERT_TRUE(standin::ClearLog());
    standin::ReadLog(&overflow);
    EXPECT_FALSE(overflow);
}

TEST_F(StandinTest, LogKeepsTheStartOfLongInputAndItsFullSize)
{
    DeviceFile rilo(Driver::Rilo, 1);
    std::vector<uint8_t> big(5000);
    for (size_t i = 0; i < big.size(); i++)
        big[i] = static_cast<uint8_t>(i);
    EXPECT_FALSE(rilo.Send(ioctl::kCalibration25Point, big).ok);
    std::vector<standin::LoggedRequest> log = standin::ReadLog();
    ASSERT_EQ(1u, log.size());
    EXPECT_EQ(5000u, log[0].inputSize);
    EXPECT_EQ(std::vector<uint8_t>(big.begin(), big.begin() + 640), log[0].input);
}

}  // namespace
