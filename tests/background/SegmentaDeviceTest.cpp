// Segmenta's steps in this process: its registry redirected to a scratch key, its requests going
// to the stand-in drivers.
#include <gtest/gtest.h>

#include <windows.h>
#include <winternl.h>

#include "BackgroundFixtures.h"
#include "BeepEvents.h"
#include "ControllerPower.h"
#include "DeviceKeyFixture.h"
#include "DeviceKeys.h"
#include "DisplayRotation.h"
#include "DisplaySegments.h"
#include "Equipment.h"
#include "StandinClient.h"

using namespace testsupport;
using standin::Driver;
using standin::LoggedRequest;

namespace bt = backgroundtest;

using namespace segmenta;

namespace {

using bt::kSecondaryMonitorSegment;
using bt::OnSegment;
using bt::RequestsOf;

// The handles this process holds, as the system's handle list tells (GetProcessHandleCount
// answers 0 under Wine).
size_t OwnHandleCount()
{
    struct Entry {
        ULONG pid;
        UCHAR type;
        UCHAR flags;
        USHORT handle;
        PVOID object;
        ACCESS_MASK access;
    };
    struct List {
        ULONG count;
        Entry entries[1];
    };
    constexpr auto kSystemHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(16);
    constexpr NTSTATUS kLengthMismatch = static_cast<NTSTATUS>(0xC0000004);
    std::vector<BYTE> buffer(1 << 20);
    ULONG length = 0;
    NTSTATUS status;
    while ((status = NtQuerySystemInformation(kSystemHandleInformation, buffer.data(),
                                              static_cast<ULONG>(buffer.size()), &length)) == kLengthMismatch)
        buffer.resize(buffer.size() * 2);
    if (status != 0)
        return 0;
    const auto* list = reinterpret_cast<const List*>(buffer.data());
    size_t own = 0;
    for (ULONG i = 0; i < list->count; ++i)
        if (list->entries[i].pid == GetCurrentProcessId())
            ++own;
    return own;
}

class SegmentaSteps : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQUIPMENT(standin::Running() && standin::Reset(), "the stand-in drivers"); }
    ScratchRegistry reg;
};

TEST_F(SegmentaSteps, SecondaryMonitorCodeGoesToEveryDeviceOnTheSecondaryMonitor)
{
    AddDevice(reg, OnSegment(Serial(1, L"Serial On Secondary"), kSecondaryMonitorSegment));
    AddDevice(reg, OnSegment(Serial(2, L"Serial On Primary"), 1));
    AddDevice(reg, OnSegment(Usb(1, L"Usb On Secondary"), kSecondaryMonitorSegment));
    // A key under the serial driver whose type says USB: its driver follows the type.
    AddDevice(reg, OnSegment(Serial(3, L"Typed Usb"), kSecondaryMonitorSegment));
    reg.SetString(SerialKey(3), L"Controller Type", kUsbControllerType);
    // No segment value at all: not touched.
    reg.Fill({RegRow::Str(UsbKey(4), L"Device Name", L"No Segment")});

    UpdateSecondarySegments();

    const auto requests = RequestsOf(standin::ioctl::kDeviceSegment);
    ASSERT_EQ(bt::DevicesOf(requests), (std::vector<std::string>{"RILO1", "MEKA3", "MEKA1"}))
        << standin::Describe(requests);
    for (const auto& request : requests)
        EXPECT_EQ(request.input, std::vector<uint8_t>{19}) << bt::DeviceOf(request);
    for (const std::wstring& key : {SerialKey(1), SerialKey(3), UsbKey(1)}) {
        const RegValue id = reg.Read(key, L"Logical Desktop Segment ID");
        EXPECT_EQ(id.type, static_cast<DWORD>(REG_DWORD));
        EXPECT_EQ(id.AsDword(), 19u) << std::string(key.begin(), key.end());
    }
    EXPECT_FALSE(reg.Read(SerialKey(2), L"Logical Desktop Segment ID").present);
    EXPECT_FALSE(reg.Read(UsbKey(4), L"Logical Desktop Segment ID").present);
}

