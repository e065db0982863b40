#pragma once
// The removals the system carries out at the next restart (Session Manager
// "PendingFileRenameOperations": pairs of a path and a new name, an empty new name for a
// removal; each path as "\??\C:\...").
#include <functional>
#include <string>

inline constexpr wchar_t kSessionManagerPath[] = L"SYSTEM\\CurrentControlSet\\Control\\Session Manager";
inline constexpr wchar_t kPendingRenamesValue[] = L"PendingFileRenameOperations";

// Takes back every removal of a path (given as "C:\...") for which `ours` is true; renames and
// every other removal stay as they were, in their order. True when nothing was pending or the
// value was written back; false when it could not be read as it should be or not be written.
bool TakeBackPendingRemovals(const std::function<bool(const std::wstring& path)>& ours);
