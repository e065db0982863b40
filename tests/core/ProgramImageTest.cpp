// A program file cut off at any point is not whole; the whole file is.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "ProgramImage.h"
#include "TestPaths.h"

namespace {
std::string Bytes(const std::wstring& path)
{
    std::string bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    bytes.resize(GetFileSize(file, nullptr));
    DWORD read = 0;
    ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

std::wstring OwnProgram()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}
}  // namespace

TEST(ProgramImage, OnlyTheWholeProgramIsWhole)
{
    const std::string whole = Bytes(OwnProgram());
    ASSERT_GT(whole.size(), 4096u);
    const std::wstring folder = testsupport::MakeTempDir(L"ProgramImage");
    const std::wstring copy = folder + L"\\copy.exe";
    ASSERT_TRUE(testsupport::WriteFileBytes(copy, whole.data(), whole.size()));
    EXPECT_TRUE(IsWholeProgramFile(copy));

    const size_t cuts[] = {0, 1, 2, 64, 512, 1024, whole.size() / 3, whole.size() / 2, whole.size() - 4096,
                           whole.size() - 1};
    for (size_t cut : cuts) {
        ASSERT_TRUE(testsupport::WriteFileBytes(copy, whole.data(), cut));
        EXPECT_FALSE(IsWholeProgramFile(copy)) << "cut off after " << cut << " of " << whole.size() << " bytes";
    }
    const std::string text = "not a program at all, but long enough to hold the headers of one";
    ASSERT_TRUE(testsupport::WriteFileBytes(copy, text.data(), text.size()));
    EXPECT_FALSE(IsWholeProgramFile(copy));
    EXPECT_FALSE(IsWholeProgramFile(folder + L"\\missing.exe"));
    DeleteFileW(copy.c_str());
    RemoveDirectoryW(folder.c_str());
}