TEST_F(SegmentaSteps, UnreachableDeviceStillGetsTheCodeWrittenAndTheStepGoesOn)
{
    AddDevice(reg, OnSegment(Serial(1, L"Unplugged"), kSecondaryMonitorSegment));
    AddDevice(reg, OnSegment(Serial(2, L"Present"), kSecondaryMonitorSegment));
    reg.SetDword(SerialKey(1), L"Logical Desktop Segment ID", 4);
    ASSERT_TRUE(standin::Unplug(Driver::Rilo, 1));

    UpdateSecondarySegments();

    EXPECT_EQ(reg.Read(SerialKey(1), L"Logical Desktop Segment ID").AsDword(), 19u);
    EXPECT_EQ(bt::DevicesOf(RequestsOf(standin::ioctl::kDeviceSegment)), (std::vector<std::string>{"RILO2"}));
}

// Every key and handle a step opens is closed again: the process holds no more handles after
// many rounds than after the first.
TEST_F(SegmentaSteps, StepsCloseEveryKeyAndHandleTheyOpen)
{
    AddDevice(reg, OnSegment(Serial(1, L"RILO Device-1"), kSecondaryMonitorSegment));
    AddDevice(reg, OnSegment(Usb(1, L"Usb"), kSecondaryMonitorSegment));
    AddProduct(reg, {1, kInstallDir, L"", L"RILO Device-1"});
    DisplayOrientationRequest request{};
    auto round = [&] {
        UpdateSecondarySegments();
        ApplyRotation(CurrentDisplayMode(), request);
        SuspendControllers();
    };
    round();
    const size_t before = OwnHandleCount();
    ASSERT_GT(before, 0u);
    for (int i = 0; i < 20; ++i)
        round();
    EXPECT_EQ(OwnHandleCount(), before);
    EXPECT_EQ(RequestsOf(standin::ioctl::kDeviceSegment).size(), 42u);
}

struct RotationCase {
    const char* name;
    bool rotationPresent;
    DWORD rotation;
    DWORD displayOrientation;
    bool sent;
    DWORD code;
};

void PrintTo(const RotationCase& c, std::ostream* out) { *out << c.name; }

class RotationSetting : public SegmentaSteps, public ::testing::WithParamInterface<RotationCase> {};

TEST_P(RotationSetting, DecidesWhatTheCurrentDeviceGets)
{
    const RotationCase& c = GetParam();
    AddDevice(reg, Serial(1, L"Other"));
    AddDevice(reg, Usb(2, L"Current"));
    AddProduct(reg, {1, kInstallDir, L"", L"Current"});
    if (c.rotationPresent)
        reg.SetDword(kProductKeyPath, L"Rotation", c.rotation);
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    mode.dmDisplayOrientation = c.displayOrientation;
    mode.dmPelsWidth = 1600;
    mode.dmPelsHeight = 900;
    DisplayOrientationRequest request{};

    EXPECT_TRUE(ApplyRotation(mode, request));

    const auto requests = RequestsOf(standin::ioctl::kDisplayOrientation);
    if (!c.sent) {
        EXPECT_TRUE(requests.empty()) << standin::Describe(requests);
        return;
    }
    ASSERT_EQ(bt::DevicesOf(requests), (std::vector<std::string>{"MEKA2"}));
    ASSERT_EQ(requests[0].input.size(), 12u);
    EXPECT_EQ(standin::Int32At(requests[0].input, 0), static_cast<int32_t>(c.code));
    EXPECT_EQ(standin::Int32At(requests[0].input, 1), 1600);
    EXPECT_EQ(standin::Int32At(requests[0].input, 2), 900);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RotationSetting,
    ::testing::Values(RotationCase{"Missing", false, 0, DMDO_90, true, 1},
                      RotationCase{"AsReported", true, 0, DMDO_270, true, 3},
                      RotationCase{"Swapped90", true, 1, DMDO_90, true, 3},
                      RotationCase{"Swapped270", true, 1, DMDO_270, true, 1},
                      RotationCase{"SwappedUpsideDown", true, 1, DMDO_180, true, 2},
                      RotationCase{"Two", true, 2, DMDO_90, false, 0},
                      RotationCase{"Ten", true, 10, DMDO_DEFAULT, false, 0}),
    [](const ::testing::TestParamInfo<RotationCase>& info) { return std::string(info.param.name); });

