#pragma once
// The fixture of the tests that start from a silent install in a fresh prefix of their own, with
// Winlogon "Userinit" and the mouse class driver's key as Windows has them.
#include <gtest/gtest.h>

#include <string>

#include "UninstallRun.h"

namespace uninstalltest {

class InstalledSuite : public ::testing::Test {
protected:
    void SetUp() override
    {
        setuptest::PrepareWindowsState(registry_, setuptest::SystemUserinit().c_str());
        std::string output;
        ASSERT_TRUE(Install(&output)) << output;
    }

    std::wstring Userinit() const { return registry_.Read(setuptest::kWinlogonKey, L"Userinit").AsString(); }

    testsupport::ScratchRegistry registry_{testsupport::ScratchRegistry::RealPrefix};
};

}  // namespace uninstalltest
