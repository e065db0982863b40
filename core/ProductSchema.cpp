#include "ProductSchema.h"

#include "AnsiText.h"
#include "InstallManifest.h"
#include "LogonEntries.h"
#include "RegistryKey.h"

namespace {
using I = ProductValueId;
using K = ProductValueKind;
using D = ProductDefault;
using P = ProductInstall;

// Buffer of a text read, in bytes: room for 500 characters. The sheet's title is looked up
// through 128 bytes.
constexpr DWORD kTextBytes = 1000;
constexpr DWORD kTitleBytes = 128;
constexpr DWORD kRealSize = 0;

constexpr ProductValue Txt(I id, const wchar_t* name, D rule, const wchar_t* text = nullptr, DWORD bytes = kTextBytes)
{
    return {id, name, K::Text, rule, 0, text, nullptr, nullptr, bytes};
}

constexpr ProductValue Num(I id, const wchar_t* name, D rule, DWORD number)
{
    return {id, name, K::Number, rule, number, nullptr, nullptr, nullptr, 0};
}

constexpr ProductValue ChosenTxt(I id, const wchar_t* name, std::wstring P::*member, DWORD bytes = kTextBytes)
{
    return {id, name, K::Text, D::Chosen, 0, nullptr, member, nullptr, bytes};
}

// `missing`: what the number counts as without the installation's choice.
constexpr ProductValue ChosenNum(I id, const wchar_t* name, DWORD P::*member, DWORD missing)
{
    return {id, name, K::Number, D::Chosen, missing, nullptr, nullptr, member, 0};
}

// In the order of the ids, which ProductRow relies on.
constexpr ProductValue kRows[] = {
    Txt(I::TrayProgram, L"BeaconetApplication", D::InFolder, L"\\Beaconet.exe"),
    Txt(I::InstallFolder, L"Tiven Installed Path", D::InFolder, L""),
    Txt(I::TrayLabels, L"Beaconet XML File Path", D::InFolder, L"\\XML\\Beaconet%LLabels.xml"),
    Txt(I::CalibrationLabels, L"Calibration XML FilePath", D::InFolder, L"\\XML\\Calib%LLabels.xml"),
    Txt(I::AppletLabels, L"XML File Path", D::InFolder, L"\\XML\\MAVO%LLabels.xml"),
    Txt(I::SelectorLabels, L"GXLabelsPath", D::InFolder, L"\\XML\\GX%LLabels.xml"),
    Txt(I::HelpFile, L"Help File Path", D::InFolder, L"\\help\\MAVOHelp%L.chm"),
    // The same name as the Winlogon value it keeps.
    ChosenTxt(I::SavedUserinit, kUserinitValue, &P::savedUserinit, kRealSize),
    Txt(I::SettingsProgram, L"RenkaCPL Application", D::InFolder, L"\\RenkaCPL.exe"),
    Txt(I::SelectorProgram, L"Gesturo Application", D::InFolder, L"\\Gesturo.exe"),
    Txt(I::CalibrationProgram, L"Calibration Application", D::InFolder, L"\\Aimwell.exe"),
    ChosenTxt(I::ProductName, L"RootKeyName", &P::productName),
    ChosenTxt(I::AppletName, L"RenkaCPLName", &P::appletName),
    ChosenTxt(I::AppletInfo, L"RenkaCPLInfo", &P::appletInfo),
    Txt(I::CurrentDevice, L"Device Name", D::Fixed, L"RILO Device-1"),
    Num(I::TrayIcons, L"System Tray Icons", D::Fixed, 1),
    Num(I::CalibrationBeeps, L"Calibration Beeps", D::Fixed, 0),
    ChosenNum(I::Language, L"Language", &P::languageIndex, 0),   // English
    Num(I::CheckCalibration, L"Check Calibration", D::Fixed, 0),
    Num(I::ButtonModeSwitch, L"Gesturo", D::Fixed, 0),
    Num(I::AlwaysOnTop, L"AlwaysOnTop", D::Fixed, 0),
    Num(I::HitOne, L"HitOne", D::Fixed, 0),
    Num(I::IconType, L"IconType", D::Fixed, 1012),   // the large pictures
    ChosenNum(I::ControllerKind, L"Controller", &P::controllerKind, 0),   // no kind

    Txt(I::SheetTitle, L"Device Label", D::NotInstalled, nullptr, kTitleBytes),
    Txt(I::DumpFile, L"Dump File Path", D::NotInstalled),
    Num(I::Rotation, L"Rotation", D::NotInstalled, 0),
    Num(I::PrimaryWidth, L"PriXmax", D::NotInstalled, 0),
    Num(I::PrimaryHeight, L"PriYmax", D::NotInstalled, 0),
};

constexpr size_t kRowCount = sizeof kRows / sizeof kRows[0];

constexpr bool RowsInIdOrder()
{
    for (size_t i = 0; i < kRowCount; ++i)
        if (static_cast<size_t>(kRows[i].id) != i)
            return false;
    return true;
}
static_assert(RowsInIdOrder(), "the product rows stand in the order of their ids");
static_assert(static_cast<size_t>(I::PrimaryHeight) + 1 == kRowCount, "every id has its row");

template <typename Char>
bool ReadText(CRegistryKey& key, const Char* name, DWORD bytes, std::basic_string<Char>& text)
{
    if (bytes == kRealSize)
        return key.ReadFullString(name, text) == ERROR_SUCCESS;
    return key.ReadString(name, text, bytes);
}
}  // namespace

