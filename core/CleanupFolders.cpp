#include "CleanupFolders.h"

#include <windows.h>

#include <vector>

#include "FileRemoval.h"
#include "LogonEntries.h"
#include "PathText.h"

namespace {
constexpr wchar_t kCleanupProgram[] = L"Sweepo.exe";

std::wstring Trimmed(const std::wstring& text)
{
    const wchar_t* blanks = L" \t\r\n";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::wstring::npos)
        return std::wstring();
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

bool StartsWithStem(const std::wstring& name)
{
    const std::wstring stem = kCleanupFolderStem;
    return name.size() > stem.size() && SamePathText(name.substr(0, stem.size()), stem);
}

std::wstring NameOf(const std::wstring& path)
{
    std::wstring trimmed = path;
    while (!trimmed.empty() && trimmed.back() == L'\\')
        trimmed.pop_back();
    return trimmed.substr(trimmed.find_last_of(L'\\') + 1);
}
}  // namespace

CleanupCommandParts SplitCleanupCommand(const std::wstring& command)
{
    CleanupCommandParts parts;
    const std::wstring text = Trimmed(command);
    size_t rest = std::wstring::npos;
    if (!text.empty() && text[0] == L'"') {
        const size_t close = text.find(L'"', 1);
        if (close == std::wstring::npos)
            return parts;
        parts.program = text.substr(1, close - 1);
        rest = close + 1;
    } else {
        // Unquoted: the program ends with its file name, and blanks may come before that.
        const std::wstring name = kCleanupProgram;
        for (size_t at = 0; at + name.size() <= text.size(); ++at) {
            const size_t end = at + name.size();
            if (SamePathText(text.substr(at, name.size()), name) && (end == text.size() || text[end] == L' ')) {
                parts.program = text.substr(0, end);
                rest = end;
                break;
            }
        }
        if (rest == std::wstring::npos)
            return parts;
    }
    parts.folder = Trimmed(text.substr(rest));
    return parts;
}

bool IsOwnCleanupFolder(const std::wstring& folder)
{
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY) ||
        (attributes & FILE_ATTRIBUTE_REPARSE_POINT) || !StartsWithStem(NameOf(folder)))
        return false;
    WIN32_FIND_DATAW data{};
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    bool own = true;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..")
            continue;
        own = own && !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && SamePathText(name, kCleanupProgram);
    } while (own && FindNextFileW(find, &data));
    FindClose(find);
    return own;
}

bool RemoveCleanupFolder(const std::wstring& folder)
{
    const std::wstring copy = folder + L"\\" + kCleanupProgram;
    const bool copyGone = RemoveFileNowOrAtRestart(copy) != Removal::Failed;
    return RemoveFolderNowOrAtRestart(folder) != Removal::Failed && copyGone;
}

bool RemoveCleanupFoldersIn(const std::wstring& parent)
{
    std::vector<std::wstring> folders;
    WIN32_FIND_DATAW data{};
    HANDLE find = FindFirstFileW((parent + L"\\" + kCleanupFolderStem + L"*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                folders.push_back(parent + L"\\" + data.cFileName);
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    bool all = true;
    for (const std::wstring& folder : folders) {
        if (IsOwnCleanupFolder(folder))
            all = RemoveCleanupFolder(folder) && all;
    }
    return all;
}
