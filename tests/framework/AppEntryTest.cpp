// The framework's entry point, through a small program built on it twice (wide and narrow
// entry): InitInstance failing ends the program with the application's exit code, the message
// loop ends with WM_QUIT and its code, a hidden window of the program is found and closed by
// another process, and the command line after the program's path reaches the application in
// both forms.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "Handle.h"
#include "TestPaths.h"
#include "TestProcess.h"

using namespace testsupport;

namespace {
struct Variant {
    const wchar_t* program;
    std::string kind;
};
const Variant kVariants[] = {{L"FrameworkProbe.exe", "wide"}, {L"FrameworkProbeNarrow.exe", "narrow"}};

std::wstring Quoted(const wchar_t* program) { return L"\"" + BinPath(program) + L"\""; }

std::string ReadBytes(const std::wstring& path)
{
    std::string bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

std::wstring ReadWide(const std::wstring& path)
{
    const std::string bytes = ReadBytes(path);
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
}

// Runs `program` with a command line whose first word need not name it, as CreateProcess allows
// when it is given the program; the exit code, or -1 when it did not start or end in time.
long RunProgramWithLine(const std::wstring& program, const std::wstring& commandLine)
{
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION created{};
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &created)) {
        ReportStartFailure(program + L" with the line " + commandLine, GetLastError());
        return -1;
    }
    CHandle thread(created.hThread);
    CHandle process(created.hProcess);
    DWORD code = 0;
    if (WaitForSingleObject(process.Get(), kDefaultDeadlineMs) != WAIT_OBJECT_0 || !GetExitCodeProcess(process.Get(), &code)) {
        TerminateProcess(process.Get(), kKilledExitCode);
        return -1;
    }
    return static_cast<long>(code);
}

// Sets an environment variable of this process (and so of the programs it starts) for a scope.
class ScopedVariable {
public:
    ScopedVariable(const wchar_t* name, const std::wstring& value) : name_(name) { SetEnvironmentVariableW(name, value.c_str()); }
    ~ScopedVariable() { SetEnvironmentVariableW(name_, nullptr); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const wchar_t* name_;
};

std::string InCodePage(const std::wstring& text)
{
    int bytes = WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), &narrow[0], bytes, nullptr, nullptr);
    return narrow;
}
}  // namespace

TEST(AppEntry, FailedInitInstanceEndsWithTheApplicationsExitCode)
{
    for (const Variant& v : kVariants) {
        SCOPED_TRACE(v.kind);
        EXPECT_EQ(RunAndWait(Quoted(v.program) + L" exit 7"), 7);
        EXPECT_EQ(RunAndWait(Quoted(v.program) + L" exit 0"), 0);
    }
}

TEST(AppEntry, TheLoopRunsUntilQuitWhoseCodeEndsTheProgram)
{
    for (const Variant& v : kVariants) {
        SCOPED_TRACE(v.kind);
        EXPECT_EQ(RunAndWait(Quoted(v.program) + L" quit 5"), 5);
    }
}

TEST(AppEntry, AnotherProgramFindsTheHiddenWindowAndClosesIt)
{
    for (const Variant& v : kVariants) {
        SCOPED_TRACE(v.kind);
        const std::wstring title = L"Probe Listener " + std::wstring(v.kind.begin(), v.kind.end());
        TestProcess probe;
        ASSERT_TRUE(probe.Start(Quoted(v.program) + L" window " + title));
        HWND window = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (window = FindWindowW(L"TivenFrameworkProbe", title.c_str())) != nullptr; }));
        EXPECT_FALSE(IsWindowVisible(window));
        ASSERT_TRUE(PostMessageW(window, WM_CLOSE, 0, 0));
        DWORD code = 1234;
        ASSERT_TRUE(probe.WaitExit(code));
        EXPECT_EQ(code, 3u);
    }
}

TEST(AppEntry, TheCommandLineReachesTheApplicationWideAndNarrow)
{
    const std::wstring dir = MakeTempDir(L"app-entry");
    for (const Variant& v : kVariants) {
        SCOPED_TRACE(v.kind);
        const std::wstring file = dir + L"\\" + std::wstring(v.kind.begin(), v.kind.end());
        const std::wstring arguments = L"echo " + file + L" Zo\x00EB  two blanks";
        ASSERT_EQ(RunAndWait(Quoted(v.program) + L" " + arguments), 0);
        const std::string wide = ReadBytes(file + L".w");
        EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(wide.data()), wide.size() / sizeof(wchar_t)), arguments);
        EXPECT_EQ(ReadBytes(file + L".a"), InCodePage(arguments));
        EXPECT_EQ(ReadBytes(file + L".kind"), v.kind);
    }
}

// What the application gets is the rest of the command line after the program's path (quoted, or
// up to the first blank) and the blanks after it, blanks inside and at the end kept. The
// calibration program takes all of it as the name of the device to calibrate.
TEST(AppEntry, TheCommandLineIsWhatFollowsTheProgramsPathAndItsBlanks)
{
    const struct {
        const wchar_t* line;
        const wchar_t* rest;
    } cases[] = {
        {L"\"C:\\Program Files\\Tiven\\Aimwell.exe\" RILO Device-1", L"RILO Device-1"},
        {L"\"C:\\Program Files\\Tiven\\Aimwell.exe\"", L""},
        {L"\"C:\\Program Files\\Tiven\\Aimwell.exe\"   Panel  two  ", L"Panel  two  "},
        {L"Aimwell.exe USB Panel", L"USB Panel"},
        {L"Aimwell.exe", L""},
        {L"\"C:\\x\\Aimwell.exe\"\tTabbed", L"Tabbed"},
    };
    const std::wstring dir = MakeTempDir(L"app-entry-path");
    for (const Variant& v : kVariants) {
        SCOPED_TRACE(v.kind);
        int n = 0;
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::PrintToString(std::wstring(c.line)));
            const std::wstring file = dir + L"\\" + std::wstring(v.kind.begin(), v.kind.end()) + std::to_wstring(++n);
            ScopedVariable echo(L"TIVEN_PROBE_ECHO", file);
            ASSERT_EQ(RunProgramWithLine(BinPath(v.program), c.line), 0);
            EXPECT_EQ(ReadWide(file + L".w"), c.rest);
            EXPECT_EQ(ReadBytes(file + L".kind"), v.kind);
        }
    }
}
