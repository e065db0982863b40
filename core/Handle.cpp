#include "Handle.h"

CHandle& CHandle::operator=(CHandle&& other) noexcept
{
    if (this != &other)
        Reset(other.Release());
    return *this;
}

void CHandle::Reset(HANDLE handle)
{
    if (IsValid())
        CloseHandle(handle_);
    handle_ = handle;
}

HANDLE CHandle::Release()
{
    HANDLE handle = handle_;
    handle_ = nullptr;
    return handle;
}
