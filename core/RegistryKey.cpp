#include "RegistryKey.h"

#include "KeySecurity.h"

#include <shlwapi.h>

#include <vector>

namespace {
constexpr DWORD kTextTypes[] = {REG_EXPAND_SZ, REG_SZ};

DWORD RegType(CRegistryKey::TextType type)
{
    return kTextTypes[type == CRegistryKey::TextType::Plain ? 1 : 0];
}

// Number of characters before the first NUL within `count` characters, or `count` when none.
template <typename Char>
size_t TextLength(const Char* data, size_t count)
{
    size_t n = 0;
    while (n < count && data[n] != 0)
        ++n;
    return n;
}

// Reads a text value through a buffer of bufferBytes bytes. A stored text without a NUL inside
// the buffer only counts when there is room left to end it.
template <typename Char, typename Query>
bool ReadText(Query query, std::basic_string<Char>& text, DWORD bufferBytes)
{
    const size_t capacity = bufferBytes / sizeof(Char);
    if (capacity == 0)
        return false;
    std::vector<Char> buffer(capacity, 0);
    DWORD bytes = static_cast<DWORD>(capacity * sizeof(Char));
    if (!query(buffer.data(), &bytes))
        return false;
    size_t stored = (bytes + sizeof(Char) - 1) / sizeof(Char);   // an odd byte count still ends a character
    size_t length = TextLength(buffer.data(), stored);
    if (length == stored && stored >= capacity)
        return false;   // no room for the terminating NUL
    text.assign(buffer.data(), length);
    return true;
}

bool IsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

// Reads a text value at its real size: the size is asked for first. Another program may change
// the value between the two calls: a value that has grown in between is asked for again.
template <typename Char, typename Query>
LONG ReadWholeText(Query query, std::basic_string<Char>& text, DWORD* type)
{
    for (int attempt = 0; attempt < 8; ++attempt) {
        DWORD stored = REG_NONE, bytes = 0;
        LONG rc = query(&stored, nullptr, &bytes);
        if (rc != ERROR_SUCCESS)
            return rc;
        if (!IsText(stored))
            return ERROR_DATATYPE_MISMATCH;
        // Room for every stored byte (an odd count still ends a character) and one NUL more,
        // which the read never reaches, for a text stored without its own.
        const size_t capacity = bytes / sizeof(Char) + 1;
        std::vector<Char> buffer(capacity + 1, 0);
        DWORD size = static_cast<DWORD>(capacity * sizeof(Char));
        rc = query(&stored, buffer.data(), &size);
        if (rc == ERROR_MORE_DATA)
            continue;
        if (rc != ERROR_SUCCESS)
            return rc;
        if (!IsText(stored))
            return ERROR_DATATYPE_MISMATCH;
        text.assign(buffer.data(), TextLength(buffer.data(), (size + sizeof(Char) - 1) / sizeof(Char)));
        if (type)
            *type = stored;
        return ERROR_SUCCESS;
    }
    return ERROR_MORE_DATA;
}
}  // namespace

bool CRegistryKey::SetRootKey(HKEY root)
{
    if (root != HKEY_CLASSES_ROOT && root != HKEY_CURRENT_USER && root != HKEY_LOCAL_MACHINE && root != HKEY_USERS)
        return false;
    root_ = root;
    return true;
}

bool CRegistryKey::WriteString(const wchar_t* name, const wchar_t* text, TextType type)
{
    DWORD bytes = static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t));
    return RegSetValueExW(key_, name, 0, RegType(type), reinterpret_cast<const BYTE*>(text), bytes) == ERROR_SUCCESS;
}

bool CRegistryKey::WriteString(const char* name, const char* text, TextType type)
{
    DWORD bytes = static_cast<DWORD>(strlen(text) + 1);
    return RegSetValueExA(key_, name, 0, RegType(type), reinterpret_cast<const BYTE*>(text), bytes) == ERROR_SUCCESS;
}

bool CRegistryKey::WriteDword(const wchar_t* name, const DWORD* value)
{
    return RegSetValueExW(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(value), sizeof(DWORD)) ==
           ERROR_SUCCESS;
}

bool CRegistryKey::WriteDword(const char* name, const DWORD* value)
{
    return RegSetValueExA(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(value), sizeof(DWORD)) ==
           ERROR_SUCCESS;
}

