#pragma once
// The label dictionary of a program: label key -> display text, filled once from the program's
// label file. A missing key gives an empty text, and the caller keeps its built-in text.
#include "BinarySearchTree.h"

#include <string>

struct LabelNode : TreeNode {
    LabelNode(const wchar_t* key, const wchar_t* text) : key(key ? key : L""), text(text ? text : L"") {}

    std::wstring key;
    std::wstring text;
};

class CLabelStore : public CBinarySearchTree {
public:
    void Insert(const wchar_t* key, const wchar_t* text);
    // The text of the first entry of the key, or an empty text.
    std::wstring Lookup(const wchar_t* key) const;
    // The label text, or `fallback` when the store has none (or an empty one).
    std::wstring TextOr(const wchar_t* key, const wchar_t* fallback) const;

protected:
    int Compare(const TreeNode& a, const TreeNode& b) const override;
};
