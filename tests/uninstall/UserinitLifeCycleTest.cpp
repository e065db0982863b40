// Winlogon "Userinit" through a silent install and the uninstall, each row in a fresh prefix of
// its own: the states Windows, the user and other installers leave the value in. The system's
// logon program stays first and nothing another program put there is lost; the uninstall puts
// the value back byte for byte with its type. A value the install cannot extend safely (none,
// empty, no text) is left as it is and the install says Chimer is not started at logon.
// Each row prints itself as a line of a table ("[userinit-table] ...").
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "SetupRun.h"
#include "TestNames.h"
#include "UninstallRun.h"

using namespace uninstalltest;
using setuptest::kWinlogonKey;
using setuptest::SystemUserinit;
using testsupport::RegValue;
using testsupport::ScratchRegistry;

namespace {
constexpr char kCompleted[] = "Tiven Touch Panel Utility Installation Completed Successfully";
constexpr char kNoChimer[] = "Chimer is not started at logon";

std::wstring Chimer() { return InstallFolder() + L"\\Chimer.exe"; }

// The system's logon program and `entries` more programs, `length` characters in all.
std::wstring LongUserinit(size_t entries, size_t length)
{
    std::wstring value = SystemUserinit();
    std::vector<std::wstring> names;
    for (size_t i = 1; i <= entries; ++i)
        names.push_back(L"C:\\Logon\\p" + std::to_wstring(i));
    size_t fixed = value.size();
    for (const std::wstring& name : names)
        fixed += name.size() + 5;   // ".exe,"
    size_t pad = length > fixed ? length - fixed : 0;
    for (size_t i = 0; i < names.size(); ++i) {
        size_t extra = pad / names.size() + (i + 1 == names.size() ? pad % names.size() : 0);
        value += names[i] + std::wstring(extra, L'x') + L".exe,";
    }
    return value;
}

RegValue Text(DWORD type, const std::wstring& text)
{
    RegValue value;
    value.present = true;
    value.type = type;
    const BYTE* bytes = reinterpret_cast<const BYTE*>(text.c_str());
    value.bytes.assign(bytes, bytes + (text.size() + 1) * sizeof(wchar_t));
    return value;
}

RegValue Number(DWORD number)
{
    RegValue value;
    value.present = true;
    value.type = REG_DWORD;
    const BYTE* bytes = reinterpret_cast<const BYTE*>(&number);
    value.bytes.assign(bytes, bytes + sizeof number);
    return value;
}

struct UserinitRow {
    const char* name;
    std::function<RegValue()> before;          // not present: no value
    bool installs;                             // the install adds Chimer
    std::function<RegValue()> afterInstall;    // when it installs
    std::function<RegValue()> afterUninstall;
};

RegValue Missing() { return RegValue(); }

const UserinitRow kRows[] = {
    {"normal", [] { return Text(REG_SZ, SystemUserinit()); }, true,
     [] { return Text(REG_SZ, SystemUserinit() + L"," + Chimer() + L","); },
     [] { return Text(REG_SZ, SystemUserinit()); }},
    {"no trailing comma", [] { return Text(REG_SZ, setuptest::SystemFolder() + L"\\userinit.exe"); }, true,
     [] { return Text(REG_SZ, setuptest::SystemFolder() + L"\\userinit.exe," + Chimer() + L","); },
     [] { return Text(REG_SZ, setuptest::SystemFolder() + L"\\userinit.exe"); }},
    {"empty", [] { return Text(REG_SZ, L""); }, false, nullptr, [] { return Text(REG_SZ, L""); }},
    {"missing", Missing, false, nullptr, Missing},
    {"already holding Chimer", [] { return Text(REG_SZ, SystemUserinit() + L"," + Chimer() + L","); }, true,
     [] { return Text(REG_SZ, SystemUserinit() + L"," + Chimer() + L","); },
     [] { return Text(REG_SZ, SystemUserinit()); }},
    {"REG_EXPAND_SZ", [] { return Text(REG_EXPAND_SZ, L"%SystemRoot%\\system32\\userinit.exe,"); }, true,
     [] { return Text(REG_EXPAND_SZ, L"%SystemRoot%\\system32\\userinit.exe,," + Chimer() + L","); },
     [] { return Text(REG_EXPAND_SZ, L"%SystemRoot%\\system32\\userinit.exe,"); }},
    {"REG_DWORD", [] { return Number(1); }, false, nullptr, [] { return Number(1); }},
    {"464 characters", [] { return Text(REG_SZ, LongUserinit(21, 464)); }, true,
     [] { return Text(REG_SZ, LongUserinit(21, 464) + L"," + Chimer() + L","); },
     [] { return Text(REG_SZ, LongUserinit(21, 464)); }},
    {"569 characters", [] { return Text(REG_SZ, LongUserinit(26, 569)); }, true,
     [] { return Text(REG_SZ, LongUserinit(26, 569) + L"," + Chimer() + L","); },
     [] { return Text(REG_SZ, LongUserinit(26, 569)); }},
};

void PrintTo(const UserinitRow& row, std::ostream* out) { *out << row.name; }

const char* TypeName(DWORD type)
{
    switch (type) {
    case REG_SZ: return "REG_SZ";
    case REG_EXPAND_SZ: return "REG_EXPAND_SZ";
    case REG_DWORD: return "REG_DWORD";
    default: return "other";
    }
}

// A value as a table cell: its type and text (a long text shortened in its middle, with its
// length), or "missing".
std::string Cell(const RegValue& value)
{
    if (!value.present)
        return "missing";
    if (value.type == REG_DWORD)
        return std::string("REG_DWORD ") + std::to_string(value.AsDword());
    std::string text = Narrow(value.AsString());
    if (text.size() > 90)
        text = text.substr(0, 40) + " ... " + text.substr(text.size() - 45) + " (" + std::to_string(text.size()) +
               " chars)";
    return std::string(TypeName(value.type)) + " `" + text + "`";
}

bool Same(const RegValue& a, const RegValue& b)
{
    return a.present == b.present && (!a.present || (a.type == b.type && a.bytes == b.bytes));
}

class UserinitLifeCycle : public ::testing::TestWithParam<UserinitRow> {
protected:
    void SetBefore(const RegValue& value)
    {
        HKEY winlogon = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kWinlogonKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &winlogon,
                                  nullptr),
                  ERROR_SUCCESS);
        RegDeleteValueW(winlogon, L"Userinit");
        RegCloseKey(winlogon);
        setuptest::PrepareWindowsState(registry_, nullptr);
        if (value.present)
            registry_.SetRaw(kWinlogonKey, L"Userinit", value.type, value.bytes.data(), value.Size());
    }

    ScratchRegistry registry_{ScratchRegistry::RealPrefix};
};

