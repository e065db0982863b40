// What the stand-ins keep of each request and what they answer.
#include "StandinDeviceFile.h"

using standin::Driver;
namespace ioctl = standin::ioctl;

namespace {

std::vector<uint8_t> Pattern(size_t size, uint8_t seed)
{
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; i++)
        bytes[i] = static_cast<uint8_t>(seed + i * 7);
    return bytes;
}

TEST_F(StandinTest, SettingsAndCalibrationRecordsAreKept)
{
    DeviceFile meka(Driver::Meka, 3);
    const std::vector<uint8_t> filter = {10, 20, 30, 40, 50}, mode = Pattern(12, 1), serial = Pattern(208, 2),
                               orientation = Le32({1, 1024, 768}), cal4 = Pattern(80, 3), cal9 = Pattern(232, 4),
                               cal25 = Pattern(632, 5);
    ASSERT_TRUE(meka.Send(ioctl::kPacketFilterSettings, filter).ok);
    ASSERT_TRUE(meka.Send(ioctl::kModeSettings, mode).ok);
    ASSERT_TRUE(meka.Send(ioctl::kSerialSettings, serial).ok);
    ASSERT_TRUE(meka.Send(ioctl::kDeviceSegment, {19}).ok);
    ASSERT_TRUE(meka.Send(ioctl::kDisplayOrientation, orientation).ok);
    ASSERT_TRUE(meka.Send(ioctl::kCalibration4Point, cal4).ok);
    ASSERT_TRUE(meka.Send(ioctl::kCalibration9Point, cal9).ok);
    ASSERT_TRUE(meka.Send(ioctl::kCalibration25Point, cal25).ok);
    ASSERT_TRUE(meka.Send(ioctl::kReinitializeDevice, {}).ok);

    standin::DeviceState s = standin::GetState(Driver::Meka, 3);
    ASSERT_TRUE(s.valid);
    EXPECT_TRUE(s.present);
    EXPECT_EQ(filter, s.packetFilter);
    EXPECT_EQ(mode, s.modeSettings);
    EXPECT_EQ(serial, s.serialSettings);
    EXPECT_TRUE(s.hasSegment);
    EXPECT_EQ(19, s.segment);
    EXPECT_EQ(orientation, s.displayOrientation);
    EXPECT_EQ(1024, standin::Int32At(s.displayOrientation, 1));
    EXPECT_EQ(cal4, s.calibration4);
    EXPECT_EQ(cal9, s.calibration9);
    EXPECT_EQ(cal25, s.calibration25);
    EXPECT_EQ(1u, s.reinitializeCount);
    EXPECT_EQ(9u, s.requestCount);

    // The other driver's device of the same number received nothing.
    standin::DeviceState other = standin::GetState(Driver::Rilo, 3);
    ASSERT_TRUE(other.valid);
    EXPECT_TRUE(other.packetFilter.empty());
    EXPECT_FALSE(other.hasSegment);
    EXPECT_EQ(0u, other.requestCount);
}

TEST_F(StandinTest, ResetForgetsWhatDevicesReceived)
{
    DeviceFile rilo(Driver::Rilo, 2);
    ASSERT_TRUE(rilo.Send(ioctl::kPacketFilterSettings, {1, 2, 3, 4, 5}).ok);
    ASSERT_TRUE(standin::Unplug(Driver::Rilo, 7));
    ASSERT_TRUE(standin::Reset());
    EXPECT_TRUE(standin::GetState(Driver::Rilo, 2).packetFilter.empty());
    EXPECT_TRUE(standin::GetState(Driver::Rilo, 7).present);
    EXPECT_TRUE(standin::ReadLog().empty());
}

