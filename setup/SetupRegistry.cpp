#include "SetupRegistry.h"

#include <vector>

#include "DeviceKeys.h"
#include "InstallLog.h"
#include "KeyHandle.h"
#include "ProcessLauncher.h"
#include "RegistryKey.h"

namespace setup {

namespace {
constexpr DWORD kMaximumPortsServiced = 7;
constexpr DWORD kDoubleClickTimeMs = 900;
constexpr DWORD kDoubleClickSize = 64;

struct ProductValue {
    const wchar_t* name;
    enum Kind { Text, Number } kind;
    std::wstring text;
    DWORD number;
};

bool Write(CRegistryKey& registry, const ProductValue& value)
{
    if (value.kind == ProductValue::Number)
        return registry.WriteDword(value.name, &value.number);
    return registry.WriteString(value.name, value.text.c_str());
}

void NeedKey(LONG result, const wchar_t* path, CInstallLog& log)
{
    if (result != ERROR_SUCCESS)
        log.Fail(std::wstring(L"Cannot open the registry key ") + path + L" (error " + std::to_wstring(result) + L")");
}

// Writes the values into `key`, reporting each that fails.
void WriteValues(CRegistryKey& registry, HKEY key, const std::vector<ProductValue>& values, const wchar_t* path,
                 CInstallLog& log)
{
    if (!key)
        return;
    registry.Attach(key);
    for (const ProductValue& value : values) {
        if (!Write(registry, value))
            log.Fail(std::wstring(L"Cannot write \"") + value.name + L"\" under " + path);
    }
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

void WriteRegistry(const RegistryTexts& texts, CInstallLog& log)
{
    const std::wstring& dir = texts.installFolder;
    const std::wstring& word = texts.languageWord;
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
        if (registry.ReadFullString(kUserinitValue, text) == ERROR_SUCCESS)
            saved = text;
    }
    std::optional<UserinitPlan> plan = PlanUserinit(current, saved, dir);

    std::vector<ProductValue> productValues = {
        {L"BeaconetApplication", ProductValue::Text, dir + L"\\Beaconet.exe", 0},
        {L"Tiven Installed Path", ProductValue::Text, dir, 0},
        {L"Beaconet XML File Path", ProductValue::Text, dir + L"\\XML\\Beaconet" + word + L"Labels.xml", 0},
        {L"Calibration XML FilePath", ProductValue::Text, dir + L"\\XML\\Calib" + word + L"Labels.xml", 0},
        {L"XML File Path", ProductValue::Text, dir + L"\\XML\\MAVO" + word + L"Labels.xml", 0},
        {L"GXLabelsPath", ProductValue::Text, dir + L"\\XML\\GX" + word + L"Labels.xml", 0},
        {L"Help File Path", ProductValue::Text, dir + L"\\help\\MAVOHelp" + word + L".chm", 0},
        {kUserinitValue, ProductValue::Text, plan ? plan->saved : current.value_or(L""), 0},
        {L"RenkaCPL Application", ProductValue::Text, dir + L"\\RenkaCPL.exe", 0},
        {L"Gesturo Application", ProductValue::Text, dir + L"\\Gesturo.exe", 0},
        {L"Calibration Application", ProductValue::Text, dir + L"\\Aimwell.exe", 0},
        {L"RootKeyName", ProductValue::Text, texts.productName, 0},
        {L"RenkaCPLName", ProductValue::Text, texts.appletName, 0},
        {L"RenkaCPLInfo", ProductValue::Text, texts.appletInfo, 0},
        {L"Device Name", ProductValue::Text, L"RILO Device-1", 0},
        {L"System Tray Icons", ProductValue::Number, L"", 1},
        {L"Calibration Beeps", ProductValue::Number, L"", 0},
        {L"Language", ProductValue::Number, L"", texts.languageIndex},
        {L"Check Calibration", ProductValue::Number, L"", 0},
        {L"Gesturo", ProductValue::Number, L"", 0},
        {L"AlwaysOnTop", ProductValue::Number, L"", 0},
        {L"HitOne", ProductValue::Number, L"", 0},
        {L"IconType", ProductValue::Number, L"", 1012},
        {L"Controller", ProductValue::Number, L"", texts.wireType + 1},
    };
    size_t failuresBefore = log.Failures().size();
    WriteValues(registry, product.Get(), productValues, kProductKeyPath, log);
    bool userinitSaved = product && log.Failures().size() == failuresBefore;

    if (!winlogon) {
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
    WriteValues(registry, run.Get(),
                {{kTrayRunValue, ProductValue::Text, ProgramCommandLine(dir + L"\\Beaconet.exe"), 0},
                 {kSegmentRunValue, ProductValue::Text, ProgramCommandLine(dir + L"\\Segmenta.exe"), 0}},
                kRunPath, log);
    WriteValues(registry, mouclass.Get(), {{L"MaximumPortsServiced", ProductValue::Number, L"", kMaximumPortsServiced}},
                kMouclassParametersPath, log);
    const std::wstring uninstaller = dir + L"\\uninstall\\uninstall.exe";
    WriteValues(registry, uninstall.Get(),
                {{L"UninstallString", ProductValue::Text, ProgramCommandLine(uninstaller), 0},
                 {L"DisplayName", ProductValue::Text, texts.productName, 0},
                 {L"DisplayIcon", ProductValue::Text, uninstaller, 0}},
                kUninstallPath, log);

    const UINT flags = SPIF_UPDATEINIFILE | SPIF_SENDCHANGE;
    if (!SystemParametersInfoW(SPI_SETDOUBLECLICKTIME, kDoubleClickTimeMs, nullptr, flags) ||
        !SystemParametersInfoW(SPI_SETDOUBLECLKHEIGHT, kDoubleClickSize, nullptr, flags) ||
        !SystemParametersInfoW(SPI_SETDOUBLECLKWIDTH, kDoubleClickSize, nullptr, flags))
        log.Fail(L"Cannot set the double-click settings");
}

}  // namespace setup
