#pragma once
// The file name of a module without folder and extension ("Tunora" for ...\Tunora.cpl), the
// caption of plain message boxes and the default application name.
#include <windows.h>

#include <string>

// Null: the program's own file.
std::wstring ModuleBaseName(HMODULE module);
