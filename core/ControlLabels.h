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

// The same for dialogs that set a built-in text where the label is missing or empty (rather than
// keeping the template's); id 0 stands for the dialog's own caption.
struct ControlText {
    int id;
    const wchar_t* key;
    const wchar_t* text;
};

void ApplyControlTexts(HWND dialog, const CLabelStore& labels, const ControlText* table, size_t count);

template <size_t N>
void ApplyControlTexts(HWND dialog, const CLabelStore& labels, const ControlText (&table)[N])
{
    ApplyControlTexts(dialog, labels, table, N);
}
