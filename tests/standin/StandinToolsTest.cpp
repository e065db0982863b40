// The client's service checks, its helpers, and standin-ctl.
#include <thread>

#include "StandinDeviceFile.h"
#include "TestPaths.h"
#include "TestProcess.h"

using standin::Driver;

namespace {

long RunCtl(const std::wstring& arguments)
{
    return testsupport::RunAndWait(L"\"" + testsupport::BinPath(L"standin-ctl.exe") + L"\" " + arguments);
}

TEST_F(StandinTest, ServicesAreInstalledAndRunning)
{
    EXPECT_TRUE(standin::Installed());
    EXPECT_TRUE(standin::Running());
}

TEST_F(StandinTest, CtlInjectsTouchesAndUnplugs)
{
    EXPECT_EQ(0, RunCtl(L"status"));
    EXPECT_EQ(0, RunCtl(L"touch MEKA3 700 800"));
    standin::DeviceState s = standin::GetState(Driver::Meka, 3);
    EXPECT_EQ(700, s.calibrationPoint[0]);
    EXPECT_EQ(800, s.calibrationPoint[1]);

    EXPECT_EQ(0, RunCtl(L"unplug RILO12"));
    EXPECT_FALSE(DeviceFile(Driver::Rilo, 12).IsOpen());
    EXPECT_EQ(0, RunCtl(L"replug RILO12"));
    EXPECT_TRUE(DeviceFile(Driver::Rilo, 12).IsOpen());

    EXPECT_EQ(0, RunCtl(L"state RILO0"));
    EXPECT_EQ(0, RunCtl(L"log"));
    EXPECT_EQ(1, RunCtl(L"end-one-touch RILO1"));   // not in a one-touch mode
    EXPECT_EQ(2, RunCtl(L"touch KEYBOARD1 1 1"));
    EXPECT_EQ(2, RunCtl(L"state MEKA99"));
}

TEST_F(StandinTest, WaitForRequestWaitsUntilTheRequestArrives)
{
    EXPECT_FALSE(standin::WaitForRequest(Driver::Rilo, 1, standin::ioctl::kUsePrimaryMode, 50));
    HANDLE started = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread sender([started] {
        WaitForSingleObject(started, 10000);
        DeviceFile rilo(Driver::Rilo, 1);
        rilo.Send(standin::ioctl::kDeviceSegment, {3});
        rilo.Send(standin::ioctl::kUsePrimaryMode, {0});
    });
    SetEvent(started);
    standin::LoggedRequest request;
    EXPECT_TRUE(standin::WaitForRequest(Driver::Rilo, 1, standin::ioctl::kUsePrimaryMode, 15000, &request));
    sender.join();
    CloseHandle(started);
    EXPECT_EQ(std::vector<uint8_t>{0}, request.input);
    EXPECT_FALSE(standin::WaitForRequest(Driver::Meka, 1, 0, 0));
}

TEST(StandinClient, DeviceFileNamesFollowTheProductFormat)
{
    EXPECT_EQ(L"\\\\.\\RILO0", standin::DeviceFileName(Driver::Rilo, 0));
    EXPECT_EQ(L"\\\\.\\MEKA12", standin::DeviceFileName(Driver::Meka, 12));
}

TEST(StandinClient, DescribeShowsDeviceCodeBytesAndStatus)
{
    standin::LoggedRequest r;
    r.driver = Driver::Meka;
    r.instance = 2;
    r.code = standin::ioctl::kPacketFilterSettings;
    r.input = {1, 2, 0xAB};
    r.inputSize = 3;
    r.status = static_cast<LONG>(0xC000000D);
    EXPECT_EQ("MEKA2 0x220010 in 3 [01 02 AB] out 0 -> 0xC000000D (0 returned)", standin::Describe(r));
}

TEST(StandinClient, SelectPicksOneDeviceAndCode)
{
    std::vector<standin::LoggedRequest> log(4);
    log[0].driver = Driver::Rilo, log[0].instance = 1, log[0].code = 1;
    log[1].driver = Driver::Meka, log[1].instance = 1, log[1].code = 1;
    log[2].driver = Driver::Rilo, log[2].instance = 1, log[2].code = 2;
    log[3].driver = Driver::Rilo, log[3].instance = 2, log[3].code = 1;
    EXPECT_EQ(2u, standin::Select(log, Driver::Rilo, 1).size());
    EXPECT_EQ(1u, standin::Select(log, Driver::Rilo, 1, 2).size());
}

TEST(StandinClient, Int32AtReadsLittleEndianValues)
{
    std::vector<uint8_t> bytes = Le32({5, 0xFFFFFFFE});
    EXPECT_EQ(5, standin::Int32At(bytes, 0));
    EXPECT_EQ(-2, standin::Int32At(bytes, 1));
    EXPECT_EQ(0, standin::Int32At(bytes, 2));
}

}  // namespace
