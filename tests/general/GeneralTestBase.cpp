#include "GeneralTestBase.h"

#include "Handle.h"
#include "TestWindows.h"

using namespace applettest;
using namespace testsupport;

namespace generaltest {

void GeneralTest::InstallDevices(const std::vector<DeviceRow>& devices, const Labels& labels)
{
    AddProduct(registry, {1, installDir, WriteLabelFile(labels), devices.empty() ? L"" : devices.front().name});
    for (const DeviceRow& device : devices)
        AddDevice(registry, device);
    SetPorts({L"COM1", L"COM2"});
}

void GeneralTest::OpenGeneralPage(const char* file, int line) { OpenSheet(IDC_GEN_HEADING, file, line); }

void GeneralTest::OpenAboutPage(const char* file, int line) { OpenSheet(IDC_AB_DRIVER, file, line); }

bool GeneralTest::Checked(int id) const
{
    return SendMessageW(GetDlgItem(page, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void GeneralTest::PressByMessage(int id) const
{
    PostMessageW(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
}

MessageBoxInfo GeneralTest::PressForBox(int id)
{
    PressByMessage(id);
    return WaitBox();
}

Labels LabelsFor(const std::vector<LabelledText>& texts)
{
    Labels labels;
    for (const LabelledText& text : texts)
        labels.emplace_back(text.key, std::wstring(L"Label of ") + text.key);
    return labels;
}

void ExpectTexts(HWND page, const std::vector<LabelledText>& texts, bool labelled)
{
    for (const LabelledText& text : texts) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(text.key)));
        if (labelled)
            EXPECT_EQ(ControlText(page, text.id), std::wstring(L"Label of ") + text.key);
        else if (text.builtIn)
            EXPECT_EQ(ControlText(page, text.id), text.builtIn);
        else
            EXPECT_FALSE(ControlText(page, text.id).empty());
    }
}

std::vector<char> FileBytes(const std::wstring& path)
{
    CHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, 0, nullptr));
    std::vector<char> bytes;
    if (!file)
        return bytes;
    LARGE_INTEGER size{};
    GetFileSizeEx(file.Get(), &size);
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() && (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                           read != bytes.size()))
        bytes.clear();
    return bytes;
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

}  // namespace generaltest
