#include "SettingsClone.h"

#include "DeviceKeys.h"
#include "KeyHandle.h"
#include "LabelKeys.h"
#include "LabelStore.h"
#include "Privilege.h"

namespace {
constexpr wchar_t kClonedTo[] = L"The current configuration has been cloned to the following file(s)";
constexpr wchar_t kNotClonedTo[] = L"The current configuration could not be saved to the following file(s)";
constexpr wchar_t kNoSettings[] = L"Device settings not found in the registry";

// RegSaveKeyW never writes over an existing file (on Windows it fails with ERROR_ALREADY_EXISTS),
// so the key goes into a fresh file beside the clone first, which then replaces the clone.
LONG SaveKeyReplacing(HKEY key, const std::wstring& path)
{
    const std::wstring fresh = path + L".new";
    DeleteFileW(fresh.c_str());   // left by an interrupted clone
    LONG rc = RegSaveKeyW(key, fresh.c_str(), nullptr);
    if (rc == ERROR_SUCCESS &&
        !MoveFileExW(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        rc = static_cast<LONG>(GetLastError());
    if (rc != ERROR_SUCCESS)
        DeleteFileW(fresh.c_str());
    return rc;
}

CloneOutcome CloneKey(const wchar_t* parametersPath, const std::wstring& file)
{
    CKeyHandle key;
    // The backup option opens the key for saving whatever its access list grants; a missing key
    // is created (empty) and saved as well.
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, parametersPath, 0, nullptr, REG_OPTION_BACKUP_RESTORE, KEY_ALL_ACCESS,
                        nullptr, key.Receive(), nullptr) != ERROR_SUCCESS)
        return CloneOutcome::NoKey;
    return SaveKeyReplacing(key.Get(), file) == ERROR_SUCCESS ? CloneOutcome::Saved : CloneOutcome::SaveFailed;
}

// The lines naming the files of one outcome, USB first.
std::wstring FileLines(const CloneResult& result, CloneOutcome outcome)
{
    std::wstring lines;
    if (result.usb == outcome)
        lines += L"\n MEKA  : " + result.usbPath;
    if (result.serial == outcome)
        lines += L"\n RILO  : " + result.serialPath;
    return lines;
}
}  // namespace

std::wstring SerialClonePath(const std::wstring& installDir) { return installDir + L"\\RILOClone.Dat"; }

std::wstring UsbClonePath(const std::wstring& installDir) { return installDir + L"\\MEKAClone.Dat"; }

CloneResult CloneDriverSettings(const std::wstring& installDir)
{
    CloneResult result;
    result.usbPath = UsbClonePath(installDir);
    result.serialPath = SerialClonePath(installDir);
    // Without the privilege the saves below fail and are reported as such.
    EnablePrivilege(SE_BACKUP_NAME);
    result.serial = CloneKey(kSerialParametersPath, result.serialPath);
    result.usb = CloneKey(kUsbParametersPath, result.usbPath);
    return result;
}

std::wstring CloneMessage(const CloneResult& result, const CLabelStore& labels)
{
    if (result.serial == CloneOutcome::NoKey && result.usb == CloneOutcome::NoKey)
        return kNoSettings;
    std::wstring text;
    const std::wstring saved = FileLines(result, CloneOutcome::Saved);
    if (!saved.empty())
        text = labels.TextOr(LabelKey::LGEN_CLONE_SETTINGS, kClonedTo) + saved;
    const std::wstring failed = FileLines(result, CloneOutcome::SaveFailed);
    if (!failed.empty()) {
        if (!text.empty())
            text += L"\n\n";
        text += kNotClonedTo + failed;
    }
    return text;
}
