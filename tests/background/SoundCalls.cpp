#include "SoundCalls.h"

#include <atomic>
#include <mutex>
#include <sstream>

#include "TestProcess.h"

namespace backgroundtest {

namespace {
using WaveFn = BOOL(WINAPI*)(LPCSTR, UINT);
using BeepFn = BOOL(WINAPI*)(DWORD, DWORD);

std::mutex callsLock;
std::vector<SoundCall> calls;
WaveFn realWave = nullptr;
BeepFn realBeep = nullptr;
CHandle holdGate;    // manual reset: set = beeps pass
CHandle beepEntered; // set when a held beep has been entered
std::atomic<bool> holding{false};

void Record(SoundCall call)
{
    std::lock_guard<std::mutex> hold(callsLock);
    calls.push_back(std::move(call));
}

BOOL WINAPI RecordingWave(LPCSTR path, UINT flags)
{
    Record({SoundCall::Wave, path ? path : "(null)", flags, 0, 0});
    return realWave(path, flags);
}

BOOL WINAPI RecordingBeep(DWORD frequency, DWORD duration)
{
    Record({SoundCall::Beep, "", 0, frequency, duration});
    if (holding) {
        SetEvent(beepEntered.Get());
        WaitForSingleObject(holdGate.Get(), INFINITE);
    }
    return realBeep(frequency, duration);
}

void* RealFunction(const wchar_t* module, const char* name)
{
    HMODULE loaded = GetModuleHandleW(module);
    return loaded ? reinterpret_cast<void*>(GetProcAddress(loaded, name)) : nullptr;
}
}  // namespace

SoundCalls::SoundCalls()
{
    holdGate.Reset(CreateEventW(nullptr, TRUE, TRUE, nullptr));
    beepEntered.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    Clear();
    // The real functions are known before the first call can reach a recorder.
    realWave = reinterpret_cast<WaveFn>(RealFunction(L"winmm.dll", "sndPlaySoundA"));
    realBeep = reinterpret_cast<BeepFn>(RealFunction(L"kernel32.dll", "Beep"));
    wave_ = std::make_unique<ImportRedirect>(L"winmm.dll", "sndPlaySoundA", reinterpret_cast<void*>(&RecordingWave));
    beep_ = std::make_unique<ImportRedirect>(L"kernel32.dll", "Beep", reinterpret_cast<void*>(&RecordingBeep));
}

SoundCalls::~SoundCalls()
{
    Release();
}

std::vector<SoundCall> SoundCalls::Calls() const
{
    std::lock_guard<std::mutex> hold(callsLock);
    return calls;
}

bool SoundCalls::WaitForCalls(size_t count, DWORD deadlineMs) const
{
    return testsupport::WaitUntil([&] { return Calls().size() >= count; }, deadlineMs);
}

void SoundCalls::Clear()
{
    std::lock_guard<std::mutex> hold(callsLock);
    calls.clear();
}

void SoundCalls::HoldBeeps()
{
    ResetEvent(beepEntered.Get());
    ResetEvent(holdGate.Get());
    holding = true;
}

bool SoundCalls::WaitBeepHeld(DWORD deadlineMs) const
{
    return WaitForSingleObject(beepEntered.Get(), deadlineMs) == WAIT_OBJECT_0;
}

void SoundCalls::Release()
{
    holding = false;
    SetEvent(holdGate.Get());
}

bool operator==(const SoundCall& a, const SoundCall& b)
{
    return a.kind == b.kind && a.path == b.path && a.flags == b.flags && a.frequency == b.frequency &&
           a.duration == b.duration;
}

void PrintTo(const SoundCall& call, std::ostream* out)
{
    if (call.kind == SoundCall::Wave)
        *out << "sndPlaySoundA(\"" << call.path << "\", " << call.flags << ")";
    else
        *out << "Beep(" << call.frequency << ", " << call.duration << ")";
}

std::string Describe(const std::vector<SoundCall>& list)
{
    std::ostringstream out;
    for (const SoundCall& call : list) {
        PrintTo(call, &out);
        out << "\n";
    }
    return out.str();
}

}  // namespace backgroundtest
