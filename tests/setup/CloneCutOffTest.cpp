// A clone restore cut off (TerminateProcess) at points of its work that the test watches for
// through registry change notifications, then the setup run again with the same clone file.
// The configuration is large, so each step of the restore lasts long enough to be caught in.
#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "CloneFixture.h"
#include "CloneRestore.h"
#include "Handle.h"
#include "KeyHandle.h"
#include "ScratchRegistry.h"
#include "SetupRun.h"

using namespace setuptest;

namespace {
constexpr int kCloneDevices = 150;   // 1 .. 150 in the clone
constexpr int kOldFirst = 2, kOldLast = 160;
constexpr int kExtraValues = 20;     // per device, besides name, sample rate and calibration

const std::wstring kCopies = std::wstring(kSerialParameters) + setup::kRestoreCopiesSuffix;

using testsupport::ScratchRegistry;

DWORD Step(const ScratchRegistry& registry)
{
    testsupport::RegValue step = registry.Read(kCopies, setup::kRestoreStepValue);
    return step.type == REG_DWORD ? step.AsDword() : 0;
}

// Points of the restore's work; each holds from the moment it is reached until the restore
// has moved on to a later step, and a cut-off is due at any moment after it.
struct Milestone {
    const char* name;
    const char* step;   // the step the restore is in when it is reached
    bool (*reached)(const ScratchRegistry& registry);
};

std::vector<std::wstring> KeysBesideParameters(const ScratchRegistry& registry)
{
    std::vector<std::wstring> names = registry.SubkeyNames(kSerialService);
    names.erase(std::remove_if(names.begin(), names.end(),
                               [](const std::wstring& name) { return lstrcmpiW(name.c_str(), L"Parameters") == 0; }),
                names.end());
    return names;
}

bool EndsWithOld(const std::wstring& name)
{
    return name.size() >= 3 && lstrcmpiW(name.c_str() + name.size() - 3, L"Old") == 0;
}

// The milestones name no key of the restore where they need not: any key beside Parameters, a
// key named for the old content, a value of a device that only the clone has.
const Milestone kMilestones[] = {
    {"KeyBesideParameters", "copying the clone file's hive beside the key",
     [](const ScratchRegistry& registry) { return !KeysBesideParameters(registry).empty(); }},
    {"CopyOfTheOldContent", "copying the key's old content",
     [](const ScratchRegistry& registry) {
         for (const std::wstring& name : KeysBesideParameters(registry)) {
             if (EndsWithOld(name) || registry.KeyExists(std::wstring(kSerialService) + L"\\" + name + L"\\Old"))
                 return true;
         }
         return false;
     }},
    // Device 1 is only in the clone: it gets its first value when the key's content is replaced.
    {"ValueOfTheReplacement", "replacing the key's content in place",
     [](const ScratchRegistry& registry) {
         return !registry.ValueNames(std::wstring(kSerialParameters) + L"\\1").empty();
     }},
    {"ContentReplaced", "deleting the copies",
     [](const ScratchRegistry& registry) { return Step(registry) == setup::kRestoreStepReplaced; }},
};

// Wakes at every change of the service key or anything below it.
class ServiceKeyWatch {
public:
    ServiceKeyWatch()
    {
        RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSerialService, 0, KEY_NOTIFY, key_.Receive());
        changed_.Reset(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    }
    // Waits until the milestone is reached; false when the process ended first or nothing
    // changed before the deadline. The notice is asked for again before each check, so no change
    // is missed.
    bool WaitFor(const Milestone& milestone, const ScratchRegistry& registry, HANDLE process,
                 DWORD deadlineMs = 60000)
    {
        const DWORD start = GetTickCount();
        for (;;) {
            if (RegNotifyChangeKeyValue(key_.Get(), TRUE, REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET,
                                        changed_.Get(), TRUE) != ERROR_SUCCESS)
                return false;
            if (milestone.reached(registry))
                return true;
            const DWORD spent = GetTickCount() - start;
            if (spent > deadlineMs)
                return false;
            HANDLE handles[2] = {changed_.Get(), process};
            if (WaitForMultipleObjects(2, handles, FALSE, deadlineMs - spent) != WAIT_OBJECT_0)
                return false;
        }
    }

private:
    CKeyHandle key_;
    CHandle changed_;
};

// What the run after the cut-off restores: the same clone file (it must end as an uninterrupted
// restore), or a clone file that is not there (it only mends, then fails, so what the mend left
// can be seen).
enum class NextRun { SameClone, MissingClone };

struct CutOff {
    Milestone milestone;
    NextRun next;
};
void PrintTo(const CutOff& cut, std::ostream* out)
{
    *out << cut.milestone.name << (cut.next == NextRun::SameClone ? " SameClone" : " MissingClone");
}

std::vector<CutOff> AllCutOffs()
{
    std::vector<CutOff> cuts;
    for (NextRun next : {NextRun::SameClone, NextRun::MissingClone})
        for (const Milestone& milestone : kMilestones)
            cuts.push_back({milestone, next});
    return cuts;
}

class CloneCutOff : public CloneFixture, public ::testing::WithParamInterface<CutOff> {
protected:
    void AddDevices(int first, int last, const std::wstring& name, DWORD base)
    {
        for (int number = first; number <= last; ++number) {
            const DWORD n = static_cast<DWORD>(number);
            AddDevice(kSerialParameters, number, {name + std::to_wstring(number), base + n, {BYTE(n), BYTE(base)}});
            const std::wstring key = std::wstring(kSerialParameters) + L"\\" + std::to_wstring(number);
            for (int value = 0; value < kExtraValues; ++value)
                registry_.SetDword(key, L"Value " + std::to_wstring(value), base + n * 100 + value);
        }
    }
    void PutOldContent()
    {
        registry_.DeleteTree(kSerialParameters);
        AddDevices(kOldFirst, kOldLast, L"Old Panel ", 1000);
    }
    static KeyTree Parameters() { return ReadTree(HKEY_LOCAL_MACHINE, kSerialParameters); }

