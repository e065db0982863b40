#include "ControlLabels.h"

#include "LabelStore.h"

void ApplyControlLabels(HWND dialog, const CLabelStore& labels, const ControlLabel* table, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        std::wstring text = labels.Lookup(table[i].key);
        if (!text.empty())
            SetDlgItemTextW(dialog, table[i].id, text.c_str());
    }
}

void ApplyControlTexts(HWND dialog, const CLabelStore& labels, const ControlText* table, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        std::wstring text = labels.TextOr(table[i].key, table[i].text);
        if (table[i].id == 0)
            SetWindowTextW(dialog, text.c_str());
        else
            SetDlgItemTextW(dialog, table[i].id, text.c_str());
    }
}