TEST_F(StandinTest, NoticesReachTheSerialControlDevice)
{
    DeviceFile rilo0(Driver::Rilo, 0), meka(Driver::Meka, 4);
    std::vector<uint8_t> notice = Pattern(202, 9);
    ASSERT_TRUE(rilo0.Send(ioctl::kNewDeviceNotification, notice).ok);
    ASSERT_TRUE(rilo0.Send(ioctl::kDeleteDeviceNotification, {5}).ok);
    ASSERT_TRUE(meka.Send(ioctl::kDeleteDeviceNotification, {}).ok);

    standin::DeviceState control = standin::GetState(Driver::Rilo, 0);
    ASSERT_TRUE(control.valid);
    EXPECT_EQ(notice, control.newDevice);
    EXPECT_TRUE(control.hasDeletedInstance);
    EXPECT_EQ(5, control.deletedInstance);
    EXPECT_TRUE(standin::GetState(Driver::Meka, 4).deleteNotified);
}

TEST_F(StandinTest, DeviceStateReplyFollowsEnableUntilATestFixesIt)
{
    DeviceFile rilo(Driver::Rilo, 1);
    IoResult r = rilo.Send(ioctl::kDeviceState, {}, 12);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(Le32({1, 0, 0}), r.output);

    ASSERT_TRUE(rilo.Send(ioctl::kDisableDevice, {}).ok);
    EXPECT_FALSE(standin::GetState(Driver::Rilo, 1).enabled);
    EXPECT_EQ(Le32({0, 0, 0}), rilo.Send(ioctl::kDeviceState, {}, 12).output);
    ASSERT_TRUE(rilo.Send(ioctl::kEnableDevice, {}).ok);
    EXPECT_TRUE(standin::GetState(Driver::Rilo, 1).enabled);

    ASSERT_TRUE(standin::SetStateReply(Driver::Rilo, 1, {1, 17, 4}));
    EXPECT_EQ(Le32({1, 17, 4}), rilo.Send(ioctl::kDeviceState, {}, 12).output);
    standin::DeviceState s = standin::GetState(Driver::Rilo, 1);
    EXPECT_TRUE(s.stateReplyFixed);
    EXPECT_EQ(17u, s.stateReply.communicationErrors);
    ASSERT_TRUE(standin::SetAutomaticStateReply(Driver::Rilo, 1));
    EXPECT_EQ(Le32({1, 0, 0}), rilo.Send(ioctl::kDeviceState, {}, 12).output);
}

TEST_F(StandinTest, CalibrationPointReplyIsTheLastPointSet)
{
    DeviceFile meka(Driver::Meka, 2);
    EXPECT_EQ(Le32({0, 0}), meka.Send(ioctl::kGetCalibrationPoint, {}, 8).output);
    ASSERT_TRUE(standin::SetCalibrationPoint(Driver::Meka, 2, 3900, 125));
    IoResult r = meka.Send(ioctl::kGetCalibrationPoint, {}, 8);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(8u, r.returned);
    EXPECT_EQ(Le32({3900, 125}), r.output);
}

TEST_F(StandinTest, ButtonModeRequestsSwitchTheMode)
{
    DeviceFile rilo(Driver::Rilo, 6);
    ASSERT_TRUE(rilo.Send(ioctl::kUseSecondaryMode, {0x78, 0x56, 0x34, 0x12, 1, 0, 0, 0}).ok);
    standin::DeviceState s = standin::GetState(Driver::Rilo, 6);
    EXPECT_TRUE(s.secondaryMode);
    EXPECT_TRUE(s.hitOne);
    EXPECT_EQ(0x12345678u, s.secondaryEventAddress);

    ASSERT_TRUE(rilo.Send(ioctl::kUsePrimaryMode, {4}).ok);
    s = standin::GetState(Driver::Rilo, 6);
    EXPECT_FALSE(s.secondaryMode);
    EXPECT_FALSE(s.hitOne);
    EXPECT_EQ(4, s.primaryModeByte);
}

