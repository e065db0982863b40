#include "SetupRegistry.h"

#include <vector>

#include "DeviceKeys.h"
#include "InstallLog.h"
#include "KeyHandle.h"
#include "ProcessLauncher.h"
#include "ProductSchema.h"
#include "RegistryKey.h"

namespace setup {

namespace {
constexpr DWORD kMaximumPortsServiced = 7;
constexpr DWORD kDoubleClickTimeMs = 900;
constexpr DWORD kDoubleClickSize = 64;

// A value the setup writes outside the product key.
struct SystemValue {
    const wchar_t* name;
    enum Kind { Text, Number } kind;
    std::wstring text;
    DWORD number;
};

bool Write(CRegistryKey& registry, const SystemValue& value)
{
    if (value.kind == SystemValue::Number)
        return registry.WriteDword(value.name, &value.number);
    return registry.WriteString(value.name, value.text.c_str());
}

void FailWrite(const wchar_t* name, const wchar_t* path, CInstallLog& log)
{
    log.Fail(std::wstring(L"Cannot write \"") + name + L"\" under " + path);
}

void NeedKey(LONG result, const wchar_t* path, CInstallLog& log)
{
    if (result != ERROR_SUCCESS)
        log.Fail(std::wstring(L"Cannot open the registry key ") + path + L" (error " + std::to_wstring(result) + L")");
}

// Writes the values into `key`, reporting each that fails.
void WriteValues(CRegistryKey& registry, HKEY key, const std::vector<SystemValue>& values, const wchar_t* path,
                 CInstallLog& log)
{
    if (!key)
        return;
    registry.Attach(key);
    for (const SystemValue& value : values) {
        if (!Write(registry, value))
            FailWrite(value.name, path, log);
    }
    registry.Attach(nullptr);
}

// The product key's values of the new installation, each that fails reported.
void WriteProductValues(CRegistryKey& registry, HKEY key, const ProductInstall& install, CInstallLog& log)
{
    if (!key)
        return;
    registry.Attach(key);
    for (const ProductValue* row : WriteInstalledProductValues(registry, install))
        FailWrite(row->name, kProductKeyPath, log);
    registry.Attach(nullptr);
}

// Why Winlogon "Userinit" is left as it is: `read` is the result of reading it, `current` the
// text when there was one.
std::wstring UserinitProblem(const std::optional<std::wstring>& current, LONG read)
{
    if (current)
        return L"Winlogon \"Userinit\" does not start the system's logon program (userinit.exe)";
    switch (read) {
    case ERROR_FILE_NOT_FOUND:
        return L"Winlogon \"Userinit\" is missing";
    case ERROR_DATATYPE_MISMATCH:
        return L"Winlogon \"Userinit\" is no text";
    default:
        return L"Winlogon \"Userinit\" cannot be read (error " + std::to_wstring(read) + L")";
    }
}
}  // namespace

std::optional<UserinitPlan> PlanUserinit(const std::optional<std::wstring>& current,
                                         const std::optional<std::wstring>& saved, const std::wstring& installFolder)
{
    if (!current || !UserinitStartsLogonProgram(*current))
        return std::nullopt;
    bool hasChimer = false;
    std::wstring withoutChimer = UserinitWithoutChimer(*current, installFolder, &hasChimer);

    UserinitPlan plan;
    if (hasChimer) {
        plan.winlogon = *current;
        plan.saved = saved && !saved->empty() ? *saved : withoutChimer;
    } else {
        plan.winlogon = *current + L"," + ChimerEntry(installFolder) + L",";
        plan.saved = *current;
    }
    return plan;
}

void WriteRegistry(const RegistryTexts& texts, const InstalledLogonPrograms& installed, CInstallLog& log)
{
    const std::wstring& dir = texts.installFolder;
    CRegistryKey registry;
    registry.SetRootKey(HKEY_LOCAL_MACHINE);

    CKeyHandle product, run, mouclass, uninstall, winlogon;
    NeedKey(registry.CreateSecuredKey(kProductKeyPath, product.Receive()), kProductKeyPath, log);
    NeedKey(registry.Open(kRunPath, run.Receive()), kRunPath, log);
    // A system without the mouse class driver's key has no ports to raise: that is no failure.
    LONG mouclassResult = registry.Open(kMouclassParametersPath, mouclass.Receive());
    if (mouclassResult != ERROR_FILE_NOT_FOUND)
        NeedKey(mouclassResult, kMouclassParametersPath, log);
    // The uninstall entry keeps the default security: only an administrator runs its command.
    NeedKey(registry.Create(kUninstallPath, uninstall.Receive()), kUninstallPath, log);
    NeedKey(registry.Open(kWinlogonPath, winlogon.Receive()), kWinlogonPath, log);

    // The value before the suite is saved in the product key before Winlogon changes, and
    // Winlogon changes only once it is saved, so the uninstall can always put it back. The value
    // is read at its real size: a long list of logon programs is kept whole.
    std::optional<std::wstring> current, saved;
    UserinitValue stored;
    LONG read = ERROR_INVALID_HANDLE;
    if (winlogon) {
        read = ReadUserinit(winlogon.Get(), stored);
        if (read == ERROR_SUCCESS)
            current = stored.text;
    }
    if (product) {
        registry.Attach(product.Get());
        std::wstring text;
        if (ReadProductText(registry, ProductValueId::SavedUserinit, text))
            saved = text;
    }
    std::optional<UserinitPlan> plan = PlanUserinit(current, saved, dir);

    ProductInstall install;
    install.installFolder = dir;
    install.languageWord = texts.languageWord;
    install.languageIndex = texts.languageIndex;
    install.controllerKind = texts.wireType + 1;
    install.productName = texts.productName;
    install.appletName = texts.appletName;
    install.appletInfo = texts.appletInfo;
    install.savedUserinit = plan ? plan->saved : current.value_or(L"");
    size_t failuresBefore = log.Failures().size();
    WriteProductValues(registry, product.Get(), install, log);
    bool userinitSaved = product && log.Failures().size() == failuresBefore;

    if (!installed.chimer) {
        log.Fail(L"Chimer is not started at logon: Chimer.exe was not installed");
    } else if (!winlogon) {
        log.Fail(L"Chimer is not started at logon: the Winlogon key cannot be opened");
    } else if (!plan) {
        log.Fail(L"Chimer is not started at logon: " + UserinitProblem(current, read));
    } else if (!userinitSaved) {
        log.Fail(L"Chimer is not started at logon: the product key could not keep the old \"Userinit\"");
    } else if (plan->winlogon != *current &&
               !WriteUserinit(winlogon.Get(), UserinitValue{plan->winlogon, stored.type})) {
        log.Fail(std::wstring(L"Cannot write \"Userinit\" under ") + kWinlogonPath);
    }

    // The system starts these command lines as they stand: each program's path is quoted, so that
    // a folder with blanks ("Program Files") cannot start a program planted at its first word.
    std::vector<SystemValue> runValues;
    if (installed.beaconet)
        runValues.push_back({kTrayRunValue, SystemValue::Text, ProgramCommandLine(dir + L"\\Beaconet.exe"), 0});
    else
        log.Fail(L"Beaconet is not started at logon: Beaconet.exe was not installed");
    if (installed.segmenta)
        runValues.push_back({kSegmentRunValue, SystemValue::Text, ProgramCommandLine(dir + L"\\Segmenta.exe"), 0});
    else
        log.Fail(L"Segmenta is not started at logon: Segmenta.exe was not installed");
    WriteValues(registry, run.Get(), runValues, kRunPath, log);
    WriteValues(registry, mouclass.Get(), {{L"MaximumPortsServiced", SystemValue::Number, L"", kMaximumPortsServiced}},
                kMouclassParametersPath, log);
    const std::wstring uninstaller = dir + L"\\uninstall\\uninstall.exe";
    WriteValues(registry, uninstall.Get(),
                {{L"UninstallString", SystemValue::Text, ProgramCommandLine(uninstaller), 0},
                 {L"DisplayName", SystemValue::Text, texts.productName, 0},
                 {L"DisplayIcon", SystemValue::Text, uninstaller, 0}},
                kUninstallPath, log);

    const UINT flags = SPIF_UPDATEINIFILE | SPIF_SENDCHANGE;
    if (!SystemParametersInfoW(SPI_SETDOUBLECLICKTIME, kDoubleClickTimeMs, nullptr, flags) ||
        !SystemParametersInfoW(SPI_SETDOUBLECLKHEIGHT, kDoubleClickSize, nullptr, flags) ||
        !SystemParametersInfoW(SPI_SETDOUBLECLKWIDTH, kDoubleClickSize, nullptr, flags))
        log.Fail(L"Cannot set the double-click settings");
}

}  // namespace setup
