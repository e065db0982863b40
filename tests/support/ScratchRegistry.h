#pragma once
// A private HKEY_LOCAL_MACHINE for one test process.
//
// The constructor creates HKCU\Software\TivenTest\<pid>-<n> and redirects HKEY_LOCAL_MACHINE of
// this process to it with RegOverridePredefKey, so the code under test reads and writes its
// "HKLM" keys there and tests in other processes never see them. The destructor restores the
// real HKLM and deletes the scratch tree.
#include <windows.h>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace testsupport {

struct RegValue {
    bool present = false;
    DWORD type = 0;
    std::vector<BYTE> bytes;

    DWORD AsDword() const;
    std::wstring AsString() const;   // the stored characters up to the first NUL
    DWORD Size() const { return static_cast<DWORD>(bytes.size()); }
};

// One row of a fixture table: key path (below HKLM), value name, and either a string or a DWORD.
struct RegRow {
    std::wstring path;
    std::wstring name;
    enum Kind { String, Dword, Key } kind;
    std::wstring text;
    DWORD number = 0;

    static RegRow Str(std::wstring p, std::wstring n, std::wstring t) { return {std::move(p), std::move(n), String, std::move(t), 0}; }
    static RegRow Num(std::wstring p, std::wstring n, DWORD v) { return {std::move(p), std::move(n), Dword, L"", v}; }
    static RegRow KeyOnly(std::wstring p) { return {std::move(p), L"", Key, L"", 0}; }
};

class ScratchRegistry {
public:
    enum Mode { Redirect, RealPrefix };
    // Redirect: the private HKLM above. RealPrefix: the prefix's real HKLM, for tests whose code
    // under test runs in another process (it cannot see the redirection); such tests hold the
    // "prefix_registry" lock and name with Own() each tree to delete again at the end.
    explicit ScratchRegistry(Mode mode = Redirect);
    ~ScratchRegistry();
    ScratchRegistry(const ScratchRegistry&) = delete;
    ScratchRegistry& operator=(const ScratchRegistry&) = delete;

    // Writes below the redirected HKLM. Strings are REG_EXPAND_SZ with the NUL counted,
    // as the suite itself writes them.
    void SetString(const std::wstring& path, const std::wstring& name, const std::wstring& text);
    void SetDword(const std::wstring& path, const std::wstring& name, DWORD value);
    void SetRaw(const std::wstring& path, const std::wstring& name, DWORD type, const void* data, DWORD size);
    void CreateKey(const std::wstring& path);
    void Fill(std::initializer_list<RegRow> rows);
    void DeleteTree(const std::wstring& path);
    void Own(const std::wstring& path);   // RealPrefix: delete this tree now and at destruction

    RegValue Read(const std::wstring& path, const std::wstring& name) const;
    bool KeyExists(const std::wstring& path) const;
    std::vector<std::wstring> ValueNames(const std::wstring& path) const;
    std::vector<std::wstring> SubkeyNames(const std::wstring& path) const;

    const std::wstring& ScratchPath() const { return scratchPath_; }

private:
    Mode mode_;
    std::vector<std::wstring> owned_;
    std::wstring scratchPath_;
    HKEY scratch_ = nullptr;
};

}  // namespace testsupport
