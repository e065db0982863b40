#pragma once
// Conversions between UTF-16 and the system code page (CP_ACP), the text of the narrow build.
#include <string>

std::wstring WidenAnsi(const char* text);
std::string NarrowToAnsi(const wchar_t* text);
