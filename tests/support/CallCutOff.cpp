#include "CallCutOff.h"

#include <cstdio>
#include <map>
#include <utility>

#include "TestProcess.h"

namespace testsupport {
namespace {
constexpr BYTE kBreakpoint = 0xCC;   // int3
constexpr DWORD kTrapFlag = 0x100;

// What tells one module from another wherever it is mapped: its size and the name in its export
// table.
struct ModuleMark {
    DWORD size = 0;
    std::string name;
    bool operator==(const ModuleMark& other) const { return size == other.size && name == other.name; }
};

bool ReadMark(HANDLE process, const void* base, ModuleMark& mark)
{
    const BYTE* image = static_cast<const BYTE*>(base);
    IMAGE_DOS_HEADER dos{};
    IMAGE_NT_HEADERS headers{};
    IMAGE_EXPORT_DIRECTORY exports{};
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, image, &dos, sizeof dos, &read) || dos.e_magic != IMAGE_DOS_SIGNATURE ||
        !ReadProcessMemory(process, image + dos.e_lfanew, &headers, sizeof headers, &read) ||
        headers.Signature != IMAGE_NT_SIGNATURE)
        return false;
    const IMAGE_DATA_DIRECTORY& directory = headers.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    if (directory.VirtualAddress == 0 ||
        !ReadProcessMemory(process, image + directory.VirtualAddress, &exports, sizeof exports, &read))
        return false;
    mark.size = headers.OptionalHeader.SizeOfImage;
    mark.name.clear();
    char c = 0;
    for (const BYTE* at = image + exports.Name; mark.name.size() < 256; ++at) {
        if (!ReadProcessMemory(process, at, &c, 1, &read) || c == '\0')
            break;
        mark.name.push_back(c);
    }
    return !mark.name.empty();
}

bool WriteCode(HANDLE process, void* at, BYTE value)
{
    DWORD protection = 0;
    if (!VirtualProtectEx(process, at, 1, PAGE_EXECUTE_READWRITE, &protection))
        return false;
    SIZE_T written = 0;
    const bool done = WriteProcessMemory(process, at, &value, 1, &written) && written == 1;
    VirtualProtectEx(process, at, 1, protection, &protection);
    FlushInstructionCache(process, at, 1);
    return done;
}

std::wstring ReadText(HANDLE process, const wchar_t* at)
{
    std::wstring text;
    wchar_t c = 0;
    SIZE_T read = 0;
    while (at && text.size() < 32768 && ReadProcessMemory(process, at++, &c, sizeof c, &read) && c != L'\0')
        text.push_back(c);
    return text;
}

// The call's text argument, read at the function's entry (nothing of it has run yet).
std::wstring TextArgument(HANDLE process, const CONTEXT& context, int index)
{
    const wchar_t* text = nullptr;
#ifdef _WIN64
    const DWORD64 registers[] = {context.Rcx, context.Rdx, context.R8, context.R9};
    text = reinterpret_cast<const wchar_t*>(registers[index]);
#else
    DWORD value = 0;   // stdcall: the return address, then the arguments
    SIZE_T read = 0;
    ReadProcessMemory(process, reinterpret_cast<const void*>(context.Esp + 4 * (index + 1)), &value, sizeof value, &read);
    text = reinterpret_cast<const wchar_t*>(static_cast<ULONG_PTR>(value));
#endif
    return ReadText(process, text);
}

void SetInstructionPointer(CONTEXT& context, void* at)
{
#ifdef _WIN64
    context.Rip = reinterpret_cast<DWORD64>(at);
#else
    context.Eip = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(at));
#endif
}
}  // namespace

CallCutOff::CallCutOff(CutOffCall call) : call_(std::move(call))
{
    started_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ended_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
}

CallCutOff::~CallCutOff()
{
    if (thread_) {
        if (process_)
            TerminateProcess(process_, kKilledExitCode);
        WaitForSingleObject(thread_, 30000);
        CloseHandle(thread_);
    }
    if (process_)
        CloseHandle(process_);
    CloseHandle(started_);
    CloseHandle(ended_);
}

bool CallCutOff::Start(const std::wstring& commandLine, const std::wstring& workDir)
{
    if (call_.textArgument < 0 || call_.textArgument > 3) {
        std::fwprintf(stderr, L"CallCutOff: argument %d of %hs is not one of the first four\n", call_.textArgument,
                      call_.function);
        return false;
    }
    commandLine_ = commandLine;
    workDir_ = workDir;
    thread_ = CreateThread(nullptr, 0, ThreadMain, this, 0, nullptr);
    if (!thread_ || WaitForSingleObject(started_, 30000) != WAIT_OBJECT_0 || !process_) {
        std::fwprintf(stderr, L"CallCutOff: %ls could not be started: %ls\n", commandLine.c_str(), failure_.c_str());
        return false;
    }
    return true;
}

bool CallCutOff::WaitCut(DWORD deadlineMs)
{
    if (!process_)
        return false;
    if (WaitForSingleObject(ended_, deadlineMs) != WAIT_OBJECT_0) {
        TerminateProcess(process_, kKilledExitCode);
        WaitForSingleObject(ended_, 30000);
        return false;
    }
    WaitForSingleObject(process_, 30000);
    return cut_;
}

DWORD WINAPI CallCutOff::ThreadMain(void* self)
{
    static_cast<CallCutOff*>(self)->Run();
    return 0;
}

