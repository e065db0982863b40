#include "ScratchRegistry.h"

#include <shlwapi.h>
#include <stdexcept>

namespace testsupport {

namespace {
std::string Narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

HKEY CreateOrThrow(const std::wstring& path)
{
    HKEY key = nullptr;
    LONG rc = RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (rc != ERROR_SUCCESS)
        throw std::runtime_error("scratch registry: cannot create " + Narrow(path) + " rc=" + std::to_string(rc));
    return key;
}
}  // namespace

DWORD RegValue::AsDword() const
{
    DWORD v = 0;
    memcpy(&v, bytes.data(), bytes.size() < 4 ? bytes.size() : 4);
    return v;
}

std::wstring RegValue::AsString() const
{
    std::wstring s(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
    size_t nul = s.find(L'\0');
    return nul == std::wstring::npos ? s : s.substr(0, nul);
}

ScratchRegistry::ScratchRegistry(Mode mode) : mode_(mode)
{
    if (mode_ == RealPrefix)
        return;
    // Wine hands a process id out again as soon as its process has ended, and a test that ended
    // early leaves its key: only a key this call creates is taken, never an earlier one.
    static LONG counter = 0;
    const std::wstring base = L"Software\\TivenTest\\" + std::to_wstring(GetCurrentProcessId()) + L"-";
    for (;;) {
        scratchPath_ = base + std::to_wstring(InterlockedIncrement(&counter));
        DWORD disposition = 0;
        LONG rc = RegCreateKeyExW(HKEY_CURRENT_USER, scratchPath_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  &scratch_, &disposition);
        if (rc != ERROR_SUCCESS)
            throw std::runtime_error("scratch registry: cannot create scratch key");
        if (disposition == REG_CREATED_NEW_KEY)
            break;
        RegCloseKey(scratch_);
        scratch_ = nullptr;
    }
    if (RegOverridePredefKey(HKEY_LOCAL_MACHINE, scratch_) != ERROR_SUCCESS)
        throw std::runtime_error("scratch registry: RegOverridePredefKey failed");
}

ScratchRegistry::~ScratchRegistry()
{
    if (mode_ == RealPrefix) {
        for (const std::wstring& path : owned_)
            SHDeleteKeyW(HKEY_LOCAL_MACHINE, path.c_str());
        return;
    }
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    RegCloseKey(scratch_);
    SHDeleteKeyW(HKEY_CURRENT_USER, scratchPath_.c_str());
}

void ScratchRegistry::SetRaw(const std::wstring& path, const std::wstring& name, DWORD type, const void* data, DWORD size)
{
    HKEY key = CreateOrThrow(path);
    RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
}

void ScratchRegistry::SetString(const std::wstring& path, const std::wstring& name, const std::wstring& text)
{
    SetRaw(path, name, REG_EXPAND_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void ScratchRegistry::SetDword(const std::wstring& path, const std::wstring& name, DWORD value)
{
    SetRaw(path, name, REG_DWORD, &value, sizeof value);
}

void ScratchRegistry::CreateKey(const std::wstring& path) { RegCloseKey(CreateOrThrow(path)); }

void ScratchRegistry::Fill(std::initializer_list<RegRow> rows)
{
    for (const RegRow& r : rows) {
        switch (r.kind) {
        case RegRow::String: SetString(r.path, r.name, r.text); break;
        case RegRow::Dword: SetDword(r.path, r.name, r.number); break;
        case RegRow::Key: CreateKey(r.path); break;
        }
    }
}

void ScratchRegistry::DeleteTree(const std::wstring& path) { SHDeleteKeyW(HKEY_LOCAL_MACHINE, path.c_str()); }

void ScratchRegistry::Own(const std::wstring& path)
{
    DeleteTree(path);
    owned_.push_back(path);
}

RegValue ScratchRegistry::Read(const std::wstring& path, const std::wstring& name) const
{
    RegValue v;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return v;
    DWORD size = 0;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &v.type, nullptr, &size) == ERROR_SUCCESS) {
        v.bytes.resize(size);
        if (RegQueryValueExW(key, name.c_str(), nullptr, &v.type, v.bytes.data(), &size) == ERROR_SUCCESS) {
            v.bytes.resize(size);
            v.present = true;
        }
    }
    RegCloseKey(key);
    return v;
}

bool ScratchRegistry::KeyExists(const std::wstring& path) const
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

std::vector<std::wstring> ScratchRegistry::ValueNames(const std::wstring& path) const
{
    std::vector<std::wstring> names;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return names;
    for (DWORD i = 0;; ++i) {
        wchar_t name[16384];
        DWORD len = ARRAYSIZE(name);
        if (RegEnumValueW(key, i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name, len);
    }
    RegCloseKey(key);
    return names;
}

std::vector<std::wstring> ScratchRegistry::SubkeyNames(const std::wstring& path) const
{
    std::vector<std::wstring> names;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return names;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD len = ARRAYSIZE(name);
        if (RegEnumKeyExW(key, i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name, len);
    }
    RegCloseKey(key);
    return names;
}

}  // namespace testsupport
