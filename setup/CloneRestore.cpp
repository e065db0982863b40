#include "CloneRestore.h"

#include "CloneHive.h"
#include "InstallLog.h"
#include "KeyHandle.h"
#include "Privilege.h"
#include "RegistryKey.h"
#include "RegistryTree.h"
#include "RestoreLock.h"

namespace setup {

namespace {
// A restore takes well under a second; one that holds the lock longer has hung.
constexpr DWORD kLockDeadlineMs = 15000;

std::wstring WithError(const std::wstring& text, LONG error)
{
    return text + L" (error " + std::to_wstring(error) + L")";
}

// A key that must not be there yet.
LONG CreateNewKey(HKEY parent, const wchar_t* name, CKeyHandle& key)
{
    DWORD disposition = 0;
    LONG rc = RegCreateKeyExW(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                              key.Receive(), &disposition);
    if (rc == ERROR_SUCCESS && disposition != REG_CREATED_NEW_KEY)
        rc = ERROR_ALREADY_EXISTS;
    return rc;
}

DWORD ReadStep(HKEY copies)
{
    DWORD step = 0, type = 0, bytes = sizeof step;
    if (RegQueryValueExW(copies, kRestoreStepValue, nullptr, &type, reinterpret_cast<BYTE*>(&step), &bytes) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || bytes != sizeof step)
        return 0;
    return step == kRestoreStepReplacing || step == kRestoreStepReplaced ? step : 0;
}

LONG WriteStep(HKEY copies, DWORD step)
{
    return RegSetValueExW(copies, kRestoreStepValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&step), sizeof step);
}

LONG PutOldContentBack(HKEY copies, HKEY target)
{
    CKeyHandle old;
    LONG rc = RegOpenKeyExW(copies, kRestoreOldKey, 0, KEY_READ, old.Receive());
    return rc == ERROR_SUCCESS ? ReplaceContent(target, old.Get()) : rc;
}

// What a restore that was cut off left beside the key: when it was changing the key, the old
// content goes back first (doing that again after a cut-off of its own is harmless); in every
// other step the key holds one whole content, and the copies only go.
LONG MendCopies(HKEY parent, const std::wstring& copiesName, HKEY target)
{
    CKeyHandle copies;
    LONG rc = RegOpenKeyExW(parent, copiesName.c_str(), 0, KEY_ALL_ACCESS, copies.Receive());
    if (rc == ERROR_FILE_NOT_FOUND)
        return ERROR_SUCCESS;
    if (rc == ERROR_SUCCESS && ReadStep(copies.Get()) == kRestoreStepReplacing)
        rc = PutOldContentBack(copies.Get(), target);
    copies.Reset();
    return rc == ERROR_SUCCESS ? DeleteSubtree(parent, copiesName.c_str()) : rc;
}
bool SubkeyExists(HKEY parent, const std::wstring& name)
{
    CKeyHandle key;
    return RegOpenKeyExW(parent, name.c_str(), 0, KEY_READ, key.Receive()) == ERROR_SUCCESS;
}

// Earlier setups swapped the key by name: "<name>.New" held the hive's content, then the key
// became "<name>.Old" and ".New" took its name. One cut off between the two renames left no key
// and its content in ".Old"; one cut off after them left ".Old" beside the finished key. The key
// gets its content back, and the leftovers go.
LONG MendSwapLeftovers(const std::wstring& parentPath, const std::wstring& name)
{
    CKeyHandle parent;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, parentPath.c_str(), 0, KEY_ALL_ACCESS, parent.Receive()) != ERROR_SUCCESS)
        return ERROR_SUCCESS;   // nothing there, nothing left
    const std::wstring previous = name + L".Old", staged = name + L".New";
    LONG rc = ERROR_SUCCESS;
    if (!SubkeyExists(parent.Get(), name) && SubkeyExists(parent.Get(), previous))
        rc = RegRenameKey(parent.Get(), previous.c_str(), name.c_str());
    for (const std::wstring& leftover : {staged, previous}) {
        if (rc == ERROR_SUCCESS && SubkeyExists(parent.Get(), leftover))
            rc = DeleteSubtree(parent.Get(), leftover.c_str());
    }
    return rc;
}
}  // namespace

