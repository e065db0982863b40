#pragma once
// Owner of one open registry key: closes it with RegCloseKey. CRegistryKey stays a non-owning
// view; this is what keeps the key it is attached to open. Movable, not copyable.
#include <windows.h>

#include "Owner.h"

struct RegistryKeyTraits : NullHandleTraits<HKEY> {
    static void Close(HKEY key) { RegCloseKey(key); }
};

class CKeyHandle : public COwner<RegistryKeyTraits> {
public:
    using COwner::COwner;
};
