#include "LogonEntries.h"

#include "FileIdentity.h"
#include "ModuleName.h"
#include "RegistryKey.h"

namespace {
bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

std::wstring Stripped(const std::wstring& text)
{
    size_t first = 0, last = text.size();
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}


bool IsEmptyEntry(const std::wstring& entry) { return Stripped(entry).empty(); }

// The last name of a path, without the trailing dots and blanks the system ignores.
std::wstring FileNameOf(const std::wstring& path)
{
    std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
    while (!name.empty() && (name.back() == L'.' || name.back() == L' '))
        name.pop_back();
    return name;
}
}  // namespace

bool IsChimerEntry(const std::wstring& entry, const std::wstring& installFolder)
{
    const std::wstring program = Stripped(entry);
    const std::wstring chimer = ChimerEntry(installFolder);
    if (SameFileText(program, chimer))
        return true;
    // Only an entry that names Chimer.exe is resolved: the others cannot be it, and a path to
    // another computer is not opened.
    return SameFileText(FileNameOf(program), L"Chimer.exe") && SameLocation(program, chimer);
}

LONG ReadUserinit(HKEY winlogon, UserinitValue& value)
{
    CRegistryKey registry;
    registry.Attach(winlogon);
    return registry.ReadFullString(kUserinitValue, value.text, &value.type);
}

bool WriteUserinit(HKEY winlogon, const UserinitValue& value)
{
    CRegistryKey registry;
    registry.Attach(winlogon);
    const auto type = value.type == REG_EXPAND_SZ ? CRegistryKey::TextType::Expandable : CRegistryKey::TextType::Plain;
    return registry.WriteString(kUserinitValue, value.text.c_str(), type);
}

std::wstring ChimerEntry(const std::wstring& installFolder) { return installFolder + L"\\Chimer.exe"; }

std::vector<std::wstring> UserinitEntries(const std::wstring& value)
{
    std::vector<std::wstring> entries;
    size_t pos = 0;
    for (;;) {
        size_t comma = value.find(L',', pos);
        if (comma == std::wstring::npos) {
            entries.push_back(value.substr(pos));
            return entries;
        }
        entries.push_back(value.substr(pos, comma - pos));
        pos = comma + 1;
    }
}

std::wstring UserinitWithoutChimer(const std::wstring& value, const std::wstring& installFolder, bool* found)
{
    std::vector<std::wstring> entries = UserinitEntries(value);
    bool any = false;
    for (size_t i = 0; i < entries.size();) {
        if (!IsChimerEntry(entries[i], installFolder)) {
            ++i;
            continue;
        }
        any = true;
        entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(i));
        // The empty entry that the added commas leave: the one that now stands at i (after the
        // Chimer entry), else the one before it. A value of nothing but the entry keeps one empty
        // entry, which is the empty text.
        if (entries.size() > 1 && i < entries.size() && IsEmptyEntry(entries[i]))
            entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(i));
        else if (i > 0 && IsEmptyEntry(entries[i - 1]))
            entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(--i));
    }
    if (found)
        *found = any;
    if (!any)
        return value;
    std::wstring result;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (i > 0)
            result += L',';
        result += entries[i];
    }
    return result;
}

bool UserinitStartsLogonProgram(const std::wstring& value)
{
    for (const std::wstring& entry : UserinitEntries(value)) {
        std::wstring path = Stripped(entry);
        size_t slash = path.find_last_of(L"\\/");
        std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
        if (SameFileText(name, L"userinit.exe") || SameFileText(name, L"userinit"))
            return true;
    }
    return false;
}

std::wstring SystemUserinit()
{
    wchar_t folder[MAX_PATH + 1] = {};
    UINT n = GetSystemDirectoryW(folder, MAX_PATH + 1);
    std::wstring system = n == 0 || n > MAX_PATH ? std::wstring(L"C:\\windows\\system32") : std::wstring(folder);
    return system + L"\\userinit.exe,";
}
