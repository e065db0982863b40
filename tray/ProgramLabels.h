#pragma once
// The label file of the tray program and of the mode selector.
#include <windows.h>

#include <string>

class CLabelStore;

namespace tray {

// Fills the store from the label file at `path`. An empty path is reported in a question-mark
// box ("XML file path not found in the registry") owned by `owner` (may be null); a file that
// does not load is reported by the loader. Either way the store may stay empty, and the program
// goes on with its built-in English texts.
void LoadProgramLabels(CLabelStore& labels, const std::wstring& path, HWND owner);

}  // namespace tray
