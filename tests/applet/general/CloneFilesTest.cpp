// Copy of Settings on the General page: both drivers' Parameters keys saved as hive files in
// the install folder, the report naming exactly the files saved, a second clone replacing the
// first, and a failed one leaving the previous file whole.
#include <algorithm>
#include <map>

#include "GeneralTestBase.h"
#include "Handle.h"
#include "KeyHandle.h"
#include "Privilege.h"

using namespace applettest;
using namespace generaltest;
using namespace testsupport;

namespace {
constexpr wchar_t kCloned[] = L"The current configuration has been cloned to the following file(s)";
constexpr wchar_t kNotCloned[] = L"The current configuration could not be saved to the following file(s)";

// A hive file loaded under HKEY_USERS for as long as the object lives.
class LoadedHive {
public:
    explicit LoadedHive(const std::wstring& file)
    {
        static LONG counter = 0;
        name_ = L"TivenCloneTest-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(InterlockedIncrement(&counter));
        EnablePrivilege(SE_BACKUP_NAME);
        EnablePrivilege(SE_RESTORE_NAME);
        rc_ = RegLoadKeyW(HKEY_USERS, name_.c_str(), file.c_str());
    }
    ~LoadedHive()
    {
        if (rc_ == ERROR_SUCCESS)
            RegUnLoadKeyW(HKEY_USERS, name_.c_str());
    }
    LONG Result() const { return rc_; }

    // Device key name -> its "Device Name".
    std::map<std::wstring, std::wstring> DeviceNames() const
    {
        std::map<std::wstring, std::wstring> names;
        CKeyHandle root;
        if (RegOpenKeyExW(HKEY_USERS, name_.c_str(), 0, KEY_READ, root.Receive()) != ERROR_SUCCESS)
            return names;
        wchar_t subkey[260];
        for (DWORD i = 0; RegEnumKeyW(root.Get(), i, subkey, 260) == ERROR_SUCCESS; ++i) {
            wchar_t text[512] = L"";
            DWORD bytes = sizeof text - sizeof(wchar_t);
            RegGetValueW(root.Get(), subkey, L"Device Name", RRF_RT_ANY | RRF_NOEXPAND, nullptr, text, &bytes);
            names[subkey] = text;
        }
        return names;
    }

private:
    std::wstring name_;
    LONG rc_ = -1;
};

using KeyNames = std::map<std::wstring, std::wstring>;
}  // namespace

class CloneFilesTest : public GeneralTest {
protected:
    std::wstring SerialFile() const { return installDir + L"\\RILOClone.Dat"; }
    std::wstring UsbFile() const { return installDir + L"\\MEKAClone.Dat"; }
    std::wstring BothSaved() const
    {
        return std::wstring(kCloned) + L"\n MEKA  : " + UsbFile() + L"\n RILO  : " + SerialFile();
    }
    MessageBoxInfo Copy()
    {
        MessageBoxInfo box = PressForBox(IDC_GEN_COPY_OF_SETTINGS);
        EXPECT_TRUE(box) << "no report";
        if (box) {
            EXPECT_TRUE(DismissMessageBox(box, IDOK));
            WaitIdle();
        }
        return box;
    }
    // Whoever looks at the folder sees only the clone files (no half-written ones left over).
    std::vector<std::wstring> FolderFiles() const
    {
        std::vector<std::wstring> files;
        WIN32_FIND_DATAW found{};
        HANDLE search = FindFirstFileW((installDir + L"\\*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return files;
        do {
            if (found.cFileName[0] != L'.')
                files.push_back(found.cFileName);
        } while (FindNextFileW(search, &found));
        FindClose(search);
        return files;
    }
};

TEST_F(CloneFilesTest, BothDriversAreSavedWithEveryDeviceAndTheReportNamesBothFiles)
{
    InstallDevices({Serial(1, L"Front Panel"), Serial(2, L"Rear Panel"), Usb(3, L"Desk Pad")});
    OPEN_GENERAL_PAGE();
    MessageBoxInfo box = Copy();
    EXPECT_EQ(box.caption, L"Touch Panel Device Properties");
    EXPECT_EQ(box.text, BothSaved());
    EXPECT_FALSE(FileBytes(SerialFile()).empty());
    EXPECT_FALSE(FileBytes(UsbFile()).empty());

    LoadedHive serial(SerialFile());
    ASSERT_EQ(serial.Result(), ERROR_SUCCESS) << "not a hive file";
    EXPECT_EQ(serial.DeviceNames(), (KeyNames{{L"1", L"Front Panel"}, {L"2", L"Rear Panel"}}));
    LoadedHive usb(UsbFile());
    ASSERT_EQ(usb.Result(), ERROR_SUCCESS) << "not a hive file";
    EXPECT_EQ(usb.DeviceNames(), (KeyNames{{L"3", L"Desk Pad"}}));
    Close(IDCANCEL);
}

TEST_F(CloneFilesTest, AMissingParametersKeyIsCreatedEmptyAndSavedToo)
{
    InstallDevices({Serial(1, L"Front Panel")}, {{LabelKey::LGEN_CLONE_SETTINGS, L"Kopiert nach:"}});
    ASSERT_FALSE(registry.KeyExists(kUsbParametersPath));
    OPEN_GENERAL_PAGE();
    EXPECT_EQ(Copy().text, L"Kopiert nach:\n MEKA  : " + UsbFile() + L"\n RILO  : " + SerialFile());
    EXPECT_TRUE(registry.KeyExists(kUsbParametersPath));
    LoadedHive usb(UsbFile());
    ASSERT_EQ(usb.Result(), ERROR_SUCCESS);
    EXPECT_TRUE(usb.DeviceNames().empty());
    Close(IDCANCEL);
}

TEST_F(CloneFilesTest, ASecondCloneReplacesTheFirst)
{
    InstallDevices({Serial(1, L"Front Panel"), Usb(1, L"Desk Pad")});
    OPEN_GENERAL_PAGE();
    EXPECT_EQ(Copy().text, BothSaved());
    // The keys change between the two clones (the clone reads the registry, not the sheet).
    registry.SetString(SerialKey(1), L"Device Name", L"Renamed Panel");
    AddDevice(registry, Usb(2, L"Second Pad"));

    EXPECT_EQ(Copy().text, BothSaved());
    {
        LoadedHive serial(SerialFile());
        ASSERT_EQ(serial.Result(), ERROR_SUCCESS);
        EXPECT_EQ(serial.DeviceNames(), (KeyNames{{L"1", L"Renamed Panel"}}));
        LoadedHive usb(UsbFile());
        ASSERT_EQ(usb.Result(), ERROR_SUCCESS);
        EXPECT_EQ(usb.DeviceNames(), (KeyNames{{L"1", L"Desk Pad"}, {L"2", L"Second Pad"}}));
    }
    std::vector<std::wstring> files = FolderFiles();
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::wstring>{L"MEKAClone.Dat", L"RILOClone.Dat"}));
    Close(IDCANCEL);
}

