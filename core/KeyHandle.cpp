#include "KeyHandle.h"

CKeyHandle& CKeyHandle::operator=(CKeyHandle&& other) noexcept
{
    if (this != &other)
        Reset(other.Release());
    return *this;
}

HKEY* CKeyHandle::Receive()
{
    Reset();
    return &key_;
}

void CKeyHandle::Reset(HKEY key)
{
    if (key_)
        RegCloseKey(key_);
    key_ = key;
}

HKEY CKeyHandle::Release()
{
    HKEY key = key_;
    key_ = nullptr;
    return key;
}
