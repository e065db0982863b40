#pragma once
// The registry wrapper every program uses: a root key (HKEY_LOCAL_MACHINE unless set otherwise)
// and one attached open key that the value reads and writes act on.
//
// The object never owns the attached key: whoever opened a key closes it with Close. Results
// are true/false, except Open, OpenForRead, Create and CreateSecuredKey, which return the
// system error code (ERROR_SUCCESS = 0). Texts are stored as REG_EXPAND_SZ with the NUL
// counted (REG_SZ on request), numbers as REG_DWORD; reads never check the stored type.
//
// Narrow overloads (const char*) serve the programs that keep their texts in the system code
// page; they use the ...A functions of the registry.
#include <windows.h>

#include <string>

enum class DeviceFamily;

class CRegistryKey {
public:
    enum class TextType { Expandable, Plain };   // REG_EXPAND_SZ or REG_SZ

    CRegistryKey() = default;

    bool SetRootKey(HKEY root);
    HKEY RootKey() const { return root_; }
    HKEY AttachedKey() const { return key_; }
    void Attach(HKEY key) { key_ = key; }

    bool WriteString(const wchar_t* name, const wchar_t* text, TextType type = TextType::Expandable);
    bool WriteString(const char* name, const char* text, TextType type = TextType::Expandable);
    bool WriteDword(const wchar_t* name, const DWORD* value);
    bool WriteDword(const char* name, const DWORD* value);

    // Raw read into the caller's buffer; byteCount in: buffer size, out: bytes stored.
    bool ReadValue(const wchar_t* name, void* buffer, DWORD* byteCount, bool fromRoot = false);
    bool ReadValue(const char* name, void* buffer, DWORD* byteCount, bool fromRoot = false);
    bool ReadDword(const wchar_t* name, DWORD* value, bool fromRoot = false);
    bool ReadDword(const char* name, DWORD* value, bool fromRoot = false);
    // Text read through a buffer of bufferBytes bytes. The text always ends inside the buffer:
    // a value that does not fit together with its terminating NUL counts as missing. On failure
    // `text` is left untouched.
    bool ReadString(const wchar_t* name, std::wstring& text, DWORD bufferBytes, bool fromRoot = false);
    bool ReadString(const char* name, std::string& text, DWORD bufferBytes, bool fromRoot = false);
    // Text read at its real size, whatever its length: the size is asked for first. Only text
    // (REG_SZ, REG_EXPAND_SZ) is read; `type` (may be null) receives which. The text ends at its
    // first NUL. Returns the system error code: ERROR_SUCCESS, ERROR_FILE_NOT_FOUND when there
    // is no such value, ERROR_DATATYPE_MISMATCH when it is no text. On failure `text` is left
    // untouched.
    LONG ReadFullString(const wchar_t* name, std::wstring& text, DWORD* type = nullptr, bool fromRoot = false);
    LONG ReadFullString(const char* name, std::string& text, DWORD* type = nullptr, bool fromRoot = false);

    bool DeleteKey(const wchar_t* path);
    bool DeleteKey(const char* path);
    void Close(HKEY key);

    LONG Open(const wchar_t* path, HKEY* key);
    LONG Open(const char* path, HKEY* key);
    LONG OpenForRead(const wchar_t* path, HKEY* key);
    LONG OpenForRead(const char* path, HKEY* key);
    // RegCreateKeyW under the root key with default security.
    LONG Create(const wchar_t* path, HKEY* key);
    // Creates or opens the key under HKEY_LOCAL_MACHINE, whatever the root, granting full access
    // to Everyone and Administrators when it is new. -1 when the access list cannot be built.
    LONG CreateSecuredKey(const wchar_t* path, HKEY* key);

    // Device-key lookups under the serial and the USB driver's Parameters keys.
    bool FindDevice(const wchar_t* deviceName);
    DWORD NextFreeSerialInstance();
    DWORD NextFreeUsbInstance();
    DWORD HighestInstance(const wchar_t* path);

private:
    HKEY ValueKey(bool fromRoot) const { return fromRoot ? root_ : key_; }
    DWORD NextFreeInstance(DeviceFamily family);

    HKEY root_ = HKEY_LOCAL_MACHINE;
    HKEY key_ = nullptr;
};
