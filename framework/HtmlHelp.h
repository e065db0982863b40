#pragma once
// HTML Help, bound at run time: hhctrl.ocx is loaded at the first request and HtmlHelpW is
// called through its address. Without the control a request does nothing.
#include <windows.h>
#include <string>

class CHtmlHelp {
public:
    // HH_DISPLAY_TOPIC of the file's default topic; returns the help window, or null.
    static HWND DisplayTopic(HWND owner, const std::wstring& helpFile);
    // Any HtmlHelpW command.
    static HWND Call(HWND owner, const std::wstring& helpFile, UINT command, DWORD_PTR data);
};
