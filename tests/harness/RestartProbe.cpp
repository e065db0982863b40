// A fake test program for the harness's restart rule (tools/restart-rule.sh): each start ends the
// way the start's mode says, among them the ways Wine's own failures end a test process.
//   RestartProbe STARTS [--fresh] MODE...
// Each start adds a line to the file STARTS and takes the MODE of its number (the first start
// the first MODE, ...; the last MODE for every start after). With --fresh a start first checks
// that no earlier start ran in its prefix (a mark in C:\), and fails with exit code 2 when one did.
// Modes:
//   pass           prints a passing result, exit code 0
//   fail           prints a failing result, exit code 1 (a test that fails on its own)
//   silent         prints nothing on stdout, exit code 1 (as a process that died before its main)
//   xerror         prints Xlib's report of an X error on stderr and nothing on stdout, exit code
//                  1 (as Xlib's default error handler does); xerror-stdout prints it on stdout
//   segv-passed    prints a passing result, then is killed by SIGSEGV (Unix exit code 139, as a
//                  crash in Wine's own Unix code ends a process)
//   segv-failed    the same after a failing result
//   segv-early     the same after a test's start only, before any result
//   start-died     reports, as the test support does, that a program it started ended inside
//                  Wine's start of it (CreateProcess error 1359), then fails, exit code 1;
//                  start-refused the same with another error (2, no such file)
//   hang           prints a test's start on stdout and a line on stderr, then waits until the
//                  file STARTS.release exists (at most two minutes), exit code 1 (as a test that
//                  CTest ends at its time-out)
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// The kernel kills the process with SIGSEGV: Wine's handler for it is set back to the default
// through Linux system calls, then the process sends itself the signal. (A fault in Windows code
// would be caught by Wine and end the process with 0xc0000005.)
#if defined(__i386__)
intptr_t LinuxCall(intptr_t number, intptr_t a, intptr_t b, intptr_t c, intptr_t d)
{
    intptr_t result;
    asm volatile("int $0x80" : "=a"(result) : "a"(number), "b"(a), "c"(b), "d"(c), "S"(d) : "memory");
    return result;
}
enum : intptr_t { kGetPid = 20, kKill = 37, kSigAction = 174 };
#else
intptr_t LinuxCall(intptr_t number, intptr_t a, intptr_t b, intptr_t c, intptr_t d)
{
    intptr_t result;
    register intptr_t fourth asm("r10") = d;
    asm volatile("syscall" : "=a"(result) : "a"(number), "D"(a), "S"(b), "d"(c), "r"(fourth) : "rcx", "r11", "memory");
    return result;
}
enum : intptr_t { kGetPid = 39, kKill = 62, kSigAction = 13 };
#endif

constexpr intptr_t kSigSegv = 11;

[[noreturn]] void DieBySigsegv()
{
    uintptr_t defaultAction[4];   // handler SIG_DFL, no flags, no restorer, empty mask
    std::memset(defaultAction, 0, sizeof(defaultAction));
    LinuxCall(kSigAction, kSigSegv, reinterpret_cast<intptr_t>(defaultAction), 0, 8);
    LinuxCall(kKill, LinuxCall(kGetPid, 0, 0, 0, 0), kSigSegv, 0, 0);
    std::fprintf(stderr, "RestartProbe: SIGSEGV did not end the process\n");
    ExitProcess(3);
}

// What Xlib's default error handler prints before it calls exit(1).
void PrintXError(FILE* stream)
{
    std::fprintf(stream,
                 "X Error of failed request:  BadMatch (invalid parameter attributes)\n"
                 "  Major opcode of failed request:  55 (X_CreateGC)\n"
                 "  Serial number of failed request:  2566\n"
                 "  Current serial number in output stream:  2580\n");
}

// Adds this start to the file; returns its number (1 for the first start).
int CountStart(const wchar_t* path)
{
    int starts = 0;
    if (FILE* file = _wfopen(path, L"r")) {
        for (int c; (c = std::fgetc(file)) != EOF;)
            starts += c == '\n';
        std::fclose(file);
    }
    if (FILE* file = _wfopen(path, L"a")) {
        std::fprintf(file, "start\n");
        std::fclose(file);
    }
    return starts + 1;
}

// False when an earlier start left its mark in this prefix; marks it.
bool PrefixIsFresh()
{
    const wchar_t mark[] = L"C:\\restart-probe-start";
    if (GetFileAttributesW(mark) != INVALID_FILE_ATTRIBUTES)
        return false;
    HANDLE file = CreateFileW(mark, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    setvbuf(stdout, nullptr, _IONBF, 0);
    int first = 2;
    const bool fresh = argc > 2 && std::wstring(argv[2]) == L"--fresh";
    if (fresh)
        ++first;
    if (argc <= first) {
        std::fprintf(stderr, "usage: RestartProbe STARTS [--fresh] MODE...\n");
        return 2;
    }
    const int start = CountStart(argv[1]);
    const std::wstring mode = argv[first + start - 1 < argc ? first + start - 1 : argc - 1];
    if (fresh && !PrefixIsFresh()) {
        std::printf("start %d: an earlier start ran in this prefix\n", start);
        return 2;
    }
    if (mode == L"pass") {
        std::printf("[  PASSED  ] 1 test.\n");
        return 0;
    }
    if (mode == L"fail") {
        std::printf("[  FAILED  ] 1 test, listed below:\n[  FAILED  ] Probe.FailsOnItsOwn\n");
        return 1;
    }
    if (mode == L"silent")
        return 1;
    if (mode == L"xerror" || mode == L"xerror-stdout") {
        PrintXError(mode == L"xerror" ? stderr : stdout);
        return 1;
    }
    if (mode == L"start-died" || mode == L"start-refused") {
        std::fprintf(stderr, "TestProcess: CreateProcess of \"C:\\probe.exe\" failed with error %d\n",
                     mode == L"start-died" ? 1359 : 2);
        std::printf("[  FAILED  ] 1 test, listed below:\n[  FAILED  ] Probe.StartsAProgram\n");
        return 1;
    }
    if (mode == L"hang") {
        std::printf("[ RUN      ] Probe.Hangs\n");
        std::fprintf(stderr, "RestartProbe: hanging\n");
        const std::wstring release = std::wstring(argv[1]) + L".release";
        for (int i = 0; i < 2400 && GetFileAttributesW(release.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
            Sleep(50);
        return 1;
    }
    if (mode == L"segv-passed")
        std::printf("[  PASSED  ] 1 test.\n");
    else if (mode == L"segv-failed")
        std::printf("[  FAILED  ] 1 test, listed below:\n[  FAILED  ] Probe.FailsOnItsOwn\n");
    else if (mode == L"segv-early")
        std::printf("[ RUN      ] Probe.Crashes\n");
    else {
        std::fprintf(stderr, "RestartProbe: no mode %ls\n", mode.c_str());
        return 2;
    }
    DieBySigsegv();
}
