#pragma once
// The one schema of the product key: every value the programs keep there, with its kind and
// what it holds when the setup has written it. The setup walks the table to write a new
// installation's values; every program reads and writes them through the table's names, and a
// number that is missing takes the row's default, which is what the setup writes for it. The
// rows stand in the order the setup writes them, followed by the values that only the programs
// write later; Windows hands a new key's values back in creation order.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "RowRange.h"

class CRegistryKey;

enum class ProductValueId {
    TrayProgram,            // "BeaconetApplication"
    InstallFolder,          // "Tiven Installed Path"
    TrayLabels,             // "Beaconet XML File Path"
    CalibrationLabels,      // "Calibration XML FilePath"
    AppletLabels,           // "XML File Path"
    SelectorLabels,         // "GXLabelsPath"
    HelpFile,               // "Help File Path"
    SavedUserinit,          // "Userinit": Winlogon "Userinit" as it was before the suite
    SettingsProgram,        // "RenkaCPL Application"
    SelectorProgram,        // "Gesturo Application"
    CalibrationProgram,     // "Calibration Application"
    ProductName,            // "RootKeyName", also the Start-menu folder's name
    AppletName,             // "RenkaCPLName"
    AppletInfo,             // "RenkaCPLInfo"
    CurrentDevice,          // "Device Name": the device the programs work on
    TrayIcons,              // "System Tray Icons": 1 shows the tray program's icons
    CalibrationBeeps,       // "Calibration Beeps"
    Language,               // "Language": 0 English
    CheckCalibration,       // "Check Calibration"
    ButtonModeSwitch,       // "Gesturo": 0 every device in its primary button mode, 1 in its secondary
    AlwaysOnTop,            // "AlwaysOnTop": the mode selector's window
    HitOne,                 // "HitOne": 1 = the secondary button mode holds for one touch
    IconType,               // "IconType": the mode selector's picture size
    ControllerKind,         // "Controller": 1 4/8-wire, 2 5-wire, 3 one-sheet
    // Written by the programs, never by the setup.
    SheetTitle,             // "Device Label": the title of the open property sheet
    DumpFile,               // "Dump File Path": where the applet dumps the driver settings
    Rotation,               // "Rotation": how the display's orientation reaches the driver
    PrimaryWidth,           // "PriXmax": the primary monitor's size at its last calibration
    PrimaryHeight,          // "PriYmax"
};

enum class ProductValueKind {
    Text,     // REG_EXPAND_SZ
    Number,   // REG_DWORD
};

// What an installation's values are made of.
struct ProductInstall {
    std::wstring installFolder;
    std::wstring languageWord;     // names the help and label files of the language (LanguageWord)
    DWORD languageIndex = 0;
    DWORD controllerKind = 0;
    std::wstring productName;
    std::wstring appletName;
    std::wstring appletInfo;
    std::wstring savedUserinit;    // Winlogon "Userinit" before the suite
};

// What the setup writes for a value.
enum class ProductDefault {
    Fixed,          // the row's number or text
    InFolder,       // the install folder followed by the row's text, %L in it the language word
    Chosen,         // the row's member of the installation: a choice or a text of the setup
    NotInstalled,   // nothing: a program writes it later
};

struct ProductValue {
    ProductValueId id;
    const wchar_t* name;
    ProductValueKind kind;
    ProductDefault rule;
    DWORD defaultNumber;     // Number rows: what a missing value counts as
    const wchar_t* text;     // Fixed text rows: the text; InFolder rows: what follows the folder
    std::wstring ProductInstall::*chosenText;   // Chosen text rows
    DWORD ProductInstall::*chosenNumber;        // Chosen number rows
    DWORD readBytes;         // Text rows: the buffer of a read, 0 for a read at the real size
};

using ProductValueTable = RowRange<ProductValue>;
ProductValueTable ProductValues();
const ProductValue& ProductRow(ProductValueId id);
inline const wchar_t* ProductValueName(ProductValueId id) { return ProductRow(id).name; }

// Reads and writes act on the key attached to `key`. A text is read through its row's buffer: a
// text that does not fit counts as missing. A text read that fails leaves `text` as it was; the
// narrow overload reads the text in the system code page.
bool ReadProductText(CRegistryKey& key, ProductValueId id, std::wstring& text);
bool ReadProductText(CRegistryKey& key, ProductValueId id, std::string& text);
bool WriteProductText(CRegistryKey& key, ProductValueId id, const std::wstring& text);
// The stored number, none when it is missing.
std::optional<DWORD> ReadStoredProductNumber(CRegistryKey& key, ProductValueId id);
// The stored number, or the row's default when it is missing.
DWORD ReadProductNumber(CRegistryKey& key, ProductValueId id);
bool WriteProductNumber(CRegistryKey& key, ProductValueId id, DWORD value);

// The value the setup writes for a row: its text or its number. False for NotInstalled rows.
bool InstalledProductValue(const ProductValue& row, const ProductInstall& install, std::wstring& text,
                           DWORD& number);
// Writes every value the setup writes, in table order, to the key attached to `key`; returns the
// rows whose write failed.
std::vector<const ProductValue*> WriteInstalledProductValues(CRegistryKey& key, const ProductInstall& install);
