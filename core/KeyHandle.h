#pragma once
// Owner of one open registry key: closes it with RegCloseKey when it goes or is replaced.
// CRegistryKey stays a non-owning view; this is what keeps the key it is attached to open.
// Movable, not copyable.
#include <windows.h>

class CKeyHandle {
public:
    CKeyHandle() = default;
    explicit CKeyHandle(HKEY key) : key_(key) {}
    ~CKeyHandle() { Reset(); }
    CKeyHandle(CKeyHandle&& other) noexcept : key_(other.Release()) {}
    CKeyHandle& operator=(CKeyHandle&& other) noexcept;
    CKeyHandle(const CKeyHandle&) = delete;
    CKeyHandle& operator=(const CKeyHandle&) = delete;

    HKEY Get() const { return key_; }
    explicit operator bool() const { return key_ != nullptr; }

    // For out parameters (RegCreateKeyExW, CRegistryKey::CreateSecuredKey): closes what is
    // held and hands out the slot.
    HKEY* Receive();
    void Reset(HKEY key = nullptr);
    HKEY Release();

private:
    HKEY key_ = nullptr;
};
