#include "SetupState.h"

#include <cstdio>

#include "LabelStore.h"
#include "ModuleName.h"
#include "WinApp.h"

namespace setup {

namespace {
constexpr const wchar_t* kPrefixes[kLanguageCount] = {L"ENG_", L"JPN_", L"CHNT_", L"CHNS_", L"KOR_"};
}  // namespace

SetupState& State()
{
    static SetupState state;
    return state;
}

CLabelStore& Labels()
{
    static CLabelStore store;
    return store;
}

const wchar_t* LabelPrefix(DWORD languageIndex)
{
    return languageIndex < kLanguageCount ? kPrefixes[languageIndex] : kPrefixes[0];
}

std::wstring Label(const wchar_t* keyPart)
{
    std::wstring key = LabelPrefix(State().languageIndex);
    key += keyPart;
    return Labels().Lookup(key.c_str());
}

std::wstring LabelOr(const wchar_t* keyPart, const wchar_t* fallback)
{
    std::wstring key = LabelPrefix(State().languageIndex);
    key += keyPart;
    return Labels().TextOr(key.c_str(), fallback);
}

std::wstring ExitTitleLabel()
{
    std::wstring prefix = LabelPrefix(State().languageIndex);
    if (prefix == L"ENG_")
        prefix = L"JPN_";
    return Labels().Lookup((prefix + L"SETUP_EXIT_TITLE").c_str());
}

std::wstring ProgramFolder() { return ModuleFolder(nullptr); }

bool CurrentFolder(std::wstring& folder, DWORD maxChars)
{
    std::wstring buffer(static_cast<size_t>(maxChars) + 1, L'\0');
    DWORD n = GetCurrentDirectoryW(maxChars + 1, &buffer[0]);
    if (n == 0 || n > maxChars)
        return false;
    buffer.resize(n);
    folder = buffer;
    return true;
}

void PrintLine(const std::wstring& text)
{
    std::fputws(text.c_str(), stdout);
    std::fputws(L"\n", stdout);
    std::fflush(stdout);
}

void Report(const std::wstring& text)
{
    if (State().silentMode)
        PrintLine(text);
    else
        AppMessageBox(text);
}

}  // namespace setup
