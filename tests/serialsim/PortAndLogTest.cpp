// The port behind COM2 and the simulator's log: what a program sees when it opens, writes and
// closes the port, and what the log records about it.
#include <algorithm>

#include "SerialSimFixture.h"

using testsupport::SerialSim;
using testsupport::SerialSimEntry;

TEST_F(SerialSimTest, OpeningWritingAndClosingAreLoggedInOrderWithTimes)
{
    long long before = SerialSim::NowMs();
    OpenPort();
    EXPECT_EQ(Exchange("ST", 8), "ST 0500\r");
    ClosePort();
    long long after = SerialSim::NowMs();

    auto log = sim.ReadLog();
    std::vector<std::string> kinds;
    for (const auto& e : log)
        kinds.push_back(e.kind + " " + e.text);
    EXPECT_EQ(kinds, (std::vector<std::string>{"open COM2", "cmd ST", "reply ST 0500\r", "close COM2"}))
        << SerialSim::Describe(log);
    for (size_t i = 0; i < log.size(); ++i) {
        // Both sides read the same system clock; allow for its granularity.
        EXPECT_GE(log[i].timeMs, before - 20) << SerialSim::Describe(log);
        EXPECT_LE(log[i].timeMs, after + 20) << SerialSim::Describe(log);
        if (i > 0) {
            EXPECT_GE(log[i].timeMs, log[i - 1].timeMs) << SerialSim::Describe(log);
        }
    }
}

TEST_F(SerialSimTest, PortOpensByItsPlainNameAndByItsDevicePath)
{
    for (const wchar_t* name : {L"COM2", L"\\\\.\\COM2"}) {
        ASSERT_TRUE(port.Open(name)) << "error " << port.OpenError();
        EXPECT_EQ(Exchange("ST", 8), "ST 0500\r");
        ClosePort();
    }
}

TEST_F(SerialSimTest, PortWorksWithTheLineSettingsItAlreadyHas)
{
    // The applet only reads the port's state; replies must still arrive byte for byte (no CR
    // translation, no echo), the block with its CR included.
    ASSERT_TRUE(port.Open(L"COM2", 1000, true)) << "error " << port.OpenError();
    EXPECT_EQ(Exchange("ST", 8), "ST 0500\r");
    ASSERT_TRUE(port.Write("CR\rDW\rMR\r"));
    std::string block = port.Read(250);
    ASSERT_EQ(block.size(), 250u);
    EXPECT_EQ(block.substr(0, 10), "#0000 AAAA");
    EXPECT_EQ(block.back(), '\r');
    EXPECT_TRUE(SerialSim::Select(sim.ReadLog(), "junk").empty())
        << "the controller got its own replies back:\n" << SerialSim::Describe(sim.ReadLog());
}

TEST_F(SerialSimTest, PortKeepsTheLineSettingsAndTimeoutsItWasGiven)
{
    OpenPort(750);
    DCB dcb{};
    dcb.DCBlength = sizeof(dcb);
    ASSERT_TRUE(GetCommState(port.Handle(), &dcb)) << GetLastError();
    EXPECT_EQ(dcb.BaudRate, static_cast<DWORD>(CBR_9600));
    EXPECT_EQ(dcb.ByteSize, 8);
    EXPECT_EQ(dcb.Parity, NOPARITY);
    COMMTIMEOUTS t{};
    ASSERT_TRUE(GetCommTimeouts(port.Handle(), &t));
    EXPECT_EQ(t.ReadIntervalTimeout, MAXDWORD);
    EXPECT_EQ(t.ReadTotalTimeoutConstant, 750u);
    EXPECT_EQ(t.WriteTotalTimeoutConstant, 1000u);
}

TEST_F(SerialSimTest, ReadWaitsItsTotalTimeoutForBytesThatDoNotCome)
{
    OpenPort(300);
    DWORD start = GetTickCount();
    EXPECT_EQ(port.Read(2), "");
    DWORD waited = GetTickCount() - start;
    EXPECT_GE(waited, 250u);
    EXPECT_LT(waited, 5000u);
    // One byte of two: the read still waits for the second until the time-out, then returns one.
    ASSERT_TRUE(sim.SetMode("short"));   // "ST 05": five bytes
    ASSERT_TRUE(port.Write("ST\r"));
    EXPECT_EQ(port.Read(2), "ST");
    EXPECT_EQ(port.Read(2), " 0");
    start = GetTickCount();
    EXPECT_EQ(port.Read(2), "5");
    EXPECT_GE(GetTickCount() - start, 250u);
}

TEST_F(SerialSimTest, ComTwoIsListedAmongTheSystemsSerialPorts)
{
    HKEY map = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &map), ERROR_SUCCESS);
    bool found = false;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256], data[256] = {};
        DWORD nameChars = 256, dataBytes = sizeof(data) - sizeof(wchar_t);
        if (RegEnumValueW(map, i, name, &nameChars, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &dataBytes) !=
            ERROR_SUCCESS)
            break;
        found = found || std::wstring(data) == L"COM2";
    }
    RegCloseKey(map);
    EXPECT_TRUE(found);
}

TEST_F(SerialSimTest, CommandSplitAcrossWritesIsOneCommand)
{
    OpenPort();
    ASSERT_TRUE(port.Write("S"));
    EXPECT_TRUE(testsupport::WaitUntil([&] { return StateOf("partial") == "S"; }, 3000));
    ASSERT_TRUE(port.Write("T"));
    EXPECT_TRUE(testsupport::WaitUntil([&] { return StateOf("partial") == "ST"; }, 3000));
    EXPECT_EQ(Exchange("", 8), "ST 0500\r");
    EXPECT_EQ(StateOf("partial"), "");
    EXPECT_EQ(SerialSim::Commands(sim.ReadLog()), std::vector<std::string>{"ST"});
}

