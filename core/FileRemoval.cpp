#include "FileRemoval.h"

namespace {
// The ...W and ...A file functions behind one name, so each operation is written once.
template <typename Char>
struct FileApi;

template <>
struct FileApi<wchar_t> {
    using FindData = WIN32_FIND_DATAW;
    static constexpr const wchar_t* kAllFiles = L"*.*";
    static DWORD Attributes(const wchar_t* p) { return GetFileAttributesW(p); }
    static BOOL SetAttributes(const wchar_t* p, DWORD a) { return SetFileAttributesW(p, a); }
    static BOOL Delete(const wchar_t* p) { return DeleteFileW(p); }
    static BOOL RemoveFolder(const wchar_t* p) { return RemoveDirectoryW(p); }
    static BOOL MoveAtRestart(const wchar_t* p) { return MoveFileExW(p, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT); }
    static HANDLE FindFirst(const wchar_t* p, FindData* d) { return FindFirstFileW(p, d); }
    static BOOL FindNext(HANDLE h, FindData* d) { return FindNextFileW(h, d); }
};

template <>
struct FileApi<char> {
    using FindData = WIN32_FIND_DATAA;
    static constexpr const char* kAllFiles = "*.*";
    static DWORD Attributes(const char* p) { return GetFileAttributesA(p); }
    static BOOL SetAttributes(const char* p, DWORD a) { return SetFileAttributesA(p, a); }
    static BOOL Delete(const char* p) { return DeleteFileA(p); }
    static BOOL RemoveFolder(const char* p) { return RemoveDirectoryA(p); }
    static BOOL MoveAtRestart(const char* p) { return MoveFileExA(p, nullptr, MOVEFILE_DELAY_UNTIL_REBOOT); }
    static HANDLE FindFirst(const char* p, FindData* d) { return FindFirstFileA(p, d); }
    static BOOL FindNext(HANDLE h, FindData* d) { return FindNextFileA(h, d); }
};

template <typename Char>
using String = std::basic_string<Char>;

template <typename Char>
bool DeleteFileOf(const String<Char>& path)
{
    FileApi<Char>::SetAttributes(path.c_str(), FILE_ATTRIBUTE_ARCHIVE);
    return FileApi<Char>::Delete(path.c_str()) != FALSE;
}

template <typename Char>
void VisitMatches(const String<Char>& pattern, const std::function<void(const String<Char>&)>& visit)
{
    size_t slash = pattern.find_last_of(static_cast<Char>('\\'));
    String<Char> folder = slash == String<Char>::npos ? String<Char>() : pattern.substr(0, slash + 1);
    typename FileApi<Char>::FindData data{};
    HANDLE find = FileApi<Char>::FindFirst(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            visit(folder + data.cFileName);
    } while (FileApi<Char>::FindNext(find, &data));
    FindClose(find);
}

template <typename Char>
String<Char> AllFilesIn(String<Char> folder)
{
    if (folder.empty() || folder.back() != static_cast<Char>('\\'))
        folder += static_cast<Char>('\\');
    return folder + FileApi<Char>::kAllFiles;
}

template <typename Char>
void RemoveFolderOf(const String<Char>& folder)
{
    FileApi<Char>::SetAttributes(folder.c_str(), FILE_ATTRIBUTE_ARCHIVE);
    FileApi<Char>::RemoveFolder(folder.c_str());
}

template <typename Char>
bool Exists(const String<Char>& path)
{
    return FileApi<Char>::Attributes(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
}  // namespace

bool DeleteOneFile(const std::wstring& path) { return DeleteFileOf(path); }
bool DeleteOneFile(const std::string& path) { return DeleteFileOf(path); }

void ForEachMatchingFile(const std::wstring& pattern, const std::function<void(const std::wstring&)>& visit)
{
    VisitMatches(pattern, visit);
}
void ForEachMatchingFile(const std::string& pattern, const std::function<void(const std::string&)>& visit)
{
    VisitMatches(pattern, visit);
}

void DeleteMatchingFiles(const std::wstring& pattern)
{
    VisitMatches<wchar_t>(pattern, [](const std::wstring& path) { DeleteFileOf(path); });
}
void DeleteMatchingFiles(const std::string& pattern)
{
    VisitMatches<char>(pattern, [](const std::string& path) { DeleteFileOf(path); });
}

void DeleteFolderFiles(const std::wstring& folder) { DeleteMatchingFiles(AllFilesIn(folder)); }
void DeleteFolderFiles(const std::string& folder) { DeleteMatchingFiles(AllFilesIn(folder)); }

void RemoveEmptyFolder(const std::wstring& folder) { RemoveFolderOf(folder); }
void RemoveEmptyFolder(const std::string& folder) { RemoveFolderOf(folder); }

bool RemoveAtRestart(const std::wstring& path) { return FileApi<wchar_t>::MoveAtRestart(path.c_str()) != FALSE; }
bool RemoveAtRestart(const std::string& path) { return FileApi<char>::MoveAtRestart(path.c_str()) != FALSE; }

Removal RemoveFileNowOrAtRestart(const std::wstring& path)
{
    if (!Exists(path) || DeleteFileOf(path))
        return Removal::Gone;
    return RemoveAtRestart(path) ? Removal::Scheduled : Removal::Failed;
}

Removal RemoveFolderNowOrAtRestart(const std::wstring& folder)
{
    if (!Exists(folder))
        return Removal::Gone;
    RemoveFolderOf(folder);
    if (!Exists(folder))
        return Removal::Gone;
    return RemoveAtRestart(folder) ? Removal::Scheduled : Removal::Failed;
}
