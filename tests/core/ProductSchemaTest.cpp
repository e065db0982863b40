// The product key's table: what the setup writes for a new installation, and that every reader
// reads it back, or takes what the setup would have written when a number is missing.
#include <gtest/gtest.h>

#include "AnsiText.h"
#include "DeviceKeys.h"
#include "ProductSchema.h"
#include "RegistryKey.h"
#include "RegistryWriteLog.h"
#include "ScratchRegistry.h"

using testsupport::ScratchRegistry;

namespace {
const std::wstring kFolder = L"C:\\Program Files\\Tiven\\Tiven MAVO";

ProductInstall Installation()
{
    ProductInstall install;
    install.installFolder = kFolder;
    install.languageWord = L"Japanese";
    install.languageIndex = 1;
    install.controllerKind = 2;
    install.productName = L"Tiven MAVO";
    install.appletName = L"Touch Panel";
    install.appletInfo = L"Configures the touch panels";
    install.savedUserinit = L"C:\\windows\\system32\\userinit.exe,";
    return install;
}

// The scratch product key, open with `access` and attached to `registry`.
struct ProductKey {
    ScratchRegistry scratch;
    CRegistryKey registry;
    HKEY handle = nullptr;

    explicit ProductKey(REGSAM access = KEY_ALL_ACCESS)
    {
        scratch.CreateKey(kProductKeyPath);
        EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kProductKeyPath, 0, access, &handle), ERROR_SUCCESS);
        registry.Attach(handle);
    }
    ~ProductKey() { RegCloseKey(handle); }
};

struct Stored {
    const wchar_t* name;
    DWORD type;
    std::wstring text;
    DWORD number;
};

std::wstring TextOf(const ProductValue& row, const ProductInstall& install)
{
    std::wstring text;
    DWORD number = 0;
    InstalledProductValue(row, install, text, number);
    return text;
}

DWORD NumberOf(const ProductValue& row, const ProductInstall& install)
{
    std::wstring text;
    DWORD number = 0;
    InstalledProductValue(row, install, text, number);
    return number;
}
}  // namespace

TEST(ProductSchema, TheSetupWritesEveryValueOfANewInstallationInOrder)
{
    ProductKey key;
    testsupport::RegistryWriteLog writes;
    ASSERT_TRUE(writes.Active());
    EXPECT_TRUE(WriteInstalledProductValues(key.registry, Installation()).empty());

    const std::wstring xml = kFolder + L"\\XML\\";
    const Stored expected[] = {
        {L"BeaconetApplication", REG_EXPAND_SZ, kFolder + L"\\Beaconet.exe", 0},
        {L"Tiven Installed Path", REG_EXPAND_SZ, kFolder, 0},
        {L"Beaconet XML File Path", REG_EXPAND_SZ, xml + L"BeaconetJapaneseLabels.xml", 0},
        {L"Calibration XML FilePath", REG_EXPAND_SZ, xml + L"CalibJapaneseLabels.xml", 0},
        {L"XML File Path", REG_EXPAND_SZ, xml + L"MAVOJapaneseLabels.xml", 0},
        {L"GXLabelsPath", REG_EXPAND_SZ, xml + L"GXJapaneseLabels.xml", 0},
        {L"Help File Path", REG_EXPAND_SZ, kFolder + L"\\help\\MAVOHelpJapanese.chm", 0},
        {L"Userinit", REG_EXPAND_SZ, L"C:\\windows\\system32\\userinit.exe,", 0},
        {L"RenkaCPL Application", REG_EXPAND_SZ, kFolder + L"\\RenkaCPL.exe", 0},
        {L"Gesturo Application", REG_EXPAND_SZ, kFolder + L"\\Gesturo.exe", 0},
        {L"Calibration Application", REG_EXPAND_SZ, kFolder + L"\\Aimwell.exe", 0},
        {L"RootKeyName", REG_EXPAND_SZ, L"Tiven MAVO", 0},
        {L"RenkaCPLName", REG_EXPAND_SZ, L"Touch Panel", 0},
        {L"RenkaCPLInfo", REG_EXPAND_SZ, L"Configures the touch panels", 0},
        {L"Device Name", REG_EXPAND_SZ, L"RILO Device-1", 0},
        {L"System Tray Icons", REG_DWORD, L"", 1},
        {L"Calibration Beeps", REG_DWORD, L"", 0},
        {L"Language", REG_DWORD, L"", 1},
        {L"Check Calibration", REG_DWORD, L"", 0},
        {L"Gesturo", REG_DWORD, L"", 0},
        {L"AlwaysOnTop", REG_DWORD, L"", 0},
        {L"HitOne", REG_DWORD, L"", 0},
        {L"IconType", REG_DWORD, L"", 1012},
        {L"Controller", REG_DWORD, L"", 2},
    };
    std::vector<std::wstring> names;
    for (const Stored& value : expected) {
        names.push_back(value.name);
        const testsupport::RegValue read = key.scratch.Read(kProductKeyPath, value.name);
        ASSERT_TRUE(read.present) << testing::PrintToString(std::wstring(value.name));
        EXPECT_EQ(read.type, value.type) << testing::PrintToString(std::wstring(value.name));
        if (value.type == REG_DWORD)
            EXPECT_EQ(read.AsDword(), value.number) << testing::PrintToString(std::wstring(value.name));
        else
            EXPECT_EQ(read.AsString(), value.text) << testing::PrintToString(std::wstring(value.name));
    }
    // Windows hands a new key's values back in creation order.
    EXPECT_EQ(writes.NamesWrittenTo(key.handle), names);
    EXPECT_EQ(key.scratch.ValueNames(kProductKeyPath).size(), names.size());
}

