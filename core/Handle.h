#pragma once
// Owner of one kernel handle (event, mutex, process, thread, file): closes it with CloseHandle
// when it goes or is replaced. Null and INVALID_HANDLE_VALUE both mean "no handle", as the
// functions that return handles use either. Movable, not copyable.
#include <windows.h>

class CHandle {
public:
    CHandle() = default;
    explicit CHandle(HANDLE handle) : handle_(handle) {}
    ~CHandle() { Reset(); }
    CHandle(CHandle&& other) noexcept : handle_(other.Release()) {}
    CHandle& operator=(CHandle&& other) noexcept;
    CHandle(const CHandle&) = delete;
    CHandle& operator=(const CHandle&) = delete;

    HANDLE Get() const { return handle_; }
    bool IsValid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
    explicit operator bool() const { return IsValid(); }

    // Closes what is held and takes the new handle.
    void Reset(HANDLE handle = nullptr);
    // Gives the handle up without closing it.
    HANDLE Release();

private:
    HANDLE handle_ = nullptr;
};
