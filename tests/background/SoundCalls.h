#pragma once
// Records the sounds that code linked into this test program plays: its imports of
// sndPlaySoundA and Beep are redirected to recorders while a SoundCalls lives (the calls still
// reach the system, which has no audio device here and returns at once). A test can also hold
// every Beep until it lets go, to see what waits for a sound in progress.
#include <windows.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "Handle.h"
#include "ImportRedirect.h"

namespace backgroundtest {

using testsupport::ImportRedirect;

struct SoundCall {
    enum Kind { Wave, Beep } kind;
    std::string path;    // Wave: the path as passed
    DWORD flags = 0;     // Wave: the sndPlaySoundA flags
    DWORD frequency = 0; // Beep
    DWORD duration = 0;  // Beep
};

class SoundCalls {
public:
    SoundCalls();
    ~SoundCalls();
    SoundCalls(const SoundCalls&) = delete;
    SoundCalls& operator=(const SoundCalls&) = delete;

    bool Active() const { return wave_->Active() && beep_->Active(); }
    std::vector<SoundCall> Calls() const;
    // Waits until at least `count` calls were made.
    bool WaitForCalls(size_t count, DWORD deadlineMs = 15000) const;
    void Clear();

    // From now on each Beep waits, once it is recorded, until Release.
    void HoldBeeps();
    // Waits until a held Beep has been entered.
    bool WaitBeepHeld(DWORD deadlineMs = 15000) const;
    void Release();

private:
    std::unique_ptr<ImportRedirect> wave_;
    std::unique_ptr<ImportRedirect> beep_;
};

bool operator==(const SoundCall& a, const SoundCall& b);
void PrintTo(const SoundCall& call, std::ostream* out);
std::string Describe(const std::vector<SoundCall>& calls);

}  // namespace backgroundtest