ProductValueTable ProductValues() { return {kRows, kRows + kRowCount}; }

const ProductValue& ProductRow(ProductValueId id) { return kRows[static_cast<size_t>(id)]; }

bool ReadProductText(CRegistryKey& key, ProductValueId id, std::wstring& text)
{
    const ProductValue& row = ProductRow(id);
    return ReadText(key, row.name, row.readBytes, text);
}

bool ReadProductText(CRegistryKey& key, ProductValueId id, std::string& text)
{
    const ProductValue& row = ProductRow(id);
    return ReadText(key, NarrowToAnsi(row.name).c_str(), row.readBytes, text);
}

bool WriteProductText(CRegistryKey& key, ProductValueId id, const std::wstring& text)
{
    return key.WriteString(ProductValueName(id), text.c_str());
}

std::optional<DWORD> ReadStoredProductNumber(CRegistryKey& key, ProductValueId id)
{
    DWORD value = 0;
    if (!key.ReadDword(ProductValueName(id), &value))
        return std::nullopt;
    return value;
}

DWORD ReadProductNumber(CRegistryKey& key, ProductValueId id)
{
    return ReadStoredProductNumber(key, id).value_or(ProductRow(id).defaultNumber);
}

bool WriteProductNumber(CRegistryKey& key, ProductValueId id, DWORD value)
{
    return key.WriteDword(ProductValueName(id), &value);
}

bool InstalledProductValue(const ProductValue& row, const ProductInstall& install, std::wstring& text,
                           DWORD& number)
{
    text.clear();
    number = row.defaultNumber;
    switch (row.rule) {
    case D::Fixed:
        if (row.text)
            text = row.text;
        return true;
    case D::InFolder:
        text = install.installFolder + WithLanguage(row.text, install.languageWord);
        return true;
    case D::Chosen:
        if (row.kind == K::Text)
            text = install.*row.chosenText;
        else
            number = install.*row.chosenNumber;
        return true;
    case D::NotInstalled:
        break;
    }
    return false;
}

std::vector<const ProductValue*> WriteInstalledProductValues(CRegistryKey& key, const ProductInstall& install)
{
    std::vector<const ProductValue*> failed;
    std::wstring text;
    DWORD number = 0;
    for (const ProductValue& row : ProductValues()) {
        if (!InstalledProductValue(row, install, text, number))
            continue;
        const bool written = row.kind == K::Text ? key.WriteString(row.name, text.c_str())
                                                 : key.WriteDword(row.name, &number);
        if (!written)
            failed.push_back(&row);
    }
    return failed;
}
