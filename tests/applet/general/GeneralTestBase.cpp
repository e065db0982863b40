#include "GeneralTestBase.h"

#include "Handle.h"

using namespace applettest;
using namespace testsupport;

namespace generaltest {

void GeneralTest::InstallDevices(const std::vector<DeviceRow>& devices, const Labels& labels)
{
    InstallKeys({1, installDir, WriteLabelFile(labels), devices.empty() ? L"" : devices.front().name}, devices);
    SetPorts({L"COM1", L"COM2"});
}

void GeneralTest::OpenGeneralPage(const char* file, int line) { OpenSheet(IDC_GEN_HEADING, file, line); }

void GeneralTest::PressByMessage(int id) const
{
    PostMessageW(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
}

MessageBoxInfo GeneralTest::PressForBox(int id)
{
    PressByMessage(id);
    return WaitMessageBox();
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
