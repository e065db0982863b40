#include "HtmlHelp.h"

namespace {
using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
constexpr UINT kDisplayTopic = 0x0000;   // HH_DISPLAY_TOPIC

HtmlHelpFn Bind()
{
    static HtmlHelpFn function = [] {
        HMODULE control = ::LoadLibraryW(L"hhctrl.ocx");   // stays loaded for the process
        return control ? reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void*>(::GetProcAddress(control, "HtmlHelpW")))
                       : nullptr;
    }();
    return function;
}
}  // namespace

HWND CHtmlHelp::DisplayTopic(HWND owner, const std::wstring& helpFile)
{
    return Call(owner, helpFile, kDisplayTopic, 0);
}

HWND CHtmlHelp::Call(HWND owner, const std::wstring& helpFile, UINT command, DWORD_PTR data)
{
    HtmlHelpFn function = Bind();
    return function ? function(owner, helpFile.c_str(), command, data) : nullptr;
}
