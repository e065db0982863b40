// The Hardware page's Write and Read for a serial controller, against the simulated controller
// behind COM2: the exact commands on the port, the driver's disable and enable around each use
// of the port, and every result message.
#include <iostream>
#include <string>
#include <vector>

#include "HardwareTestBase.h"
#include "ImportRedirect.h"

using namespace applettest;
using namespace testsupport;

namespace {
std::vector<std::string> PortTrail(const std::vector<SerialSimEntry>& log)
{
    std::vector<std::string> trail;
    for (const auto& e : log)
        if (e.kind == "open" || e.kind == "close" || e.kind == "cmd")
            trail.push_back(e.kind == "cmd" ? e.text : e.kind);
    return trail;
}

using Trail = std::vector<std::string>;

// A data block that passes all three checks of a write.
std::string PassingBlock()
{
    std::string block(250, '.');
    block.replace(0, 10, "#0000 AAAA");
    block.back() = '\r';
    return block;
}

// The applet's PurgeComm, failing: Wine's never fails on a port whose state can be read.
BOOL WINAPI RefusePurge(HANDLE, DWORD)
{
    SetLastError(ERROR_GEN_FAILURE);
    return FALSE;
}
}  // namespace

class SerialDataTools : public SerialToolsTest {
protected:
    void OpenPageOnTheController()
    {
        device = SerialDevice();
        Prepare(device, 3);
        OPEN_HARDWARE_PAGE();
        ASSERT_TRUE(standin::ClearLog());
        ASSERT_TRUE(sim.ClearLog());
    }

    // The simulator's log once it has seen the port closed `closes` times.
    std::vector<SerialSimEntry> LogAfterCloses(size_t closes)
    {
        EXPECT_TRUE(sim.WaitForEntry("close", "COM2", 5000, nullptr, closes)) << SerialSim::Describe(sim.ReadLog());
        return sim.ReadLog();
    }

    DeviceRow device;
};

TEST_F(SerialDataTools, WriteStoresTheDataAndReportsFinished)
{
    ASSERT_NO_FATAL_FAILURE(OpenPageOnTheController());
    ASSERT_TRUE(sim.SetValue(420));
    Press(page, IDC_HW_WRITE);
    EXPECT_BOX(L"Sensitive Data", L"Click on [Yes] to Write Data", IDYES);
    // The notice is up from before "CR" until the block has been read.
    HWND notice = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (notice = FindDialogWithControl(IDC_DONT_TOUCH_TEXT)) != nullptr; }));
    EXPECT_EQ(TextWithoutMessage(GetDlgItem(notice, IDC_DONT_TOUCH_TEXT)), L"Don't Touch it during Writing...");
    EXPECT_BOX(L"Check", L" Finished ");
    EXPECT_TRUE(WaitToolsBack());
    EXPECT_FALSE(IsWindow(notice));

    auto log = LogAfterCloses(2);
    EXPECT_EQ(PortTrail(log), (Trail{"open", "ST", "close", "open", "CR", "DW", "MR", "close"}))
        << SerialSim::Describe(log);
    auto commands = SerialSim::Select(log, "cmd");
    ASSERT_EQ(commands.size(), 4u);
    // Half a second between the commands of the write (the simulator stamps what it receives).
    EXPECT_GE(commands[2].timeMs - commands[1].timeMs, 400) << SerialSim::Describe(log);
    EXPECT_GE(commands[3].timeMs - commands[2].timeMs, 400) << SerialSim::Describe(log);
    EXPECT_EQ(sim.State()["stored-value"], "420");
    EXPECT_EQ(DisableEnableTrail(device), "DEDE") << standin::Describe(standin::ReadLog());
    EXPECT_TRUE(standin::GetState(standin::Driver::Rilo, 1).enabled);
    std::cout << "serial Write as the simulated controller logged it:\n" << SerialSim::Describe(log);
}

struct WriteFaultCase {
    const char* mode;
    const wchar_t* message;
};

void PrintTo(const WriteFaultCase& c, std::ostream* out) { *out << c.mode; }

class SerialWriteFaults : public SerialDataTools, public ::testing::WithParamInterface<WriteFaultCase> {};

TEST_P(SerialWriteFaults, ReportTheFirstFailedCheck)
{
    const WriteFaultCase c = GetParam();
    ASSERT_NO_FATAL_FAILURE(OpenPageOnTheController());
    Press(page, IDC_HW_WRITE);
    // The probe ("ST") has been answered once the question is up: the fault acts on the write.
    MessageBoxInfo question = WaitMessageBox(kDefaultDeadlineMs);
    ASSERT_TRUE(question);
    ASSERT_TRUE(sim.SetMode(c.mode));
    ASSERT_TRUE(DismissMessageBox(question, IDYES));
    EXPECT_BOX(L"Check", c.message);
    EXPECT_TRUE(WaitToolsBack());
    auto log = LogAfterCloses(2);
    EXPECT_EQ(SerialSim::Commands(log), (Trail{"ST", "CR", "DW", "MR"})) << SerialSim::Describe(log);
    EXPECT_EQ(DisableEnableTrail(device), "DEDE");
}