// Debug events come to the thread that started the program, so all of the debugging is here.
void CallCutOff::Run()
{
    // Where the function lies in its module; the breakpoint goes to the same place in the module
    // as the program maps it (a 32-bit program may map it elsewhere than this process does).
    HMODULE exporter = LoadLibraryW(call_.module);
    void* function = exporter ? reinterpret_cast<void*>(GetProcAddress(exporter, call_.function)) : nullptr;
    HMODULE owner = nullptr;
    if (!function || !GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                         static_cast<LPCWSTR>(function), &owner)) {
        failure_ = L"the function was not found";
        SetEvent(started_);
        SetEvent(ended_);
        return;
    }
    ModuleMark mark;
    ReadMark(GetCurrentProcess(), owner, mark);
    const ULONG_PTR offset = reinterpret_cast<ULONG_PTR>(function) - reinterpret_cast<ULONG_PTR>(owner);
    void* target = nullptr;   // the function in the program

    std::wstring cmd = commandLine_;
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, DEBUG_ONLY_THIS_PROCESS, nullptr,
                        workDir_.empty() ? nullptr : workDir_.c_str(), &si, &pi)) {
        ReportStartFailure(commandLine_, GetLastError());
        failure_ = L"CreateProcess failed";
        SetEvent(started_);
        SetEvent(ended_);
        return;
    }
    CloseHandle(pi.hThread);
    process_ = pi.hProcess;
    pid_ = pi.dwProcessId;
    SetEvent(started_);

    std::map<DWORD, HANDLE> threads;   // the debug events' handles, closed by the system
    BYTE original = 0;
    bool armed = false;
    DWORD stepping = 0;                // the thread that steps over the breakpoint, if any
    // Set once the program has mapped the module, at the base of a module just loaded or, at the
    // loader's breakpoint, where this process has it.
    auto tryArm = [&](const void* base) {
        ModuleMark loaded;
        SIZE_T read = 0;
        if (armed || !ReadMark(process_, base, loaded) || !(loaded == mark))
            return;
        target = const_cast<BYTE*>(static_cast<const BYTE*>(base)) + offset;
        armed = ReadProcessMemory(process_, target, &original, 1, &read) && WriteCode(process_, target, kBreakpoint);
    };

    for (;;) {
        DEBUG_EVENT event{};
        if (!WaitForDebugEvent(&event, INFINITE))
            break;
        DWORD status = DBG_CONTINUE;
        switch (event.dwDebugEventCode) {
        case CREATE_PROCESS_DEBUG_EVENT:
            if (event.u.CreateProcessInfo.hFile)
                CloseHandle(event.u.CreateProcessInfo.hFile);
            threads[event.dwThreadId] = event.u.CreateProcessInfo.hThread;
            break;
        case CREATE_THREAD_DEBUG_EVENT:
            threads[event.dwThreadId] = event.u.CreateThread.hThread;
            break;
        case EXIT_THREAD_DEBUG_EVENT:
            threads.erase(event.dwThreadId);
            break;
        case LOAD_DLL_DEBUG_EVENT:
            if (event.u.LoadDll.hFile)
                CloseHandle(event.u.LoadDll.hFile);
            tryArm(event.u.LoadDll.lpBaseOfDll);
            break;
        case EXCEPTION_DEBUG_EVENT: {
            const EXCEPTION_RECORD& record = event.u.Exception.ExceptionRecord;
            auto thread = threads.find(event.dwThreadId);
            // The address of the int3, or of the instruction after it.
            const BYTE* at = static_cast<const BYTE*>(record.ExceptionAddress);
            const bool ours = armed && (at == target || at == static_cast<const BYTE*>(target) + 1);
            if (record.ExceptionCode == EXCEPTION_BREAKPOINT && ours && thread != threads.end()) {
                CONTEXT context{};
                context.ContextFlags = CONTEXT_CONTROL | CONTEXT_INTEGER;
                GetThreadContext(thread->second, &context);
                const std::wstring text = TextArgument(process_, context, call_.textArgument);
                if (!cut_ && call_.matches(text)) {
                    cut_ = true;
                    cutAt_ = text;
                    TerminateProcess(process_, kKilledExitCode);
                } else {
                    // Another call: it runs its first instruction as written, then the breakpoint
                    // goes back.
                    WriteCode(process_, target, original);
                    SetInstructionPointer(context, target);
                    context.EFlags |= kTrapFlag;
                    SetThreadContext(thread->second, &context);
                    stepping = event.dwThreadId;
                }
            } else if (record.ExceptionCode == EXCEPTION_SINGLE_STEP && stepping == event.dwThreadId) {
                stepping = 0;
                WriteCode(process_, target, kBreakpoint);
            } else if (record.ExceptionCode == EXCEPTION_BREAKPOINT) {
                tryArm(owner);   // the loader's breakpoint, once the program's imports are mapped
            } else {
                // The program's own exceptions are its to handle (the loader's breakpoint at the
                // start is not).
                status = DBG_EXCEPTION_NOT_HANDLED;
            }
            break;
        }
        default:
            break;
        }
        const bool exited = event.dwDebugEventCode == EXIT_PROCESS_DEBUG_EVENT;
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
        if (exited)
            break;
    }
    if (!armed && !cut_)
        std::fwprintf(stderr, L"CallCutOff: the breakpoint at %hs was never set in %ls\n", call_.function,
                      commandLine_.c_str());
    SetEvent(ended_);
}

}  // namespace testsupport
