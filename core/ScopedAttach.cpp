#include "ScopedAttach.h"

#include "RegistryKey.h"

#include <utility>

CScopedAttach::CScopedAttach(CRegistryKey& registry, const wchar_t* path, Access access)
{
    OpenAndAttach(registry, path, access);
}

CScopedAttach::CScopedAttach(CRegistryKey& registry, const char* path, Access access)
{
    OpenAndAttach(registry, path, access);
}

template <typename Char>
void CScopedAttach::OpenAndAttach(CRegistryKey& registry, const Char* path, Access access)
{
    registry_ = &registry;
    HKEY key = nullptr;
    result_ = access == Access::Read ? registry.OpenForRead(path, &key) : registry.Open(path, &key);
    if (result_ == ERROR_SUCCESS)
        key_.Reset(key);
    registry.Attach(key_.Get());
}

CScopedAttach::CScopedAttach(CRegistryKey& registry, CKeyHandle key)
    : registry_(&registry), key_(std::move(key)), result_(key_ ? ERROR_SUCCESS : ERROR_INVALID_HANDLE)
{
    registry.Attach(key_.Get());
}

CScopedAttach::CScopedAttach(CScopedAttach&& other) noexcept
    : registry_(other.registry_), key_(std::move(other.key_)), result_(other.result_)
{
    other.registry_ = nullptr;
}

CScopedAttach& CScopedAttach::operator=(CScopedAttach&& other) noexcept
{
    if (this != &other) {
        Detach();
        registry_ = other.registry_;
        key_ = std::move(other.key_);
        result_ = other.result_;
        other.registry_ = nullptr;
    }
    return *this;
}

void CScopedAttach::Detach()
{
    // Another attach may have replaced this key meanwhile; that one stays.
    if (registry_ && key_ && registry_->AttachedKey() == key_.Get())
        registry_->Attach(nullptr);
    registry_ = nullptr;
    key_.Reset();
}