INSTANTIATE_TEST_SUITE_P(Modes, SerialWriteFaults,
                         ::testing::Values(WriteFaultCase{"bad-block-0", L"Write Error!! [0]"},
                                           WriteFaultCase{"bad-block-a", L"Write Error!! [A]"},
                                           WriteFaultCase{"bad-block-copy", L" Failed!!"},
                                           // Half a block: the checked bytes never came.
                                           WriteFaultCase{"short", L" Failed!!"},
                                           WriteFaultCase{"silence", L" Failed!!"}),
                         [](const ::testing::TestParamInfo<WriteFaultCase>& info) {
                             std::string name = info.param.mode;
                             for (char& ch : name)
                                 if (ch == '-')
                                     ch = '_';
                             return name;
                         });

TEST_F(SerialDataTools, WriteJudgesTheBlockTheControllerSendsNotOneLeftInThePort)
{
    ASSERT_NO_FATAL_FAILURE(OpenPageOnTheController());
    Press(page, IDC_HW_WRITE);
    MessageBoxInfo question = WaitMessageBox(kDefaultDeadlineMs);
    ASSERT_TRUE(question);
    // This write fails the first check, while a block that passes every check (as from an
    // earlier write) waits in the port.
    ASSERT_TRUE(sim.SetMode("bad-block-0"));
    ASSERT_TRUE(sim.LeaveStale(PassingBlock()));
    ASSERT_TRUE(DismissMessageBox(question, IDYES));
    EXPECT_BOX(L"Check", L"Write Error!! [0]");
    EXPECT_TRUE(WaitToolsBack());
    auto log = LogAfterCloses(2);
    EXPECT_EQ(SerialSim::Commands(log), (Trail{"ST", "CR", "DW", "MR"})) << SerialSim::Describe(log);
    EXPECT_EQ(DisableEnableTrail(device), "DEDE");
}

// The probe before anything is stored: every way it can fail ends in "Disable" and leaves
// the device enabled.
struct ProbeFaultCase {
    const char* name;
    const char* setup;    // request to the simulator
    std::vector<std::pair<std::wstring, std::wstring>> boxes;   // caption, text before "Disable"
    Trail commands;
};

void PrintTo(const ProbeFaultCase& c, std::ostream* out) { *out << c.name; }

class SerialProbeFaults : public SerialDataTools, public ::testing::WithParamInterface<ProbeFaultCase> {};

TEST_P(SerialProbeFaults, EndInDisable)
{
    const ProbeFaultCase c = GetParam();
    ASSERT_NO_FATAL_FAILURE(OpenPageOnTheController());
    ASSERT_TRUE(sim.Request(c.setup));
    Press(page, IDC_HW_WRITE);
    for (const auto& box : c.boxes)
        EXPECT_BOX(box.first, box.second);
    EXPECT_BOX(L"Check", L"Disable");
    EXPECT_TRUE(WaitToolsBack());
    // The simulator logs what it receives on its own time, and a silent controller's "ST" has no
    // answer the applet waited for; once it has seen the probe close the port, every command is
    // in its log. A port that never opened has no close to wait for.
    const auto log = c.commands.empty() ? sim.ReadLog() : LogAfterCloses(1);
    EXPECT_EQ(SerialSim::Commands(log), c.commands) << SerialSim::Describe(log);
    EXPECT_EQ(DisableEnableTrail(device), "DE") << standin::Describe(standin::ReadLog());
    EXPECT_TRUE(standin::GetState(standin::Driver::Rilo, 1).enabled);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, SerialProbeFaults,
    ::testing::Values(
        ProbeFaultCase{"silence", "mode silence", {}, {"ST"}},
        ProbeFaultCase{"port_busy", "port busy", {{kAppCaption, L"5"}, {kAppCaption, L"Failed to Open COM"}}, {}},
        ProbeFaultCase{"port_without_state", "port no-state", {{kAppCaption, L"Failed to GetCOMMState"}}, {}},
        ProbeFaultCase{"range", "mode range", {{kAppCaption, L"Receive Value Range Error!"}}, {"ST", "ST", "ST", "ST"}},
        ProbeFaultCase{"non_digit", "mode nondigit", {{kAppCaption, L"Receive Value Error!"}}, {"ST", "ST", "ST", "ST"}},
        // The field would need a sixth read: no value, and no message of its own.
        ProbeFaultCase{"prefix_too_long", "set prefix ABCDEF", {}, {"ST"}}),
    [](const ::testing::TestParamInfo<ProbeFaultCase>& info) { return std::string(info.param.name); });

