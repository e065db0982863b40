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
}  // namespace

RegistryWriteLog::RegistryWriteLog(HMODULE module)
{
    Clear();
    // The real function is known before the first call can reach the recorder.
    HMODULE advapi = GetModuleHandleW(L"advapi32.dll");
    void* real = advapi ? reinterpret_cast<void*>(GetProcAddress(advapi, "RegSetValueExW")) : nullptr;
    realSetValue = reinterpret_cast<SetValueFn>(real);
    redirect_ = std::make_unique<ImportRedirect>(L"advapi32.dll", "RegSetValueExW",
                                                 reinterpret_cast<void*>(&RecordingSetValue), module);
}

RegistryWriteLog::~RegistryWriteLog() = default;

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
