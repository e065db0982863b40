#include "EchoProgram.h"

#include <windows.h>

#include "Handle.h"
#include "TestPaths.h"
#include "TestProcess.h"

namespace testsupport {

namespace {
bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool ProcessRunning(const std::wstring& fileName) { return !ProcessIdsNamed(fileName).empty(); }
}  // namespace

EchoProgram::EchoProgram(const std::wstring& fileName)
    : dir_(MakeTempDir(L"Program Files")), fileName_(fileName), path_(dir_ + L"\\" + fileName),
      output_(dir_ + L"\\argument.txt")
{
    copied_ = CopyFileW(BinPath(L"CoreArgEcho.exe").c_str(), path_.c_str(), FALSE) != FALSE;
    SetEnvironmentVariableW(L"TIVEN_ARGECHO_OUT", output_.c_str());
}

EchoProgram::~EchoProgram()
{
    SetEnvironmentVariableW(L"TIVEN_ARGECHO_OUT", nullptr);
    // A copy still running (a test failed before it ended) keeps its file; it ends on its own.
    WaitUntil([&] { return !ProcessRunning(fileName_); });
    DeleteFileW(output_.c_str());
    DeleteFileW(path_.c_str());
    RemoveDirectoryW(dir_.c_str());
}

std::wstring EchoProgram::Received() const
{
    // The program renames its finished file into place; just after the rename Wine still holds
    // the handle of the rename, so the file is opened with full sharing, again until it opens.
    CHandle file;
    if (!WaitUntil([&] {
            const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
            file.Reset(CreateFileW(output_.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr));
            return static_cast<bool>(file);
        }))
        return L"<not started>";
    LARGE_INTEGER size{};
    GetFileSizeEx(file.Get(), &size);
    std::wstring text(static_cast<size_t>(size.QuadPart) / sizeof(wchar_t), L'\0');
    DWORD read = 0;
    const DWORD bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (!text.empty() && !ReadFile(file.Get(), &text[0], bytes, &read, nullptr))
        return L"<unreadable>";
    text.resize(read / sizeof(wchar_t));
    return text;
}

bool EchoProgram::NeverStarted() const { return !Exists(output_) && !ProcessRunning(fileName_); }

void EchoProgram::Clear() const
{
    WaitUntil([&] { return !ProcessRunning(fileName_); });
    DeleteFileW(output_.c_str());
}

}  // namespace testsupport
