#include "GeneralPage.h"

#include "AppletGlobals.h"
#include "ControlLabels.h"
#include "DataExchange.h"
#include "KeyHandle.h"
#include "LabelKeys.h"
#include "NamedEvents.h"
#include "NamedObjects.h"
#include "ProcessLauncher.h"
#include "SettingsClone.h"
#include "SettingsDump.h"
#include "resource.h"

namespace {
// Probe for the right to create keys beside the drivers' keys; deleted again at once.
constexpr wchar_t kProbeKeyPath[] = L"SYSTEM\\CurrentControlSet\\Services\\mavomavo";
constexpr wchar_t kDumpedTo[] = L"Driver settings have been dumped into";

const ControlLabel kLabels[] = {
    {IDC_GEN_SHOW_ICONS, LabelKey::LGEN_SHOW_ICONS},
    {IDC_GEN_CHECK_CALIBRATION, LabelKey::LGEN_CHECK_CALIBRATION},
    {IDC_GEN_CALIBRATION_BEEPS, LabelKey::LGEN_CALIBRATION_BEEPS},
    {IDC_GEN_HEADING, LabelKey::LGEN_GENERAL_SETTINS},
    {IDC_GEN_COPY_OF_SETTINGS, LabelKey::LGEN_CLONE},
    {IDC_GEN_DUMP_SETTINGS, LabelKey::LGEN_DUMP},
};

void PageMessageBox(HWND page, const std::wstring& text, UINT icon)
{
    const std::wstring caption =
        Applet().labelStore.TextOr(MessageKey::LPOINTER_DEVICE_PROPERTIES, kPropertiesCaption);
    MessageBoxW(page, text.c_str(), caption.c_str(), icon);
}
}  // namespace

const CGeneralPage::Option CGeneralPage::kOptions[3] = {
    {&CGeneralPage::showIconsCheck_, ProductValueId::TrayIcons},
    {&CGeneralPage::checkCalibrationCheck_, ProductValueId::CheckCalibration},
    {&CGeneralPage::beepsCheck_, ProductValueId::CalibrationBeeps},
};

CGeneralPage::CGeneralPage() : CDevicePage(IDD_GENERAL) { Psp().dwFlags |= PSP_HASHELP; }

void CGeneralPage::DoDataExchange(CDataExchange& dx)
{
    DDX_Control(dx, IDC_GEN_SHOW_ICONS, showIconsCheck_);
    DDX_Control(dx, IDC_GEN_CHECK_CALIBRATION, checkCalibrationCheck_);
    DDX_Control(dx, IDC_GEN_CALIBRATION_BEEPS, beepsCheck_);
    DDX_Control(dx, IDC_GEN_COPY_OF_SETTINGS, copyButton_);
    DDX_Control(dx, IDC_GEN_DUMP_SETTINGS, dumpButton_);
}

bool CGeneralPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    SetLabels();
    LoadSettings();
    DisableSupportWithoutWriteAccess();
    return true;
}

void CGeneralPage::SetLabels()
{
    ApplyControlLabels(m_hWnd, Applet().labelStore, kLabels);
    UpdateData(false);
}

void CGeneralPage::LoadSettings()
{
    CRegistryKey& product = Applet().serviceKey;
    for (const Option& option : kOptions) {
        const std::optional<DWORD> stored = ReadStoredProductNumber(product, option.value);
        const bool on = stored.value_or(ProductRow(option.value).defaultNumber) == 1;
        (this->*option.check).SetCheck(on ? BST_CHECKED : BST_UNCHECKED);
        // A missing value is pending: the next Apply writes its default.
        if (!stored)
            MarkChanged();
    }
}

void CGeneralPage::DisableSupportWithoutWriteAccess()
{
    // Whoever cannot create a key under Services can neither save the drivers' keys nor is
    // meant to: both support buttons go grey.
    CRegistryKey probe;
    CKeyHandle key;
    if (probe.Create(kProbeKeyPath, key.Receive()) != ERROR_SUCCESS) {
        copyButton_.EnableWindow(false);
        dumpButton_.EnableWindow(false);
    }
    key.Reset();
    probe.DeleteKey(kProbeKeyPath);
}

bool CGeneralPage::OnSetActive()
{
    if (RedirectWhenNoControllerLeft())
        return false;
    return CPropertyPage::OnSetActive();
}

void CGeneralPage::MarkChanged()
{
    changed_ = true;
    MarkModified();
}

bool CGeneralPage::OnButtonClicked(int id)
{
    switch (id) {
    case IDC_GEN_SHOW_ICONS:
    case IDC_GEN_CHECK_CALIBRATION:
    case IDC_GEN_CALIBRATION_BEEPS:
        MarkChanged();
        return true;
    case IDC_GEN_COPY_OF_SETTINGS:
        OnCopyOfSettings();
        return true;
    case IDC_GEN_DUMP_SETTINGS:
        OnDumpSettings();
        return true;
    }
    return CPropertyPage::OnButtonClicked(id);
}

void CGeneralPage::OnOK()
{
    if (changed_)
        SaveSettings();
    CPropertyPage::OnOK();
}

void CGeneralPage::SaveSettings()
{
    CRegistryKey& product = Applet().serviceKey;
    for (const Option& option : kOptions) {
        const DWORD value = (this->*option.check).GetCheck() == BST_CHECKED ? 1 : 0;
        WriteProductNumber(product, option.value, value);
    }
    changed_ = false;
    TellTrayProgram();
}

void CGeneralPage::TellTrayProgram()
{
    // A running tray program holds the event: it re-reads "System Tray Icons" and shows its
    // icons or quits.
    if (SignalNamedEvent(kTrayIconsEvent))
        return;
    if (showIconsCheck_.GetCheck() != BST_CHECKED)
        return;
    std::wstring trayProgram;
    ReadProductText(Applet().serviceKey, ProductValueId::TrayProgram, trayProgram);
    // A missing path starts nothing, and nothing is reported.
    DWORD error = 0;
    CProcessLauncher().Run(ProgramCommandLine(trayProgram), &error);
}

void CGeneralPage::OnCopyOfSettings()
{
    const CloneResult result = CloneDriverSettings(Applet().installDir);
    PageMessageBox(m_hWnd, CloneMessage(result, Applet().labelStore),
                   result.AnySaveFailed() ? MB_ICONWARNING : MB_ICONINFORMATION);
}

void CGeneralPage::OnDumpSettings()
{
    CAppletContext& ctx = Applet();
    std::vector<CDeviceSettings*> records;
    ctx.deviceCollection.GetDevices(records);
    if (records.empty())
        return;

    CSettingsDump dump;
    SYSTEMTIME now{};
    GetSystemTime(&now);
    dump.AddHeader(now, ExpandEnvironment(L"%OS%"));
    for (const CDeviceSettings* record : records) {
        // Only what the registry holds: neither devices marked for removal nor new ones not
        // applied yet.
        if (record->bRemoved || record->bAdded)
            continue;
        DumpDeviceSettings(dump, *record, ctx.SegmentNames, ctx.ButtonModeNames);
    }
    const std::wstring path = DumpFilePath(ctx.serviceKey);
    if (!dump.Write(path))
        return;
    PageMessageBox(m_hWnd, ctx.labelStore.TextOr(LabelKey::LGEN_DUMP_SETTINGS, kDumpedTo) + L"\n" + path,
                   MB_ICONINFORMATION);
}
