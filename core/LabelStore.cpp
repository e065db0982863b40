#include "LabelStore.h"

#include <cwchar>

void CLabelStore::Insert(const wchar_t* key, const wchar_t* text)
{
    CBinarySearchTree::Insert(new LabelNode(key, text));
}

std::wstring CLabelStore::Lookup(const wchar_t* key) const
{
    LabelNode probe(key, L"");
    const TreeNode* found = Find(probe);
    return found ? static_cast<const LabelNode*>(found)->text : std::wstring();
}

std::wstring CLabelStore::TextOr(const wchar_t* key, const wchar_t* fallback) const
{
    std::wstring text = Lookup(key);
    return text.empty() ? std::wstring(fallback ? fallback : L"") : text;
}

int CLabelStore::Compare(const TreeNode& a, const TreeNode& b) const
{
    int rc = wcscmp(static_cast<const LabelNode&>(a).key.c_str(), static_cast<const LabelNode&>(b).key.c_str());
    return rc < 0 ? -1 : (rc > 0 ? 1 : 0);
}