TEST_F(StandinTest, SensitivityRequestsAnswerFromTheReplySet)
{
    DeviceFile meka(Driver::Meka, 1);
    standin::SensitivityReply reply;
    reply.value = 300;
    reply.step = 5;
    reply.words.assign(64, 0);
    for (unsigned a = 10; a <= 26; a++)
        reply.words[a] = static_cast<uint16_t>(0x1100 + a);
    ASSERT_TRUE(standin::SetSensitivityReply(Driver::Meka, 1, reply));

    EXPECT_EQ((std::vector<uint8_t>{0x2C, 0x01}), meka.Send(ioctl::kSensitivityCommand, {0, 0}, 2).output);  // 300
    EXPECT_EQ((std::vector<uint8_t>{0x31, 0x01}), meka.Send(ioctl::kSensitivityCommand, {2, 0}, 2).output);  // duller
    EXPECT_EQ((std::vector<uint8_t>{0x2C, 0x01}), meka.Send(ioctl::kSensitivityCommand, {3, 0}, 2).output);
    EXPECT_EQ((std::vector<uint8_t>{0x2C, 0x01}), meka.Send(ioctl::kSensitivityCommand, {1, 0}, 2).output);

    ASSERT_TRUE(meka.Send(ioctl::kSensitivityData, {0, 0}).ok);   // presence probe without output
    ASSERT_TRUE(meka.Send(ioctl::kSensitivityMode, {1, 0}).ok);   // store
    EXPECT_EQ((std::vector<uint8_t>{0x00, 0x00}), meka.Send(ioctl::kSensitivityData, {0, 0}, 2).output);
    EXPECT_EQ((std::vector<uint8_t>{0xAA, 0xAA}), meka.Send(ioctl::kSensitivityData, {1, 0}, 2).output);
    for (uint8_t a = 10; a <= 26; a++) {
        EXPECT_EQ(meka.Send(ioctl::kSensitivityData, {a, 0}, 2).output,
                  meka.Send(ioctl::kSensitivityData, {static_cast<uint8_t>(a + 20), 0}, 2).output)
            << "address " << int(a);
    }
    standin::DeviceState s = standin::GetState(Driver::Meka, 1);
    EXPECT_TRUE(s.hasSensitivityMode);
    EXPECT_EQ(1, s.sensitivityMode);

    reply.value = 0xFFFF;
    reply.storeFixesWords = false;
    ASSERT_TRUE(standin::SetSensitivityReply(Driver::Meka, 1, reply));
    EXPECT_EQ((std::vector<uint8_t>{0xFF, 0xFF}), meka.Send(ioctl::kSensitivityCommand, {0, 0}, 2).output);
    ASSERT_TRUE(meka.Send(ioctl::kSensitivityMode, {1, 0}).ok);
    EXPECT_EQ((std::vector<uint8_t>{0x00, 0x00}), meka.Send(ioctl::kSensitivityData, {30, 0}, 2).output);
    EXPECT_EQ((std::vector<uint8_t>{0x0A, 0x11}), meka.Send(ioctl::kSensitivityData, {10, 0}, 2).output);
}

TEST_F(StandinTest, FailedRequestsCompleteWithTheStatusSet)
{
    DeviceFile rilo(Driver::Rilo, 3);
    const LONG kNotReady = static_cast<LONG>(0xC00000A3);   // STATUS_DEVICE_NOT_READY
    ASSERT_TRUE(standin::FailRequests(Driver::Rilo, 3, ioctl::kBeepEvent, kNotReady));
    IoResult r = rilo.Send(ioctl::kBeepEvent, Le32({0x44}));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(static_cast<DWORD>(ERROR_NOT_READY), r.error);
    EXPECT_FALSE(standin::GetState(Driver::Rilo, 3).beepEventRegistered);
    EXPECT_TRUE(rilo.Send(ioctl::kDeviceSegment, {1}).ok);   // other codes still work

    ASSERT_TRUE(standin::FailRequests(Driver::Rilo, 3, ioctl::kBeepEvent, 0));
    EXPECT_TRUE(rilo.Send(ioctl::kBeepEvent, Le32({0x44})).ok);
    std::vector<standin::LoggedRequest> log = standin::Select(standin::ReadLog(), Driver::Rilo, 3, ioctl::kBeepEvent);
    ASSERT_EQ(2u, log.size());
    EXPECT_EQ(kNotReady, log[0].status);
    EXPECT_EQ(0, log[1].status);
}

}  // namespace
