#pragma once
// Whether a program file is whole: a copy cut off by a full disk or a killed copy keeps the
// start of the file, and Windows refuses to start it (error 193).
#include <string>

// True when the file is a Windows program image (MZ and PE headers) and holds everything its
// headers say it has: the headers, every section's data and the symbol table with its strings.
bool IsWholeProgramFile(const std::wstring& path);
