#include "ImportRedirect.h"

namespace testsupport {

namespace {
// The import slot of `module` that holds `target`, or null.
void** FindImportSlot(HMODULE module, void* target)
{
    auto* base = reinterpret_cast<BYTE*>(module);
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (dir.VirtualAddress == 0)
        return nullptr;
    for (auto* desc = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); desc->Name; ++desc) {
        for (auto* slot = reinterpret_cast<void**>(base + desc->FirstThunk); *slot; ++slot)
            if (*slot == target)
                return slot;
    }
    return nullptr;
}

bool WriteSlot(void** slot, void* value)
{
    DWORD old = 0;
    if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old))
        return false;
    *slot = value;
    VirtualProtect(slot, sizeof *slot, old, &old);
    return true;
}
}  // namespace

ImportRedirect::ImportRedirect(const wchar_t* module, const char* function, void* replacement,
                               HMODULE importer)
{
    if (!importer)
        importer = GetModuleHandleW(nullptr);
    HMODULE loaded = GetModuleHandleW(module);
    void* real = loaded ? reinterpret_cast<void*>(GetProcAddress(loaded, function)) : nullptr;
    void** slot = real ? FindImportSlot(importer, real) : nullptr;
    if (!slot)
        return;
    original_ = real;
    if (WriteSlot(slot, replacement))
        slot_ = slot;
}

ImportRedirect::~ImportRedirect()
{
    if (slot_)
        WriteSlot(slot_, original_);
}

}  // namespace testsupport