TEST_P(UserinitLifeCycle, KeepsTheLogonProgramFirstEveryEntryAndPutsTheValueBack)
{
    const UserinitRow& row = GetParam();
    const RegValue before = row.before();
    ASSERT_NO_FATAL_FAILURE(SetBefore(before));
    ASSERT_TRUE(Same(registry_.Read(kWinlogonKey, L"Userinit"), before));

    setuptest::SetupResult install = setuptest::RunSetup(L"-s -en -eig");
    ASSERT_TRUE(install.ended);
    const RegValue installed = registry_.Read(kWinlogonKey, L"Userinit");
    if (row.installs) {
        EXPECT_EQ(install.exitCode, 0u) << install.output;
        EXPECT_NE(install.output.find(kCompleted), std::string::npos) << install.output;
        const RegValue expected = row.afterInstall();
        EXPECT_TRUE(Same(installed, expected)) << Cell(installed) << "\nexpected " << Cell(expected);
        // Whatever the value held comes first, unchanged: the logon program, then the others.
        EXPECT_EQ(installed.AsString().compare(0, before.AsString().size(), before.AsString()), 0);
    } else {
        EXPECT_EQ(install.exitCode, 1u) << install.output;
        EXPECT_NE(install.output.find(kNoChimer), std::string::npos) << install.output;
        EXPECT_TRUE(Same(installed, before)) << Cell(installed);
    }

    UninstallRun run = RunUninstaller();
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.status, kFinished);
    const RegValue removed = registry_.Read(kWinlogonKey, L"Userinit");
    const RegValue expected = row.afterUninstall();
    EXPECT_TRUE(Same(removed, expected)) << Cell(removed) << "\nexpected " << Cell(expected);

    const bool leftAlone = !row.installs && Same(installed, before);
    std::string afterInstall = leftAlone ? "left as it was (install exits " + std::to_string(install.exitCode) +
                                               ": \"" + kNoChimer + "\")"
                                         : Cell(installed);
    std::printf("[userinit-table] | %s | %s | %s | %s |\n", row.name, Cell(before).c_str(), afterInstall.c_str(),
                Cell(removed).c_str());
}

INSTANTIATE_TEST_SUITE_P(States, UserinitLifeCycle, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<UserinitRow>& info) {
                             return testsupport::CaseName(info.param.name);
                         });
}  // namespace