void RestoreClone(const wchar_t* keyPath, const std::wstring& cloneFile, CInstallLog& log)
{
    const std::wstring path = keyPath;
    const size_t slash = path.rfind(L'\\');
    const std::wstring parentPath = path.substr(0, slash);
    const std::wstring name = path.substr(slash + 1);
    const std::wstring failed = L"Cannot restore " + cloneFile + L" into " + path;

    CRestoreLock lock;
    if (!lock.Acquire(kLockDeadlineMs)) {
        log.Fail(failed + L": another restore of a clone file is still running");
        return;
    }
    LONG rc = MendSwapLeftovers(parentPath, name);
    if (rc != ERROR_SUCCESS) {
        log.Fail(WithError(failed + L": what an earlier restore left beside the key stays", rc));
        return;
    }

    CRegistryKey registry;
    CKeyHandle created;
    rc = registry.CreateSecuredKey(keyPath, created.Receive());
    created.Reset();
    if (rc != ERROR_SUCCESS) {
        log.Fail(WithError(std::wstring(L"Cannot create ") + keyPath, rc));
        return;
    }
    if (cloneFile.empty())
        return;
    // Loading and unloading a hive need both privileges.
    EnablePrivilege(SE_RESTORE_NAME);
    EnablePrivilege(SE_BACKUP_NAME);

    const std::wstring copiesName = name + kRestoreCopiesSuffix;
    const std::wstring copiesPath = parentPath + L"\\" + copiesName;
    const std::wstring oldCopyPath = copiesPath + L"\\" + kRestoreOldKey;
    CCloneHive::UnloadLeftovers();

    CKeyHandle parent, target;
    rc = RegOpenKeyExW(HKEY_LOCAL_MACHINE, parentPath.c_str(), 0, KEY_ALL_ACCESS, parent.Receive());
    if (rc == ERROR_SUCCESS)
        rc = RegOpenKeyExW(parent.Get(), name.c_str(), 0, KEY_ALL_ACCESS, target.Receive());
    if (rc != ERROR_SUCCESS) {
        log.Fail(WithError(failed, rc));
        return;
    }
    rc = MendCopies(parent.Get(), copiesName, target.Get());
    if (rc != ERROR_SUCCESS) {
        log.Fail(WithError(failed + L": the copies of a restore that was cut off stay in " + copiesPath, rc));
        return;
    }

    CCloneHive hive;
    CKeyHandle source;
    rc = hive.Load(cloneFile);
    if (rc == ERROR_SUCCESS)
        rc = RegOpenKeyExW(HKEY_USERS, hive.Name().c_str(), 0, KEY_READ, source.Receive());
    if (rc != ERROR_SUCCESS) {
        log.Fail(WithError(L"Cannot read the clone file " + cloneFile, rc));
        return;
    }

    // The hive's content and the key's, each copied and checked. Until both are whole, and the
    // step says so, nothing of the key has changed.
    CKeyHandle copies, staged, previous;
    rc = CreateNewKey(parent.Get(), copiesName.c_str(), copies);
    if (rc == ERROR_SUCCESS)
        rc = CreateNewKey(copies.Get(), kRestoreNewKey, staged);
    if (rc == ERROR_SUCCESS)
        rc = ReplaceContent(staged.Get(), source.Get());
    source.Reset();
    hive.Unload();
    if (rc == ERROR_SUCCESS)
        rc = CreateNewKey(copies.Get(), kRestoreOldKey, previous);
    if (rc == ERROR_SUCCESS)
        rc = ReplaceContent(previous.Get(), target.Get());
    if (rc == ERROR_SUCCESS)
        rc = WriteStep(copies.Get(), kRestoreStepReplacing);
    if (rc != ERROR_SUCCESS) {
        copies.Reset();
        DeleteSubtree(parent.Get(), copiesName.c_str());
        log.Fail(WithError(failed, rc));
        return;
    }

    rc = ReplaceContent(target.Get(), staged.Get());
    if (rc == ERROR_SUCCESS)
        rc = WriteStep(copies.Get(), kRestoreStepReplaced);
    if (rc != ERROR_SUCCESS) {
        LONG back = ReplaceContent(target.Get(), previous.Get());
        copies.Reset();
        if (back == ERROR_SUCCESS) {
            DeleteSubtree(parent.Get(), copiesName.c_str());
            log.Fail(WithError(failed, rc));
        } else {
            // The step still says Replacing: the next restore tries again to put it back.
            log.Fail(WithError(failed + L"; the old settings are in " + oldCopyPath, rc));
        }
        return;
    }
    staged.Reset();
    previous.Reset();
    copies.Reset();
    rc = DeleteSubtree(parent.Get(), copiesName.c_str());
    if (rc != ERROR_SUCCESS)
        log.Fail(
            WithError(L"The clone file " + cloneFile + L" was restored, but its copies stay in " + copiesPath, rc));
}

}  // namespace setup