TEST_F(CloneFilesTest, AFileThatCannotBeReplacedIsReportedAndTheOtherIsSaved)
{
    InstallDevices({Serial(1, L"Front Panel"), Usb(1, L"Desk Pad")});
    // A folder where the serial clone file would go.
    ASSERT_TRUE(CreateDirectoryW(SerialFile().c_str(), nullptr));
    OPEN_GENERAL_PAGE();
    MessageBoxInfo box = Copy();
    EXPECT_EQ(box.text, std::wstring(kCloned) + L"\n MEKA  : " + UsbFile() + L"\n\n" + kNotCloned + L"\n RILO  : " +
                            SerialFile());
    EXPECT_EQ(GetFileAttributesW(SerialFile().c_str()) & FILE_ATTRIBUTE_DIRECTORY, DWORD{FILE_ATTRIBUTE_DIRECTORY});
    LoadedHive usb(UsbFile());
    EXPECT_EQ(usb.Result(), ERROR_SUCCESS);
    std::vector<std::wstring> files = FolderFiles();
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::wstring>{L"MEKAClone.Dat", L"RILOClone.Dat"})) << "a half-written file is left";
    Close(IDCANCEL);
}

TEST_F(CloneFilesTest, AFailedCloneLeavesThePreviousFileWhole)
{
    InstallDevices({Serial(1, L"Front Panel"), Usb(1, L"Desk Pad")});
    OPEN_GENERAL_PAGE();
    EXPECT_EQ(Copy().text, BothSaved());
    const std::vector<char> before = FileBytes(SerialFile());
    ASSERT_FALSE(before.empty());
    registry.SetString(SerialKey(1), L"Device Name", L"Renamed Panel");
    {
        // Held open without sharing, the old file cannot be replaced.
        CHandle held(CreateFileW(SerialFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        MessageBoxInfo box = Copy();
        EXPECT_EQ(box.text, std::wstring(kCloned) + L"\n MEKA  : " + UsbFile() + L"\n\n" + kNotCloned +
                                L"\n RILO  : " + SerialFile());
    }
    EXPECT_EQ(FileBytes(SerialFile()), before);
    LoadedHive serial(SerialFile());
    ASSERT_EQ(serial.Result(), ERROR_SUCCESS);
    EXPECT_EQ(serial.DeviceNames(), (KeyNames{{L"1", L"Front Panel"}}));
    Close(IDCANCEL);
}

TEST_F(CloneFilesTest, AMissingInstallFolderSavesNothingAndSaysSo)
{
    InstallDevices({Serial(1, L"Front Panel"), Usb(1, L"Desk Pad")});
    installDir += L"\\missing";
    registry.SetString(kProductKeyPath, L"Tiven Installed Path", installDir);
    OPEN_GENERAL_PAGE();
    MessageBoxInfo box = Copy();
    EXPECT_EQ(box.text, std::wstring(kNotCloned) + L"\n MEKA  : " + UsbFile() + L"\n RILO  : " + SerialFile());
    EXPECT_FALSE(FileExists(SerialFile()));
    EXPECT_FALSE(FileExists(UsbFile()));
    Close(IDCANCEL);
}