    // Runs the setup on the old content and cuts it off once the milestone is reached. A run
    // that ended by itself before the cut (the last step is short) is made again.
    void CutOffAt(const Milestone& milestone, const std::wstring& clone)
    {
        for (int attempt = 1;; ++attempt) {
            PutOldContent();
            ServiceKeyWatch watch;
            RunningSetup setup;
            ASSERT_TRUE(setup.Start(arguments_ + clone));
            ASSERT_TRUE(watch.WaitFor(milestone, registry_, setup.Process().Handle()))
                << "not reached: " << milestone.name;
            setup.Process().Kill();
            SetupResult cut = setup.Finish(5000);
            ASSERT_TRUE(cut.ended);
            if (cut.exitCode == testsupport::kKilledExitCode)
                return;
            ASSERT_EQ(cut.exitCode, 0u) << cut.output;
            ASSERT_LT(attempt, 3) << "the setup ended each time before it was cut off";
        }
    }

    const std::wstring arguments_ = L"-s -en -eig -ser ";
};

TEST_P(CloneCutOff, TheNextRestoreMendsWhatItLeft)
{
    const CutOff& cut = GetParam();
    AddDevices(1, kCloneDevices, L"Clone Panel ", 0);
    const std::wstring clone = WriteClone(kSerialParameters, L"RILOClone.Dat");
    PutOldContent();
    const KeyTree old = Parameters();

    // What an uninterrupted restore makes of the old content.
    SetupResult whole = RunSetup(arguments_ + clone);
    ASSERT_TRUE(whole.ended);
    ASSERT_EQ(whole.exitCode, 0u) << whole.output;
    const KeyTree replaced = Parameters();
    ASSERT_NE(replaced, old);

    ASSERT_NO_FATAL_FAILURE(CutOffAt(cut.milestone, clone));
    // Whenever the cut came, one whole content can be had back: the key holds the old or the
    // new one, or it is being changed and the copy holds the old one, and the step says so.
    const KeyTree found = Parameters();
    const KeyTree copies = ReadTree(HKEY_LOCAL_MACHINE, kCopies);
    const DWORD step = Step(registry_);
    const auto oldCopy = copies.subkeys.find(L"old");
    const bool wholeContent = found == old || found == replaced;
    const bool oldInCopy =
        step == setup::kRestoreStepReplacing && oldCopy != copies.subkeys.end() && oldCopy->second == old;
    EXPECT_TRUE(wholeContent || oldInCopy) << "parameters " << testing::PrintToString(found) << ", copies "
                                           << testing::PrintToString(copies) << ", step " << step;
    // Where the cut came and what it left, for the record.
    std::cout << "cut off at " << cut.milestone.name << " (" << cut.milestone.step << "): parameters "
              << (found == old ? "old" : found == replaced ? "new" : "between") << ", copies "
              << testing::PrintToString(copies) << ", step " << step << ", clone hives loaded "
              << LoadedCloneHives().size() << std::endl;

    if (cut.next == NextRun::SameClone) {
        SetupResult next = RunSetup(arguments_ + clone);
        ASSERT_TRUE(next.ended);
        EXPECT_EQ(next.exitCode, 0u) << next.output;
        EXPECT_EQ(Parameters(), replaced);
    } else {
        SetupResult next = RunSetup(arguments_ + folder_ + L"\\missing.Dat");
        ASSERT_TRUE(next.ended);
        EXPECT_EQ(next.exitCode, 1u) << next.output;
        EXPECT_NE(next.output.find("Cannot read the clone file"), std::string::npos) << next.output;
        // The old content back when the key was being changed; else the whole content it held.
        EXPECT_EQ(Parameters(), step == setup::kRestoreStepReplacing ? old : found);
    }
    EXPECT_EQ(registry_.SubkeyNames(kSerialService), (std::vector<std::wstring>{L"Parameters"}));
    EXPECT_EQ(LoadedCloneHives(), std::vector<std::wstring>{});
}

INSTANTIATE_TEST_SUITE_P(Steps, CloneCutOff, ::testing::ValuesIn(AllCutOffs()),
                         [](const ::testing::TestParamInfo<CutOff>& info) {
                             return std::string(info.param.milestone.name) +
                                    (info.param.next == NextRun::SameClone ? "ThenSameClone" : "ThenMissingClone");
                         });
}  // namespace
