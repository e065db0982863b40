#include "RegistryWriteLog.h"

#include <mutex>
#include <utility>

namespace testsupport {

namespace {
using SetValueFn = LONG(WINAPI*)(HKEY, LPCWSTR, DWORD, DWORD, const BYTE*, DWORD);

SetValueFn realSetValue = nullptr;
std::mutex writesLock;
std::vector<std::pair<HKEY, std::wstring>> writes;

LONG WINAPI RecordingSetValue(HKEY key, LPCWSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size)
{
    {
        std::lock_guard<std::mutex> hold(writesLock);
        writes.emplace_back(key, name ? name : L"");
    }
    return realSetValue(key, name, reserved, type, data, size);
}

// The import slot of the module that holds `target`, or null.
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

RegistryWriteLog::RegistryWriteLog(HMODULE module)
{
    if (!module)
        module = GetModuleHandleW(nullptr);
    HMODULE advapi = GetModuleHandleW(L"advapi32.dll");
    void* real = advapi ? reinterpret_cast<void*>(GetProcAddress(advapi, "RegSetValueExW")) : nullptr;
    void** slot = real ? FindImportSlot(module, real) : nullptr;
    if (!slot)
        return;
    realSetValue = reinterpret_cast<SetValueFn>(real);
    Clear();
    if (WriteSlot(slot, reinterpret_cast<void*>(&RecordingSetValue)))
        patched_ = slot;
}

RegistryWriteLog::~RegistryWriteLog()
{
    if (patched_)
        WriteSlot(patched_, reinterpret_cast<void*>(realSetValue));
}

std::vector<std::wstring> RegistryWriteLog::NamesWrittenTo(HKEY key) const
{
    std::lock_guard<std::mutex> hold(writesLock);
    std::vector<std::wstring> names;
    for (const auto& write : writes)
        if (write.first == key)
            names.push_back(write.second);
    return names;
}

std::vector<std::wstring> RegistryWriteLog::NamesWritten() const
{
    std::lock_guard<std::mutex> hold(writesLock);
    std::vector<std::wstring> names;
    for (const auto& write : writes)
        names.push_back(write.second);
    return names;
}

void RegistryWriteLog::Clear()
{
    std::lock_guard<std::mutex> hold(writesLock);
    writes.clear();
}

}  // namespace testsupport