TEST_F(SerialSimTest, MalformedAndUnknownCommandsGetNoAnswer)
{
    OpenPort(200);
    // Lower case, three letters and a bare carriage return are not commands; "XY" is a command
    // the controller does not know.
    ASSERT_TRUE(port.Write("st\rSTX\r\rXY\r"));
    ASSERT_TRUE(sim.WaitForCommand("XY", 3000)) << SerialSim::Describe(sim.ReadLog());
    EXPECT_EQ(port.Read(8), "");
    EXPECT_EQ(Exchange("ST", 8), "ST 0500\r") << "the controller still answers afterwards";
    auto log = sim.ReadLog();
    std::vector<std::string> junk;
    for (const auto& e : SerialSim::Select(log, "junk"))
        junk.push_back(e.text);
    EXPECT_EQ(junk, (std::vector<std::string>{"st\r", "STX\r", "\r"})) << SerialSim::Describe(log);
    EXPECT_EQ(SerialSim::Commands(log), (std::vector<std::string>{"XY", "ST"}));
    EXPECT_EQ(SerialSim::Select(log, "reply").size(), 1u) << SerialSim::Describe(log);
}

TEST_F(SerialSimTest, ReplyLeftUnreadIsGoneWhenThePortOpensAgain)
{
    OpenPort(300);
    ASSERT_TRUE(port.Write("ST\r"));
    ASSERT_TRUE(sim.WaitForEntry("reply", "ST 0500\r", 3000));
    ClosePort();
    SerialSimEntry unread;
    EXPECT_TRUE(sim.WaitForEntry("unread", "", 100, &unread)) << SerialSim::Describe(sim.ReadLog());
    EXPECT_EQ(unread.text, "ST 0500\r");
    OpenPort(300);
    EXPECT_EQ(port.Read(16), "") << "stale reply bytes reached the next opener";
}

TEST_F(SerialSimTest, SecondOpenerIsNotRefusedByWine)
{
    // Wine does not enforce the exclusive open of a COM port: the simulator's "busy" port state
    // stands in for a port that another program holds (see SerialSimPortStates).
    OpenPort();
    HANDLE second = CreateFileW(L"\\\\.\\COM2", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(second, INVALID_HANDLE_VALUE);
    if (second != INVALID_HANDLE_VALUE)
        CloseHandle(second);
}

struct PortStateCase {
    const char* state;
    DWORD openError;        // 0: opens
    bool commStateWorks;
    bool writesGoOut;       // on a port whose state reads
};

class SerialSimPortStates : public SerialSimTest, public ::testing::WithParamInterface<PortStateCase> {};

TEST_P(SerialSimPortStates, PortFailsAsARealPortDoes)
{
    const auto& c = GetParam();
    ASSERT_TRUE(sim.Request(std::string("port ") + c.state));
    EXPECT_EQ(StateOf("port-state"), c.state);
    HANDLE h = CreateFileW(L"COM2", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    DWORD openError = h == INVALID_HANDLE_VALUE ? GetLastError() : 0;
    EXPECT_EQ(openError, c.openError);
    if (h != INVALID_HANDLE_VALUE) {
        DCB dcb{};
        dcb.DCBlength = sizeof(dcb);
        EXPECT_EQ(GetCommState(h, &dcb) != FALSE, c.commStateWorks);
        // With the applet's write time-out, a line that holds what is written ends the write
        // with nothing written.
        COMMTIMEOUTS timeouts{MAXDWORD, 0, 1000, 0, 1000};
        if (c.commStateWorks && SetCommTimeouts(h, &timeouts)) {
            DWORD written = 0;
            EXPECT_TRUE(WriteFile(h, "ST\r", 3, &written, nullptr)) << GetLastError();
            EXPECT_EQ(written, c.writesGoOut ? 3u : 0u);
        } else {
            EXPECT_FALSE(c.commStateWorks) << "SetCommTimeouts failed: " << GetLastError();
        }
        CloseHandle(h);
    }
    if (c.commStateWorks) {
        // Once the simulator has seen the port close, every command that arrived is in its log.
        ASSERT_TRUE(sim.WaitForEntry("close", "COM2", 5000)) << SerialSim::Describe(sim.ReadLog());
        const auto log = sim.ReadLog();
        EXPECT_EQ(SerialSim::Commands(log), c.writesGoOut ? std::vector<std::string>{"ST"} : std::vector<std::string>{})
            << SerialSim::Describe(log);
    }
    // Reset makes the port ready again.
    ASSERT_TRUE(sim.Reset());
    EXPECT_EQ(StateOf("port-state"), "ready");
    OpenPort();
    EXPECT_EQ(Exchange("ST", 8), "ST 0500\r");
}

INSTANTIATE_TEST_SUITE_P(States, SerialSimPortStates,
                         ::testing::Values(PortStateCase{"busy", ERROR_ACCESS_DENIED, false, false},
                                           PortStateCase{"no-state", 0, false, false},
                                           PortStateCase{"xoff", 0, true, false},
                                           PortStateCase{"ready", 0, true, true}),
                         [](const auto& info) {
                             std::string n = info.param.state;
                             n.erase(std::remove(n.begin(), n.end(), '-'), n.end());
                             return n;
                         });