TEST_F(SerialDataTools, APortWhoseInputCannotBeEmptiedSaysSoAndEnablesTheDevice)
{
    ASSERT_NO_FATAL_FAILURE(OpenPageOnTheController());
    ImportRedirect refuse(L"kernel32.dll", "PurgeComm", reinterpret_cast<void*>(&RefusePurge),
                          GetModuleHandleW(L"Tunora.cpl"));
    ASSERT_TRUE(refuse.Active());
    Press(page, IDC_HW_WRITE);
    EXPECT_BOX(kAppCaption, L"Failed to Clear COM Input");
    EXPECT_BOX(L"Check", L"Disable");
    EXPECT_TRUE(WaitToolsBack());
    EXPECT_EQ(SerialSim::Commands(sim.ReadLog()), Trail{}) << SerialSim::Describe(sim.ReadLog());
    EXPECT_EQ(DisableEnableTrail(device), "DE") << standin::Describe(standin::ReadLog());
    EXPECT_TRUE(standin::GetState(standin::Driver::Rilo, 1).enabled);
}

TEST_F(SerialDataTools, NoToTheQuestionStoresNothing)
{
    ASSERT_NO_FATAL_FAILURE(OpenPageOnTheController());
    Press(page, IDC_HW_WRITE);
    EXPECT_BOX(L"Sensitive Data", L"Click on [Yes] to Write Data", IDNO);
    EXPECT_TRUE(WaitToolsBack());
    EXPECT_EQ(SerialSim::Commands(LogAfterCloses(1)), Trail{"ST"});
    EXPECT_EQ(DisableEnableTrail(device), "DE");
}

TEST_F(SerialDataTools, ReadFetchesTheStoredDataWithoutAMessage)
{
    ASSERT_NO_FATAL_FAILURE(OpenPageOnTheController());
    ASSERT_TRUE(sim.SetValue(420));   // the stored data still holds 500
    Press(page, IDC_HW_READ);
    EXPECT_BOX(L"Sensitive Data", L"Click on [Yes] to Read Data", IDYES);
    EXPECT_TRUE(WaitToolsBack());
    auto log = LogAfterCloses(2);
    EXPECT_EQ(PortTrail(log), (Trail{"open", "ST", "close", "open", "DR", "close"})) << SerialSim::Describe(log);
    auto dr = SerialSim::Select(log, "cmd").back();
    auto close = SerialSim::Select(log, "close").back();
    EXPECT_GE(close.timeMs - dr.timeMs, 400) << "the controller gets half a second before the port closes";
    EXPECT_EQ(sim.State()["value"], "500");
    EXPECT_EQ(DisableEnableTrail(device), "DEDE");
    EXPECT_FALSE(WaitMessageBox(200)) << "Read ends without a message";
}

TEST_F(SerialDataTools, ReadOnAPortHeldElsewhereSaysSoAndEnablesTheDevice)
{
    ASSERT_NO_FATAL_FAILURE(OpenPageOnTheController());
    Press(page, IDC_HW_READ);
    // The port is taken once the probe is through.
    MessageBoxInfo question = WaitMessageBox(kDefaultDeadlineMs);
    ASSERT_TRUE(question);
    ASSERT_TRUE(sim.Request("port busy"));
    ASSERT_TRUE(DismissMessageBox(question, IDYES));
    EXPECT_BOX(kAppCaption, L"Failed to Open COM");
    EXPECT_TRUE(WaitToolsBack());
    EXPECT_EQ(SerialSim::Commands(sim.ReadLog()), Trail{"ST"});
    EXPECT_EQ(DisableEnableTrail(device), "DEDE");
    EXPECT_TRUE(standin::GetState(standin::Driver::Rilo, 1).enabled);
}

TEST_F(SerialDataTools, ToolsAreDisabledWhileTheyRun)
{
    ASSERT_NO_FATAL_FAILURE(OpenPageOnTheController());
    Press(page, IDC_HW_WRITE);
    MessageBoxInfo question = WaitMessageBox(kDefaultDeadlineMs);
    ASSERT_TRUE(question);
    for (int id : {IDC_HW_WRITE, IDC_HW_READ, IDC_HW_SENSITIVE, IDC_HW_ADVANCED})
        EXPECT_FALSE(Enabled(id)) << "control " << id;
    ASSERT_TRUE(DismissMessageBox(question, IDNO));
    EXPECT_TRUE(WaitToolsBack());
    EXPECT_TRUE(Enabled(IDC_HW_READ));
    EXPECT_TRUE(Enabled(IDC_HW_ADVANCED));
}
