#pragma once
// Replaces the texts of a dialog's controls by their labels: one {control id, label key} table
// per dialog. A control keeps the text of its dialog template when the label is missing or empty.
#include <windows.h>

#include <cstddef>
#include <string>

class CLabelStore;

struct ControlLabel {
    int id;
    const wchar_t* key;
};

void ApplyControlLabels(HWND dialog, const CLabelStore& labels, const ControlLabel* table, size_t count);

template <size_t N>
void ApplyControlLabels(HWND dialog, const CLabelStore& labels, const ControlLabel (&table)[N])
{
    ApplyControlLabels(dialog, labels, table, N);
}