bool CRegistryKey::ReadValue(const wchar_t* name, void* buffer, DWORD* byteCount, bool fromRoot)
{
    return RegQueryValueExW(ValueKey(fromRoot), name, nullptr, nullptr, static_cast<BYTE*>(buffer), byteCount) ==
           ERROR_SUCCESS;
}

bool CRegistryKey::ReadValue(const char* name, void* buffer, DWORD* byteCount, bool fromRoot)
{
    return RegQueryValueExA(ValueKey(fromRoot), name, nullptr, nullptr, static_cast<BYTE*>(buffer), byteCount) ==
           ERROR_SUCCESS;
}

bool CRegistryKey::ReadDword(const wchar_t* name, DWORD* value, bool fromRoot)
{
    DWORD read = 0;
    DWORD bytes = sizeof read;
    if (!ReadValue(name, &read, &bytes, fromRoot))
        return false;
    *value = read;
    return true;
}

bool CRegistryKey::ReadDword(const char* name, DWORD* value, bool fromRoot)
{
    DWORD read = 0;
    DWORD bytes = sizeof read;
    if (!ReadValue(name, &read, &bytes, fromRoot))
        return false;
    *value = read;
    return true;
}

bool CRegistryKey::ReadString(const wchar_t* name, std::wstring& text, DWORD bufferBytes, bool fromRoot)
{
    return ReadText<wchar_t>([&](wchar_t* buffer, DWORD* bytes) { return ReadValue(name, buffer, bytes, fromRoot); },
                             text, bufferBytes);
}

bool CRegistryKey::ReadString(const char* name, std::string& text, DWORD bufferBytes, bool fromRoot)
{
    return ReadText<char>([&](char* buffer, DWORD* bytes) { return ReadValue(name, buffer, bytes, fromRoot); }, text,
                          bufferBytes);
}

LONG CRegistryKey::ReadFullString(const wchar_t* name, std::wstring& text, DWORD* type, bool fromRoot)
{
    return ReadWholeText<wchar_t>(
        [&](DWORD* stored, void* buffer, DWORD* bytes) {
            return RegQueryValueExW(ValueKey(fromRoot), name, nullptr, stored, static_cast<BYTE*>(buffer), bytes);
        },
        text, type);
}

LONG CRegistryKey::ReadFullString(const char* name, std::string& text, DWORD* type, bool fromRoot)
{
    return ReadWholeText<char>(
        [&](DWORD* stored, void* buffer, DWORD* bytes) {
            return RegQueryValueExA(ValueKey(fromRoot), name, nullptr, stored, static_cast<BYTE*>(buffer), bytes);
        },
        text, type);
}

bool CRegistryKey::DeleteKey(const wchar_t* path)
{
    return SHDeleteKeyW(root_, path) == ERROR_SUCCESS;
}

bool CRegistryKey::DeleteKey(const char* path)
{
    return SHDeleteKeyA(root_, path) == ERROR_SUCCESS;
}

void CRegistryKey::Close(HKEY key)
{
    RegCloseKey(key);
}

LONG CRegistryKey::Open(const wchar_t* path, HKEY* key)
{
    return RegOpenKeyExW(root_, path, 0, KEY_ALL_ACCESS, key);
}

LONG CRegistryKey::Open(const char* path, HKEY* key)
{
    return RegOpenKeyExA(root_, path, 0, KEY_ALL_ACCESS, key);
}

LONG CRegistryKey::OpenForRead(const wchar_t* path, HKEY* key)
{
    return RegOpenKeyExW(root_, path, 0, KEY_READ, key);
}

LONG CRegistryKey::OpenForRead(const char* path, HKEY* key)
{
    return RegOpenKeyExA(root_, path, 0, KEY_READ, key);
}

LONG CRegistryKey::Create(const wchar_t* path, HKEY* key)
{
    return RegCreateKeyW(root_, path, key);
}

LONG CRegistryKey::CreateSecuredKey(const wchar_t* path, HKEY* key)
{
    CKeySecurity security;
    if (!security.Descriptor())
        return -1;
    SECURITY_ATTRIBUTES attributes{sizeof attributes, security.Descriptor(), FALSE};
    wchar_t noClass[] = L"";
    return RegCreateKeyExW(HKEY_LOCAL_MACHINE, path, 0, noClass, 0, KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY,
                           &attributes, key, nullptr);
}