TEST_F(SegmentaSteps, RequestBufferKeepsTheLastCodeForAnUnknownOrientation)
{
    AddDevice(reg, Serial(1, L"Current"));
    AddProduct(reg, {1, kInstallDir, L"", L"Current"});
    reg.SetDword(kProductKeyPath, L"Rotation", 1);
    DisplayOrientationRequest request{};
    DEVMODEA mode{};
    mode.dmDisplayOrientation = DMDO_90;
    ApplyRotation(mode, request);
    mode.dmDisplayOrientation = 6;
    ApplyRotation(mode, request);
    const auto requests = RequestsOf(standin::ioctl::kDisplayOrientation);
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(standin::Int32At(requests[0].input, 0), 3);
    EXPECT_EQ(standin::Int32At(requests[1].input, 0), 3);
    EXPECT_EQ(request.orientation, 3u);
}

TEST_F(SegmentaSteps, NoCurrentDeviceGetsNothing)
{
    AddDevice(reg, Serial(1, L"Front"));
    DisplayOrientationRequest request{};
    ApplyRotation(CurrentDisplayMode(), request);   // no product key at all
    AddProduct(reg, {1, kInstallDir, L"", L"front"});   // names compare case-sensitively
    ApplyRotation(CurrentDisplayMode(), request);
    AddProduct(reg, {1, kInstallDir, L"", L"Gone"});
    ApplyRotation(CurrentDisplayMode(), request);
    EXPECT_TRUE(standin::ReadLog().empty()) << standin::Describe(standin::ReadLog());
}

// The devices switched across suspend and resume: only serial controllers with the default
// names 1 to 3 that the user has not switched off.
class ControllerPowerSteps : public SegmentaSteps {
protected:
    void SetUp() override
    {
        SegmentaSteps::SetUp();
        bt::AddPowerDevices(reg);
    }
    static std::vector<std::string> Switched(DWORD code) { return bt::DevicesOf(RequestsOf(code)); }
};

TEST_F(ControllerPowerSteps, SuspendSwitchesOffTheDefaultSerialControllersThatAreOn)
{
    SuspendControllers();
    EXPECT_EQ(Switched(standin::ioctl::kDisableDevice), (std::vector<std::string>{"RILO1", "RILO7"}));
    EXPECT_TRUE(Switched(standin::ioctl::kEnableDevice).empty());
    EXPECT_FALSE(standin::GetState(Driver::Rilo, 1).enabled);
    EXPECT_TRUE(standin::GetState(Driver::Rilo, 4).enabled);
}

TEST_F(ControllerPowerSteps, ResumeSwitchesThemOffAndOnAgainASecondLater)
{
    ResumeControllers();
    const auto log = standin::ReadLog();
    ASSERT_EQ(bt::DevicesOf(log), (std::vector<std::string>{"RILO1", "RILO7", "RILO1", "RILO7"}))
        << standin::Describe(log);
    EXPECT_EQ(log[0].code, standin::ioctl::kDisableDevice);
    EXPECT_EQ(log[1].code, standin::ioctl::kDisableDevice);
    EXPECT_EQ(log[2].code, standin::ioctl::kEnableDevice);
    EXPECT_EQ(log[3].code, standin::ioctl::kEnableDevice);
    const int64_t frequency = standin::TimestampFrequency(Driver::Rilo);
    ASSERT_GT(frequency, 0);
    EXPECT_GE((log[2].timestamp - log[1].timestamp) * 1000 / frequency, 990) << "rest between off and on, in ms";
    EXPECT_TRUE(standin::GetState(Driver::Rilo, 1).enabled);
    EXPECT_TRUE(standin::GetState(Driver::Rilo, 7).enabled);
}

TEST_F(ControllerPowerSteps, OneDeviceByKindAndIndex)
{
    SetControllerPower(false, DeviceFamily::Usb, 1);
    SetControllerPower(true, DeviceFamily::Serial, 2);   // switched off by the user
    SetControllerPower(true, DeviceFamily::Serial, 6);   // no "Controller Enabled"
    SetControllerPower(true, DeviceFamily::Serial, 9);   // no such device
    SetControllerPower(true, DeviceFamily::Serial, 4);
    const auto log = standin::ReadLog();
    ASSERT_EQ(bt::DevicesOf(log), (std::vector<std::string>{"MEKA1", "RILO5"})) << standin::Describe(log);
    EXPECT_EQ(log[0].code, standin::ioctl::kDisableDevice);
    EXPECT_EQ(log[1].code, standin::ioctl::kEnableDevice);
    EXPECT_EQ(log[1].inputSize, 0u);
}

}  // namespace
