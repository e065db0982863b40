#pragma once
// Every test starts with the simulated controller behind COM2 answering, back in its start
// state with an empty log, and with the port opened as the applet opens it.
#include <gtest/gtest.h>

#include "SerialPort.h"
#include "SerialSim.h"
#include "TestProcess.h"

class SerialSimTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sim.Running()) << "the simulated serial controller does not answer in C:\\serialsim\\com2; "
                                      "tools/test.sh starts it (wine_env_serialsim in tools/wine-env.sh)";
        ASSERT_TRUE(sim.Reset());
    }

    // Opens COM2 and checks that the simulator saw it open.
    void OpenPort(DWORD readTimeoutMs = 1000)
    {
        ASSERT_TRUE(port.Open(L"\\\\.\\COM2", readTimeoutMs)) << "error " << port.OpenError();
        ASSERT_TRUE(sim.WaitForEntry("open", "COM2", 5000)) << testsupport::SerialSim::Describe(sim.ReadLog());
    }

    // Closes the port and waits until the simulator has seen it closed.
    void ClosePort()
    {
        size_t closes = testsupport::SerialSim::Select(sim.ReadLog(), "close").size();
        port.Close();
        ASSERT_TRUE(sim.WaitForEntry("close", "COM2", 5000, nullptr, closes + 1))
            << testsupport::SerialSim::Describe(sim.ReadLog());
    }

    // Sends a command and reads `replyBytes` bytes of its answer (with a deadline).
    std::string Exchange(const std::string& command, size_t replyBytes, DWORD deadlineMs = 3000)
    {
        EXPECT_TRUE(port.Write(command + "\r"));
        return port.ReadAtLeast(replyBytes, deadlineMs);
    }

    std::string StateOf(const std::string& name) { return sim.State()[name]; }

    testsupport::SerialSim sim;
    SerialPort port;
};
