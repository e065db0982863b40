#pragma once
// What the setup and the uninstaller need of the machine: write access to the machine part of
// the registry, and the restart they offer at their end.

// Probes HKEY_LOCAL_MACHINE with the key SYSTEM\CurrentControlSet\Services\mavomavo: true when
// it can be created (or opened) for full access. Only a key the probe created itself is deleted
// again.
bool MayWriteMachineRegistry();

// Enables the shutdown privilege and restarts the system, ending every program at once
// (EWX_FORCE). Never called under test: it would end every process of the prefix.
void RestartWindows();
