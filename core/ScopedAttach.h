#pragma once
// Attaches an open key to a CRegistryKey for one scope: at the end of the scope the
// CRegistryKey lets go of it (when it still holds it) and the key is closed. Replaces the
// open, Attach, read or write, Close sequence:
//
//   CScopedAttach product(key, kProductKeyPath);
//   if (product)
//       key.ReadString(L"Device Name", name, 1000);
//
// Movable, so an owner may keep a key attached for longer (the applet's product key).
#include <windows.h>

#include "KeyHandle.h"

class CRegistryKey;

class CScopedAttach {
public:
    enum class Access { All, Read };

    CScopedAttach() = default;
    // Opens the path under the registry's root (CRegistryKey::Open or OpenForRead) and attaches
    // it. When the key cannot be opened, the registry is attached to no key.
    CScopedAttach(CRegistryKey& registry, const wchar_t* path, Access access = Access::All);
    CScopedAttach(CRegistryKey& registry, const char* path, Access access = Access::All);
    // Attaches a key opened elsewhere and takes it over.
    CScopedAttach(CRegistryKey& registry, CKeyHandle key);
    ~CScopedAttach() { Detach(); }
    CScopedAttach(CScopedAttach&& other) noexcept;
    CScopedAttach& operator=(CScopedAttach&& other) noexcept;
    CScopedAttach(const CScopedAttach&) = delete;
    CScopedAttach& operator=(const CScopedAttach&) = delete;

    explicit operator bool() const { return static_cast<bool>(key_); }
    HKEY Get() const { return key_.Get(); }
    // The result of the open (ERROR_SUCCESS = 0).
    LONG Result() const { return result_; }

private:
    template <typename Char>
    void OpenAndAttach(CRegistryKey& registry, const Char* path, Access access);
    void Detach();

    CRegistryKey* registry_ = nullptr;
    CKeyHandle key_;
    LONG result_ = ERROR_INVALID_HANDLE;
};