TEST(ProductSchema, EveryReaderReadsBackWhatTheSetupWrote)
{
    ProductKey key;
    const ProductInstall install = Installation();
    ASSERT_TRUE(WriteInstalledProductValues(key.registry, install).empty());

    for (const ProductValue& row : ProductValues()) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.name)));
        const bool installed = row.rule != ProductDefault::NotInstalled;
        if (row.kind == ProductValueKind::Text) {
            std::wstring wide = L"untouched";
            std::string narrow = "untouched";
            EXPECT_EQ(ReadProductText(key.registry, row.id, wide), installed);
            EXPECT_EQ(ReadProductText(key.registry, row.id, narrow), installed);
            EXPECT_EQ(wide, installed ? TextOf(row, install) : L"untouched");
            EXPECT_EQ(narrow, installed ? NarrowToAnsi(TextOf(row, install).c_str()) : "untouched");
        } else {
            const DWORD expected = installed ? NumberOf(row, install) : row.defaultNumber;
            const std::optional<DWORD> stored = ReadStoredProductNumber(key.registry, row.id);
            EXPECT_EQ(stored.has_value(), installed);
            if (installed) {
                EXPECT_EQ(stored.value_or(~expected), expected);
            }
            EXPECT_EQ(ReadProductNumber(key.registry, row.id), expected);
        }
    }
}

TEST(ProductSchema, AMissingNumberCountsAsWhatTheSetupWritesForIt)
{
    // Language and controller kind depend on the installation: without them English and no kind.
    struct Case {
        ProductValueId id;
        DWORD missing;
    } cases[] = {
        {ProductValueId::TrayIcons, 1},      {ProductValueId::CalibrationBeeps, 0}, {ProductValueId::CheckCalibration, 0},
        {ProductValueId::ButtonModeSwitch, 0}, {ProductValueId::AlwaysOnTop, 0},    {ProductValueId::HitOne, 0},
        {ProductValueId::IconType, 1012},    {ProductValueId::Language, 0},         {ProductValueId::ControllerKind, 0},
        {ProductValueId::Rotation, 0},       {ProductValueId::PrimaryWidth, 0},     {ProductValueId::PrimaryHeight, 0},
    };
    ProductKey key;
    const ProductInstall install = Installation();
    for (const Case& c : cases) {
        const ProductValue& row = ProductRow(c.id);
        SCOPED_TRACE(testing::PrintToString(std::wstring(row.name)));
        EXPECT_FALSE(ReadStoredProductNumber(key.registry, c.id).has_value());
        EXPECT_EQ(ReadProductNumber(key.registry, c.id), c.missing);
        if (row.rule == ProductDefault::Fixed) {
            EXPECT_EQ(NumberOf(row, install), c.missing) << "the setup writes another number";
        }
        ASSERT_TRUE(WriteProductNumber(key.registry, c.id, 7));
        EXPECT_EQ(ReadProductNumber(key.registry, c.id), 7u);
    }
}

TEST(ProductSchema, TextsAreReadThroughTheBufferOfTheirRow)
{
    // Buffers in bytes: a text fits with its terminating NUL, one character more counts as missing.
    struct Case {
        ProductValueId id;
        size_t fits;       // characters
        bool longerFails;
    } cases[] = {
        {ProductValueId::CurrentDevice, 499, true},
        {ProductValueId::InstallFolder, 499, true},
        {ProductValueId::SheetTitle, 63, true},
        {ProductValueId::SavedUserinit, 5000, false},   // read at its real size
    };
    ProductKey key;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(ProductValueName(c.id))));
        const std::wstring fits(c.fits, L'a');
        ASSERT_TRUE(WriteProductText(key.registry, c.id, fits));
        std::wstring read;
        EXPECT_TRUE(ReadProductText(key.registry, c.id, read));
        EXPECT_EQ(read, fits);

        ASSERT_TRUE(WriteProductText(key.registry, c.id, fits + L"b"));
        std::wstring longer = L"untouched";
        EXPECT_EQ(ReadProductText(key.registry, c.id, longer), !c.longerFails);
        EXPECT_EQ(longer, c.longerFails ? L"untouched" : fits + L"b");
    }
}

TEST(ProductSchema, EveryValueTheSetupCannotWriteIsReportedInOrder)
{
    ProductKey key(KEY_READ);
    std::vector<const ProductValue*> expected;
    for (const ProductValue& row : ProductValues())
        if (row.rule != ProductDefault::NotInstalled)
            expected.push_back(&row);
    EXPECT_EQ(WriteInstalledProductValues(key.registry, Installation()), expected);
    EXPECT_TRUE(key.scratch.ValueNames(kProductKeyPath).empty());
}
