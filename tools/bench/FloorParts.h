#pragma once
// What every start-up floor does that a program of its kind does too: load one label file
// through the suite's label loader, and show the empty dialog.
#include <string>

namespace benchfloor {

// Loads the label file into the floor's label store; an empty path loads nothing.
void LoadLabels(const std::wstring& path);
// Shows the empty dialog until it is closed; the dialog's result.
long ShowEmptyDialog();

}  // namespace benchfloor
