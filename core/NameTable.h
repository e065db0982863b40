#pragma once
// A table of display names indexed from 0, each with a label key. The built-in English names
// are replaced by label texts where the label store has a non-empty text for the key.
#include <cstddef>
#include <string>
#include <vector>

class CLabelStore;

struct NameEntry {
    const wchar_t* name;       // built-in English name
    const wchar_t* labelKey;
};

class CNameTable {
public:
    CNameTable(const NameEntry* entries, size_t count);

    size_t Count() const { return names_.size(); }
    bool Contains(size_t index) const { return index < names_.size(); }
    // The display name, or an empty text for an index outside the table.
    const std::wstring& Name(size_t index) const;
    const wchar_t* LabelKeyAt(size_t index) const;
    // Index of the entry whose display name equals `name`, or -1.
    int IndexOf(const std::wstring& name) const;
    const std::vector<std::wstring>& Names() const { return names_; }

    void LoadLabels(const CLabelStore& labels);

private:
    std::vector<std::wstring> names_;
    std::vector<const wchar_t*> keys_;
};

// The three tables: 16 desktop segments (index = "Logical Desktop Segment"), 13 button modes
// (index = code - 1), 2 controller types (display texts only).
constexpr size_t kSegmentCount = 16;
constexpr size_t kButtonModeCount = 13;
constexpr size_t kControllerTypeCount = 2;

CNameTable MakeSegmentNames();
CNameTable MakeButtonModeNames();
CNameTable MakeControllerTypeNames();

// Replace the display names by label texts where the labels have them.
void LoadSegmentNames(CNameTable& table, const CLabelStore& labels);
void LoadButtonModeNames(CNameTable& table, const CLabelStore& labels);
void LoadControllerNames(CNameTable& table, const CLabelStore& labels);
