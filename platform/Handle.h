#pragma once
// Owner of one kernel handle (event, mutex, process, thread, file): closes it with CloseHandle.
// Null and INVALID_HANDLE_VALUE both mean "no handle", as the functions that return handles use
// either. Movable, not copyable.
#include <windows.h>

#include "Owner.h"

struct KernelHandleTraits {
    using Type = HANDLE;
    static HANDLE Empty() { return nullptr; }
    static bool IsValid(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
    static void Close(HANDLE handle) { CloseHandle(handle); }
};

class CHandle : public COwner<KernelHandleTraits> {
public:
    using COwner::COwner;
};
