#pragma once
// The file name of a module without folder and extension ("Tunora" for ...\Tunora.cpl), the
// caption of plain message boxes and the default application name.
#include <windows.h>

#include <string>

// Null: the program's own file.
std::wstring ModuleBaseName(HMODULE module);
// The full path of a module's file, however long; null: the program's own file.
std::wstring ModulePath(HMODULE module);
// The folder that holds the module's file, without a trailing backslash.
std::wstring ModuleFolder(HMODULE module);
// File names and paths compare without regard to case (ordinal, as the file system does).
bool SameFileText(const std::wstring& a, const std::wstring& b);
